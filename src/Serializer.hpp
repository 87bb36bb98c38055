#pragma once

#include "MonitoredEntry/EntryManager.hpp"

#include <cstddef>
#include <memory>
#include <string>

namespace Orvane {

// The largest data store: Save refuses to write a larger one and Load to read one. Feeds and device
// texts are bounded where they are received, so a store stays far below it.
constexpr std::size_t MaxStoreSize = std::size_t {64} << 20;

// Owns the entry manager and moves it between memory and the data store "data.dat". Copies share
// one manager.
class Serializer
{
public:
    // The store in the program's folder (System::GetAppDataDir), with a new empty manager.
    Serializer();
    // The store in the given folder, at most maxSize bytes.
    explicit Serializer(const std::string& folder, std::size_t maxSize = MaxStoreSize);

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
// store. After a successful read the store's bytes are kept as the load backup, written through a
// temporary; a backup that cannot be written is a warning on standard error and nothing else.
// Anything raised leaves the manager and the files as they were: the archive's exceptions,
// MonitoredEntry's exceptions, MalformedStore for a file larger than the bound, SystemError for a
// file that cannot be read.
void Load(Serializer& serializer);

// Writes the manager, read under its lock, to the save temporary, flushes it to disk and renames it
// over the data store, so the store is at every moment either the old or the new complete file.
// Raises SystemError: EFBIG (without writing) for a store larger than the bound, and the kept error
// (without writing) after LoadOnStartUp left a store in place that it could not read or not move
// aside, until a Load succeeds.
void Save(const Serializer& serializer);

// The load of a program start: Load, and once more when the first attempt failed on a store of
// the older format (LegacyConfig.hpp). False when the store could not be loaded, and the manager is
// left as it was. A store that does not parse has then been moved aside under a name beginning
// "data.dat.unreadable-", so that the next save cannot overwrite it; one that could not be read (a
// read error) is left in place. In both cases when it is still there, Save refuses until a Load
// succeeds.
bool LoadOnStartUp(Serializer& serializer);

} // namespace Orvane
