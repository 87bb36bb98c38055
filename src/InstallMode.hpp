#pragma once

#include "CommandLine.hpp"
#include "MonitoredEntry/Entry.hpp"
#include "RunMode.hpp"

#include <functional>
#include <memory>

namespace Orvane {

class SingleInstance;
namespace MonitoredEntry {
class EntryManager;
}

// Starts over: takes the lock from a running instance, resets the configuration and stores the one
// entry the command line describes as the whole data store. Installers read the outcome from the
// exit code: 13 bad options, 20 entry limit, 21 the running instance kept the lock (or the entry
// duplicates one), 22 invalid entry, 30 the data store could not be saved, 10 anything else.
class InstallMode : public RunMode
{
public:
    // Lets the user review the new entry's settings, modally, before it is saved; returns when the
    // user has closed them. The desktop build gives one where windows can be shown.
    using SettingsSheet
        = std::function<void(MonitoredEntry::EntryManager& manager, const MonitoredEntry::Entry::ID& id)>;

    // Without a settings sheet the entry is stored as built.
    InstallMode(SingleInstance& instance, const CommandLine::InstallOptions& options,
                SettingsSheet sheet = SettingsSheet());
    ~InstallMode() override;

    bool Execute() override;
    // Saves the data store when Execute succeeded, and releases the lock.
    void Finish() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
