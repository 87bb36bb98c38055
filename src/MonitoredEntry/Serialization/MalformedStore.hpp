#pragma once

#include <kestle/exception.hpp>

namespace Orvane::MonitoredEntry::Serialization {

// The data store is well-formed XML but not a store this program can take: a count beyond any sane
// size, a byte out of range, an object given only as a reference to another. Carries ErrorMessage.
struct MalformedStore : virtual kestle::runtime_error
{ };

} // namespace Orvane::MonitoredEntry::Serialization
