#include "UI/DocumentActions.hpp"

#include "HTTP/Exceptions.hpp"
#include "QX/Quexhall.hpp"
#include "System/Folders.hpp"
#include "System/Shell.hpp"
#include "System/Text.hpp"
#include "UI/Message.hpp"
#include "UI/WaitCursor.hpp"
#include "Utility/StringId.hpp"

#include <kestle/filesystem/unique_directory.hpp>

#include <boost/filesystem/operations.hpp>

namespace Orvane::UI {

namespace {

constexpr int LoginPageMode = 3;

// The document's own folder: nothing the device answers takes part in its name, and the file in
// it is "prev" with the extension of one of the known content types.
std::wstring PreviewPath()
{
    std::string folder = System::GetAppTempDir();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const auto directory = kestle::filesystem::unique_directory(folder, std::string());
    return System::FromANSI(directory->string()) + L"/prev";
}

} // namespace

struct DocumentActions::Pimpl
{
    explicit Pimpl(const MachineEvent::Event& event)
        : event(event)
    { }

    QX::Quexhall Device() const
    {
        QX::Quexhall device(event.GetMFP());
        device.SetMarkAsRead(markRead);
        return device;
    }

    const std::wstring& DocID() const
    {
        static const std::wstring none;
        const auto& id = event.GetEventProperty().GetDocID();
        return id ? *id : none;
    }

    MachineEvent::Event event;
    bool markRead = false;
};

DocumentActions::DocumentActions(const MachineEvent::Event& event)
    : m_pimpl(std::make_unique<Pimpl>(event))
{ }

DocumentActions::~DocumentActions() = default;

bool DocumentActions::IsMarkRead() const
{
    return m_pimpl->markRead;
}

void DocumentActions::SetMarkRead(bool markRead)
{
    m_pimpl->markRead = markRead;
}

std::optional<std::string> DocumentActions::Preview(QWidget* parent) const
{
    const WaitCursor wait;
    std::wstring path;
    try {
        path = PreviewPath();
    } catch (const boost::filesystem::filesystem_error&) {
        // No place for the file is a failure to save it, not a program error.
        Message::DocumentSaveFailure(parent);
        return std::nullopt;
    }
    try {
        m_pimpl->Device().DownloadDocument(m_pimpl->event.GetUser(), m_pimpl->DocID(), path);
    } catch (const HTTP::Error&) {
        Message::QuexhallAccessFailure(parent);
        return std::nullopt;
    }
    const std::string file = System::ToANSI(path);
    if (!System::ShellOpen(file))
        Message::ViewerOpenFailure(parent);
    return file;
}

bool DocumentActions::Print(QWidget* parent) const
{
    const WaitCursor wait;
    try {
        m_pimpl->Device().PrintDocument(m_pimpl->event.GetUser(), m_pimpl->DocID());
        return true;
    } catch (const HTTP::Error&) {
        Message::QuexhallAccessFailure(parent);
    }
    return false;
}

DocumentActions::DeleteOutcome DocumentActions::Delete(bool confirm, QWidget* parent) const
{
    if (confirm && !Message::Affirmation(Utility::StringId::ConfirmDocumentDelete, parent))
        return DeleteOutcome::Declined;
    const WaitCursor wait;
    try {
        QX::Quexhall(m_pimpl->event.GetMFP()).DeleteDocument(m_pimpl->event.GetUser(), m_pimpl->DocID());
        return DeleteOutcome::Deleted;
    } catch (const HTTP::NoAuthority&) {
        Message::NoDeleteAuthority(parent);
    } catch (const HTTP::Error&) {
        Message::QuexhallAccessFailure(parent);
    }
    return DeleteOutcome::Failed;
}

void DocumentActions::Login(QWidget* parent) const
{
    try {
        QX::Quexhall(m_pimpl->event.GetMFP()).OpenWebPage(m_pimpl->event.GetUser(), LoginPageMode);
    } catch (const HTTP::Error&) {
        Message::QuexhallAccessFailure(parent);
    }
}

} // namespace Orvane::UI
