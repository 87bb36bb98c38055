#include "UI/DeviceSearchRunner.hpp"

#include "UI/Texts.hpp"
#include "UI/WindowIcon.hpp"
#include "Utility/StringId.hpp"

#include <QEventLoop>
#include <QProgressDialog>

#include <thread>

namespace Orvane::UI {

struct DeviceSearchRunner::Pimpl
{
    explicit Pimpl(Utility::SearchAgent searchAgent)
        : agent(std::move(searchAgent))
    { }

    void Join()
    {
        if (thread.joinable())
            thread.join();
    }

    Utility::SearchAgent agent;
    std::thread thread;
    bool running = false;
};

DeviceSearchRunner::DeviceSearchRunner(Utility::SearchAgent agent, QObject* parent)
    : QObject(parent)
    , m_pimpl(std::make_unique<Pimpl>(std::move(agent)))
{ }

DeviceSearchRunner::~DeviceSearchRunner()
{
    Cancel();
    m_pimpl->Join();
}

void DeviceSearchRunner::Start()
{
    Pimpl& p = *m_pimpl;
    if (p.running)
        return;
    p.Join();
    p.running = true;
    p.thread = std::thread([this, agent = p.agent]() mutable {
        std::exception_ptr error;
        try {
            agent.Search([this](const std::vector<Utility::FoundDevice>& found) {
                Devices devices;
                for (const Utility::FoundDevice& device : found)
                    devices.push_back(device.mfp);
                QMetaObject::invokeMethod(
                    this, [this, devices] { emit Found(devices); }, Qt::QueuedConnection);
            });
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(
            this,
            [this, error] {
                m_pimpl->running = false;
                m_pimpl->Join();
                emit Found(m_pimpl->agent.GetFoundDevices());
                emit Finished(error);
            },
            Qt::QueuedConnection);
    });
}

void DeviceSearchRunner::Cancel()
{
    if (m_pimpl->running)
        m_pimpl->agent.Cancel();
}

bool DeviceSearchRunner::IsRunning() const
{
    return m_pimpl->running;
}

void DeviceSearchRunner::SearchNow(Utility::SearchAgent agent, QWidget* parent,
                                   const std::function<void(const Devices&)>& progress)
{
    QProgressDialog window(Text(Utility::StringId::Searching), Text(Utility::StringId::Cancel), 0, 0, parent);
    window.setObjectName(QStringLiteral("searchProgress"));
    window.setWindowTitle(Text(Utility::StringId::DeviceSearchTitle));
    SetWindowIcon(window);
    window.setWindowModality(Qt::WindowModal);
    window.setMinimumDuration(0);
    window.setAutoClose(false);
    window.setAutoReset(false);

    DeviceSearchRunner runner(std::move(agent));
    QEventLoop loop;
    std::exception_ptr failure;
    QObject::connect(&runner, &DeviceSearchRunner::Found, &loop, [&progress](const Devices& devices) {
        if (progress)
            progress(devices);
    });
    QObject::connect(&runner, &DeviceSearchRunner::Finished, &loop, [&](std::exception_ptr error) {
        failure = error;
        loop.quit();
    });
    QObject::connect(&window, &QProgressDialog::canceled, &runner, &DeviceSearchRunner::Cancel);
    runner.Start();
    window.setValue(0);
    loop.exec();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace Orvane::UI
