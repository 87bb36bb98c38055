#pragma once

#include "MonitoredEntry/EntryManager.hpp"

#include <memory>
#include <string>

namespace Orvane::MonitoredEntry::Serialization {

// The XML document of the data store: the archive's frame around the root "Orvane", which is the
// manager. The caller holds the manager's lock.
std::wstring WriteStore(const EntryManager& manager);

// A new manager read from a store document. A document that ends right after the manager's data
// is complete. Raises the archive's exceptions, MalformedStore and those of the entry model; the
// settings reader may leave the legacy switch on (LegacyConfig.hpp).
std::unique_ptr<EntryManager> ReadStore(const std::wstring& document);

} // namespace Orvane::MonitoredEntry::Serialization
