#pragma once

#include "UI/UiThreadPresenter.hpp"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

namespace Orvane::UI {

// Popups as freedesktop notifications (org.freedesktop.Notifications on the session bus), one at a
// time. The notification is closed by the program itself after the entry's erase time (servers
// may ignore the expiry). Dismissing it, or opening the details from it, is "read"; its viewer
// action asks for the viewer; expiry, the erase time and a stop are nothing. The document actions
// run from it end it as "read" too, since the user acted on the document.
class NotificationSurface : public QObject, public UiThreadPresenter::Surface
{
    Q_OBJECT

public:
    using OpenDetails = std::function<void(const MachineEvent::PopupPresenter::Request& request)>;

    // capabilities: what the server said it has (GetCapabilities).
    NotificationSurface(QStringList capabilities, OpenDetails openDetails);
    ~NotificationSurface() override;

    void Open(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
              Ended ended) override;
    void CloseOpen() override;

private slots:
    void OnActionInvoked(uint id, const QString& key);
    void OnClosed(uint id, uint reason);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
