#pragma once

#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/EntryProperty.hpp"
#include "Utility/SearchAgent.hpp"

#include <QWizard>

#include <exception>
#include <memory>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::UI::EntryWizard {

// Adds one entry in three steps: the device (found on the network or typed in), the account
// (picked from the device's list when the device lists its users, typed in otherwise), and the
// confirmation, which appends the entry and may open the device's notified-items page once the
// entry is subscribed. Back returns to the page the current one was entered from.
class Wizard : public QWizard
{
public:
    enum PageId { MachineSelect = 107, UserSelect = 108, UserInput = 109, Commit = 110 };

    // The manager must outlive the wizard; the agent's last search fills the device list.
    Wizard(MonitoredEntry::EntryManager& manager, Utility::SearchAgent agent, QWidget* parent = nullptr);
    ~Wizard() override;

    // Runs the wizard modally and answers its result; what the commit raised (an entry added
    // meanwhile, an invalid or duplicate entry, a failed page opening) ends the run and leaves here.
    int Run();
    // Ends the run with the error Run raises.
    void Fail(std::exception_ptr error);

    // The entry being put together, starting as the configured default entry.
    const MonitoredEntry::EntryProperty& GetEntryProperty() const;
    void SetEntryProperty(const MonitoredEntry::EntryProperty& property);
    MonitoredEntry::EntryManager& GetManager() const;
    Utility::SearchAgent& GetSearchAgent() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI::EntryWizard
