#include "UI/NotificationSurface.hpp"

#include "UI/DocumentActions.hpp"
#include "UI/NotificationRequest.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

#include <optional>

namespace Orvane::UI {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
constexpr uint ReasonDismissed = 2;

QDBusMessage Call(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, Path, Service, method);
}

} // namespace

struct NotificationSurface::Pimpl
{
    // The notification on screen: its request, its id once the server has answered, how it ends.
    struct Shown
    {
        MachineEvent::PopupPresenter::Request request;
        bool markRead = false;
        std::optional<uint> id;
        Ended ended;
        bool closeWhenKnown = false;
    };

    void End(const MachineEvent::PopupPresenter::Result& result);
    void CloseOnServer();

    QStringList capabilities;
    OpenDetails openDetails;
    QTimer erase;
    std::optional<Shown> shown;
};

void NotificationSurface::Pimpl::End(const MachineEvent::PopupPresenter::Result& result)
{
    if (!shown)
        return;
    erase.stop();
    const Ended ended = shown->ended;
    CloseOnServer();
    shown.reset();
    ended(result);
}

void NotificationSurface::Pimpl::CloseOnServer()
{
    if (!shown->id)
        return;
    QDBusMessage close = Call(QStringLiteral("CloseNotification"));
    close << *shown->id;
    QDBusConnection::sessionBus().asyncCall(close);
}

NotificationSurface::NotificationSurface(QStringList capabilities, OpenDetails openDetails)
    : m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->capabilities = std::move(capabilities);
    m_pimpl->openDetails = std::move(openDetails);
    m_pimpl->erase.setSingleShot(true);
    m_pimpl->erase.setTimerType(Qt::PreciseTimer);
    connect(&m_pimpl->erase, &QTimer::timeout, this, [this] { m_pimpl->End({}); });
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(Service, Path, Service, QStringLiteral("ActionInvoked"), this, SLOT(OnActionInvoked(uint, QString)));
    bus.connect(Service, Path, Service, QStringLiteral("NotificationClosed"), this, SLOT(OnClosed(uint, uint)));
}

NotificationSurface::~NotificationSurface() = default;

void NotificationSurface::Open(const MachineEvent::PopupPresenter::Request& request, const EventThumbnail& thumbnail,
                               Ended ended)
{
    const NotificationRequest notification(request, thumbnail, m_pimpl->capabilities);
    m_pimpl->shown.emplace(Pimpl::Shown {request, notification.IsMarkRead(), std::nullopt, std::move(ended), false});
    QDBusMessage notify = Call(QStringLiteral("Notify"));
    notify.setArguments(notification.Arguments());
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (!m_pimpl->shown || m_pimpl->shown->id)
            return;
        if (reply.isError())
            return m_pimpl->End({});
        m_pimpl->shown->id = reply.value();
        if (m_pimpl->shown->closeWhenKnown)
            m_pimpl->End({});
    });
    if (notification.GetEraseTime() > 0)
        m_pimpl->erase.start(notification.GetEraseTime());
}

void NotificationSurface::CloseOpen()
{
    if (m_pimpl->shown && !m_pimpl->shown->id)
        m_pimpl->shown->closeWhenKnown = true; // closed on the server once it has said which it is
    else
        m_pimpl->End({});
}

// Servers differ in whether an action is followed by a close: the action is the end.
void NotificationSurface::OnActionInvoked(uint id, const QString& key)
{
    if (!m_pimpl->shown || m_pimpl->shown->id != id)
        return;
    const MachineEvent::PopupPresenter::Request request = m_pimpl->shown->request;
    if (key == NotificationRequest::Viewer)
        return m_pimpl->End({0, true});
    const bool markRead = m_pimpl->shown->markRead;
    m_pimpl->End({MachineEvent::PopupPresenter::ResultRead, false});
    DocumentActions actions(request.event);
    actions.SetMarkRead(markRead);
    if (key == NotificationRequest::Preview)
        actions.Preview(nullptr);
    else if (key == NotificationRequest::Print)
        actions.Print(nullptr);
    else if (m_pimpl->openDetails)
        m_pimpl->openDetails(request);
}

void NotificationSurface::OnClosed(uint id, uint reason)
{
    if (!m_pimpl->shown || m_pimpl->shown->id != id)
        return;
    m_pimpl->shown->id.reset(); // gone on the server already
    m_pimpl->End({reason == ReasonDismissed ? MachineEvent::PopupPresenter::ResultRead : 0, false});
}

} // namespace Orvane::UI
