#pragma once

#include <QList>
#include <QObject>

#include <memory>

class QAction;
class QMenu;

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI {

// The tray's context menu: settings, event log viewer, the Login submenu with one item per
// monitored entry (built anew each time the menu opens), About and exit. A Login item opens the
// device's page for the entry's account.
class PopupMenu : public QObject
{
    Q_OBJECT

public:
    explicit PopupMenu(const MonitoredEntry::EntryManager& entries, QObject* parent = nullptr);
    ~PopupMenu() override;

    QMenu* GetMenu() const;
    // Settings, About and exit, for a window that stands in for the tray.
    QList<QAction*> GetWindowActions() const;
    // Until the monitored users dialog exists, its item stays disabled.
    void EnableSettings(bool enable);
    // Rebuilds the Login submenu from the monitored entries, in identifier order.
    void ConstructSubMenu();

signals:
    void SettingsRequested();
    void ViewerRequested();
    void AboutRequested();
    void ExitRequested();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
