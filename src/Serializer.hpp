#pragma once

#include "MonitoredEntry/EntryManager.hpp"

#include <memory>
#include <string>

namespace Orvane {

// Owns the entry manager and moves it between memory and the data store "data.dat". Copies share
// one manager.
class Serializer
{
public:
    // The store in the program's folder (System::GetAppDataDir), with a new empty manager.
    Serializer();
    // The store in the given folder.
    explicit Serializer(const std::string& folder);

    MonitoredEntry::EntryManager& GetEntryManager() const;
    // The data store file; its load backup and save temporary add ".bak" and ".tmp".
    std::string GetPath() const;

private:
    friend void Load(Serializer& serializer);
    friend void Save(const Serializer& serializer);
    friend bool LoadOnStartUp(Serializer& serializer);

    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

// Replaces the manager with one read from the data store, or with an empty one when there is no
// store. After a successful read the store's bytes are kept as the load backup. Anything raised
// leaves the manager and the files as they were: the archive's exceptions, MonitoredEntry's
// exceptions, MalformedStore for a file that is too large, SystemError for a file that cannot be read
// or a backup that cannot be written.
void Load(Serializer& serializer);

// Writes the manager, read under its lock, to the save temporary, flushes it to disk and renames it
// over the data store, so the store is at every moment either the old or the new complete file.
// Raises SystemError, also (without writing) after LoadOnStartUp could not move an unreadable store
// aside.
void Save(const Serializer& serializer);

// The load of a program start: Load, and once more when the first attempt failed on a store of
// the older format (LegacyConfig.hpp). False when the store could not be read: the file has then been
// moved aside under a name beginning "data.dat.unreadable-", so that the next save cannot overwrite it
// (when even that fails, Save refuses until a Load succeeds), and the manager is left as it was.
bool LoadOnStartUp(Serializer& serializer);

} // namespace Orvane
