#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/Observer.hpp"

#include <QDialog>
#include <QList>

#include <functional>
#include <memory>
#include <utility>

class QAction;

namespace Orvane::MachineEvent {
class Event;
}
namespace Orvane::Monitor {
class Signal;
}
namespace Orvane::UI::VirtualList {
class EntryListCtrl;
class EventListCtrl;
} // namespace Orvane::UI::VirtualList

namespace Orvane::UI {

// The event log viewer: every entry on the left, the events of the selected entry on the right,
// with login, mark all read and refresh for the selected entry. It follows every change of the
// entries from the moment it is made until it is destroyed. Closing it (close button, Enter, Esc)
// only hides it: the owner decides whether it is destroyed (Qt::WA_DeleteOnClose).
class EventLogDlg : public QDialog, public MonitoredEntry::Observer
{
public:
    using EventKey = std::pair<MonitoredEntry::Entry::ID, MonitoredEntry::Event::ID>;

    struct Hooks
    {
        // Hands a signal to the event monitor manager; refresh sends an update signal of the
        // selected entry's device. Without it refresh does nothing.
        std::function<void(const Monitor::Signal& signal)> refresh;
        // Shows a double-clicked event, after it has been marked read. Without it nothing more
        // happens.
        std::function<void(const MachineEvent::Event& event, const EventKey& key)> openEvent;
    };

    // The manager must outlive the viewer. extraActions, when not empty, are offered as buttons at
    // the bottom left (the tray menu's entries when there is no tray); they are not owned.
    // Raises Orvane::SystemError when the list pictures cannot be loaded.
    explicit EventLogDlg(MonitoredEntry::EntryManager& manager, Hooks hooks = Hooks(),
                         const QList<QAction*>& extraActions = QList<QAction*>(), QWidget* parent = nullptr);
    ~EventLogDlg() override;

    // Any thread: a reload is queued to the viewer's thread (one for a burst of changes).
    void Update(const MonitoredEntry::EntryManager& manager) override;

    // Reloads the entry list, keeping the selected entry, then the selection's part.
    void Reload();

    VirtualList::EntryListCtrl& GetEntryList() const;
    VirtualList::EventListCtrl& GetEventList() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
