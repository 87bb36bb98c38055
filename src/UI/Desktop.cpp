#include "UI/Desktop.hpp"

#include "UI/SystemTrayIcon.hpp"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include <iostream>

namespace Orvane::UI {

namespace {

const QString NotificationsService = QStringLiteral("org.freedesktop.Notifications");
const QString NotificationsPath = QStringLiteral("/org/freedesktop/Notifications");
const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
constexpr int WatcherTimeoutMs = 250;

// Qt asks the same question once per process and keeps the answer; so do we.
bool HasStatusNotifierHost(const QDBusConnection& bus)
{
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(WatcherService))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(WatcherService, QStringLiteral("/StatusNotifierWatcher"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << WatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, WatcherTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && qvariant_cast<QDBusVariant>(reply.arguments().first()).variant().toBool();
}

Desktop::TrayKind FindTrayKind()
{
    if (HasStatusNotifierHost(QDBusConnection::sessionBus()))
        return Desktop::TrayKind::StatusNotifierItem;
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return Desktop::TrayKind::XEmbed;
    return Desktop::TrayKind::None;
}

QString TrayKindText(Desktop::TrayKind kind)
{
    switch (kind) {
    case Desktop::TrayKind::StatusNotifierItem:
        return QStringLiteral("StatusNotifierItem");
    case Desktop::TrayKind::XEmbed:
        return QStringLiteral("XEmbed");
    case Desktop::TrayKind::None:
        break;
    }
    return QStringLiteral("none");
}

QDBusMessage NotificationsCall(const QString& method)
{
    return QDBusMessage::createMethodCall(NotificationsService, NotificationsPath, NotificationsService, method);
}

} // namespace

struct Desktop::Pimpl
{
    void AskNotificationServer(Desktop& desktop);
    void Answered(Desktop& desktop);
    void Write() const;
    Facts GetFacts() const;

    std::unique_ptr<SystemTrayIcon> tray = std::make_unique<SystemTrayIcon>();
    QString platform = QGuiApplication::platformName();
    TrayKind trayKind = FindTrayKind();
    QString server = QStringLiteral("(asking)");
    QStringList capabilities;
    bool serverAnswered = false;
    int unanswered = 2;
    bool verbose = false;
};

void Desktop::Pimpl::AskNotificationServer(Desktop& desktop)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        server = QStringLiteral("none (no session bus)");
        unanswered = 0;
        return;
    }
    // Servers started on demand may take a while; nothing waits for them.
    auto* info = new QDBusPendingCallWatcher(bus.asyncCall(NotificationsCall(QStringLiteral("GetServerInformation"))),
                                             &desktop);
    QObject::connect(info, &QDBusPendingCallWatcher::finished, &desktop, [this, &desktop](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<QString, QString, QString, QString> reply = *call;
        serverAnswered = !reply.isError();
        server = reply.isError() ? QStringLiteral("none")
                                 : QStringLiteral("%1 %2 (%3)").arg(reply.argumentAt<0>(), reply.argumentAt<2>(),
                                                                    reply.argumentAt<1>());
        call->deleteLater();
        Answered(desktop);
    });
    auto* caps = new QDBusPendingCallWatcher(bus.asyncCall(NotificationsCall(QStringLiteral("GetCapabilities"))),
                                             &desktop);
    QObject::connect(caps, &QDBusPendingCallWatcher::finished, &desktop, [this, &desktop](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<QStringList> reply = *call;
        capabilities = reply.isError() ? QStringList() : reply.value();
        call->deleteLater();
        Answered(desktop);
    });
}

void Desktop::Pimpl::Answered(Desktop& desktop)
{
    if (--unanswered == 0)
        Write();
    emit desktop.FactsChanged();
}

Desktop::Facts Desktop::Pimpl::GetFacts() const
{
    Facts facts {{QStringLiteral("Platform"), platform},
                 {QStringLiteral("Tray"), TrayKindText(trayKind)},
                 {QStringLiteral("Notifications"), server}};
    if (!capabilities.isEmpty())
        facts.emplace_back(QStringLiteral("Capabilities"), capabilities.join(QStringLiteral(", ")));
    return facts;
}

void Desktop::Pimpl::Write() const
{
    if (!verbose)
        return;
    for (const auto& [label, value] : GetFacts())
        std::cerr << "orvane: " << label.toStdString() << ": " << value.toStdString() << '\n';
    std::cerr.flush();
}

Desktop::Desktop(QObject* parent)
    : QObject(parent)
    , m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->AskNotificationServer(*this);
}

Desktop::~Desktop() = default;

SystemTrayIcon& Desktop::GetTray() const
{
    return *m_pimpl->tray;
}

Desktop::TrayKind Desktop::GetTrayKind() const
{
    return m_pimpl->trayKind;
}

bool Desktop::HasTray() const
{
    return m_pimpl->trayKind != TrayKind::None;
}

bool Desktop::CanPlaceWindows() const
{
    return !m_pimpl->platform.startsWith(QStringLiteral("wayland"));
}

bool Desktop::UsesNotifications() const
{
    const bool asked = qEnvironmentVariable("ORVANE_NOTIFICATIONS") == QStringLiteral("1");
    return m_pimpl->serverAnswered && (asked || !CanPlaceWindows());
}

QStringList Desktop::GetNotificationCapabilities() const
{
    return m_pimpl->capabilities;
}

Desktop::Facts Desktop::GetFacts() const
{
    return m_pimpl->GetFacts();
}

void Desktop::SetVerbose(bool verbose)
{
    m_pimpl->verbose = verbose;
    if (m_pimpl->unanswered == 0)
        m_pimpl->Write();
}

} // namespace Orvane::UI
