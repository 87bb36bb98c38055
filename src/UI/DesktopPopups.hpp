#pragma once

#include "UI/NotificationSurface.hpp"

#include <memory>

namespace Orvane::UI {

class Desktop;

// Chooses for each popup how it is shown, as the desktop allows: a notification where windows
// cannot place themselves or the user asks for notifications, and a notification server answers;
// the popup window otherwise.
class DesktopPopups : public UiThreadPresenter::Surface
{
public:
    // The desktop must outlive this object.
    DesktopPopups(const Desktop& desktop, NotificationSurface::OpenDetails openDetails);
    ~DesktopPopups() override;

    void Open(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
              Ended ended) override;
    void CloseOpen() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
