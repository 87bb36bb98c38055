#include "UI/SaveDownload.hpp"

#include "HTTP/Exceptions.hpp"
#include "QX/Quexhall.hpp"
#include "System/Folders.hpp"
#include "System/Text.hpp"

#include <boost/filesystem/operations.hpp>

#include <mutex>
#include <thread>
#include <vector>

#include <unistd.h>

namespace Orvane::UI {

struct SaveDownload::Pimpl
{
    Pimpl(const MachineEvent::Event& event, bool markRead, std::function<void()> changed)
        : event(event)
        , markRead(markRead)
        , changed(std::move(changed))
    { }

    void Run();
    bool Attempt(const std::function<void()>& step);
    bool MakeTemporaryFile();
    void Reach(Stage reached);

    const MachineEvent::Event event;
    const bool markRead;
    const std::function<void()> changed;
    mutable std::mutex mutex;
    Stage stage = Stage::Running;
    Result result = Result::Success;
    std::wstring extension;
    std::string temporaryFile;
    std::thread thread;
};

// Device failures and system failures end the step; anything else is a system failure too, since
// nothing may leave the worker's thread.
bool SaveDownload::Pimpl::Attempt(const std::function<void()>& step)
{
    Result failure = Result::Success;
    try {
        step();
    } catch (const HTTP::Error&) {
        failure = Result::DeviceError;
    } catch (...) {
        failure = Result::SystemError;
    }
    const std::lock_guard<std::mutex> lock(mutex);
    result = failure;
    return failure == Result::Success;
}

bool SaveDownload::Pimpl::MakeTemporaryFile()
{
    const std::string pattern = TemporaryPattern();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data()); // mode 0600, created here and only here
    if (fd < 0)
        return false;
    ::close(fd);
    const std::lock_guard<std::mutex> lock(mutex);
    temporaryFile = name.data();
    return true;
}

void SaveDownload::Pimpl::Reach(Stage reached)
{
    {
        const std::lock_guard<std::mutex> lock(mutex);
        stage = reached;
    }
    changed();
}

void SaveDownload::Pimpl::Run()
{
    std::unique_ptr<QX::Quexhall> device;
    const bool requested = Attempt([&] {
        device = std::make_unique<QX::Quexhall>(event.GetMFP());
        device->SetMarkAsRead(markRead);
        const auto& id = event.GetEventProperty().GetDocID();
        device->RequestDocument(event.GetUser(), id ? *id : std::wstring());
        const std::wstring found = device->GetDocumentExtension();
        const std::lock_guard<std::mutex> lock(mutex);
        extension = found;
    });
    Reach(Stage::NameKnown);
    if (requested) {
        if (!MakeTemporaryFile()) {
            const std::lock_guard<std::mutex> lock(mutex);
            result = Result::NoTempFile;
        } else {
            const std::wstring path = System::FromANSI(temporaryFile);
            Attempt([&] { device->SaveDocument(path); });
        }
    }
    device.reset(); // the connection goes before anyone hears of the end
    Reach(Stage::Done);
}

SaveDownload::SaveDownload(const MachineEvent::Event& event, bool markRead, std::function<void()> changed)
    : m_pimpl(std::make_shared<Pimpl>(event, markRead, std::move(changed)))
{
    m_pimpl->thread = std::thread([pimpl = m_pimpl.get()] { pimpl->Run(); });
}

SaveDownload::~SaveDownload()
{
    Join();
}

bool SaveDownload::Reached(Stage stage) const
{
    const std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    return static_cast<int>(m_pimpl->stage) >= static_cast<int>(stage);
}

SaveDownload::Result SaveDownload::GetResult() const
{
    const std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    return m_pimpl->result;
}

std::wstring SaveDownload::GetExtension() const
{
    const std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    return m_pimpl->extension;
}

void SaveDownload::Join()
{
    if (m_pimpl->thread.joinable())
        m_pimpl->thread.join();
}

bool SaveDownload::CopyTo(const std::string& destination) const
{
    boost::system::error_code error;
    boost::filesystem::copy_file(m_pimpl->temporaryFile, destination,
                                 boost::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

void SaveDownload::RemoveTemporaryFile()
{
    if (m_pimpl->temporaryFile.empty())
        return;
    boost::system::error_code ignored;
    boost::filesystem::remove(m_pimpl->temporaryFile, ignored);
    m_pimpl->temporaryFile.clear();
}

std::string SaveDownload::TemporaryPattern()
{
    std::string folder = System::GetTempDir();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + "~OVXXXXXX";
}

} // namespace Orvane::UI
