#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "Utility/SearchAgent.hpp"

#include <QDialog>

#include <memory>

class QPushButton;
class QTabWidget;

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI {

class EntryConfigPage;

// The settings of one entry on three tabs (device, account, settings), with OK and Cancel. OK is
// usable exactly while every page is valid; it stores each page that was shown in a transaction of
// its own. An entry removed meanwhile closes the sheet and nothing more is stored.
class EntryConfigSheet : public QDialog
{
public:
    // The manager must outlive the sheet; the agent serves the device page's device selection.
    EntryConfigSheet(MonitoredEntry::EntryManager& manager, const MonitoredEntry::Entry::ID& id,
                     Utility::SearchAgent agent, QWidget* parent = nullptr);
    ~EntryConfigSheet() override;

    MonitoredEntry::EntryManager& GetManager() const;
    const MonitoredEntry::Entry::ID& GetEntryID() const;
    Utility::SearchAgent& GetSearchAgent() const;

    bool IsAllValid() const;
    void EnableOK(bool enable);
    // Closes the sheet soon, storing nothing more.
    void RequestClose();

    QTabWidget& GetTabs() const;
    QPushButton& GetOKButton() const;

    void accept() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
