#include "UI/DesktopPopups.hpp"

#include "UI/Desktop.hpp"
#include "UI/PopupWindows.hpp"

namespace Orvane::UI {

struct DesktopPopups::Pimpl
{
    Pimpl(const Desktop& desktop, NotificationSurface::OpenDetails openDetails)
        : desktop(desktop)
        , openDetails(std::move(openDetails))
    { }

    const Desktop& desktop;
    NotificationSurface::OpenDetails openDetails;
    PopupWindows windows;
    std::unique_ptr<NotificationSurface> notifications; // made once the server has answered
    Surface* open = nullptr;
};

DesktopPopups::DesktopPopups(const Desktop& desktop, NotificationSurface::OpenDetails openDetails)
    : m_pimpl(std::make_unique<Pimpl>(desktop, std::move(openDetails)))
{ }

DesktopPopups::~DesktopPopups() = default;

void DesktopPopups::Open(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
                         Ended ended)
{
    Pimpl& p = *m_pimpl;
    const bool notify = p.desktop.UsesNotifications();
    if (notify && !p.notifications)
        p.notifications = std::make_unique<NotificationSurface>(p.desktop.GetNotificationCapabilities(), p.openDetails);
    p.open = notify ? static_cast<Surface*>(p.notifications.get()) : &p.windows;
    p.open->Open(request, thumbnail, std::move(ended));
}

void DesktopPopups::CloseOpen()
{
    if (m_pimpl->open)
        m_pimpl->open->CloseOpen();
}

} // namespace Orvane::UI
