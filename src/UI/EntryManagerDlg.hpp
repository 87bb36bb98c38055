#pragma once

#include "MonitoredEntry/Observer.hpp"
#include "Utility/SearchAgent.hpp"

#include <QDialog>

#include <memory>

class QPushButton;

namespace Orvane::MonitoredEntry {
class EntryManager;
}
namespace Orvane::UI::VirtualList {
class EntryListCtrl;
}

namespace Orvane::UI {

// The monitored users: every entry with its device, status, account and notice setting, and the
// commands that switch an entry's monitoring, open its device's notified-items page, add an entry
// (the wizard), remove one and edit one (the settings sheet). Every change is a transaction; the
// list follows every change of the entries while the dialog exists.
class EntryManagerDlg : public QDialog, public MonitoredEntry::Observer
{
public:
    // The manager must outlive the dialog; the agent serves the wizard and the settings sheet.
    EntryManagerDlg(MonitoredEntry::EntryManager& manager, Utility::SearchAgent agent, QWidget* parent = nullptr);
    ~EntryManagerDlg() override;

    // Any thread: a reload is queued to the dialog's thread (one for a burst of changes).
    void Update(const MonitoredEntry::EntryManager& manager) override;
    // Reloads the list, keeping the selected entry, and the buttons.
    void Reload();

    // The commands, as their buttons run them (tests).
    void SwitchMonitoring();
    void SelectNoticeItems();
    void AddEntry();
    void RemoveEntry();
    void OpenSettings();

    VirtualList::EntryListCtrl& GetEntryList() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
