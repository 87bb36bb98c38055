#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace Orvane::UI {

class SystemTrayIcon;

// The one place that knows the desktop session: which Qt platform runs, what kind of tray exists,
// which notification server answers and what it can do. It owns the tray icon; nothing else in the
// interface asks what desktop it runs on.
class Desktop : public QObject
{
    Q_OBJECT

public:
    enum class TrayKind { StatusNotifierItem, XEmbed, None };
    using Facts = std::vector<std::pair<QString, QString>>;

    // Looks at the session at once; the notification server is asked without waiting for it.
    explicit Desktop(QObject* parent = nullptr);
    ~Desktop() override;

    SystemTrayIcon& GetTray() const;
    TrayKind GetTrayKind() const;
    bool HasTray() const;
    // Where windows cannot place themselves (Wayland), popups go to the notification server.
    bool CanPlaceWindows() const;
    // Popups go to the notification server where windows cannot place themselves or the user asks
    // for it (ORVANE_NOTIFICATIONS=1), once a server has answered; else they are windows.
    bool UsesNotifications() const;
    QStringList GetNotificationCapabilities() const;

    // What is known so far, as (label, value) pairs for the About box and --verbose.
    Facts GetFacts() const;
    // Writes the facts to standard error once the notification server has answered or is known to
    // be absent.
    void SetVerbose(bool verbose);

signals:
    void FactsChanged();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
