#pragma once

#include <kestle/exception.hpp>

#include <boost/exception/info.hpp>

#include <string>

namespace Orvane::MonitoredEntry {

// A violation of an entry-model rule.
struct DBException : virtual kestle::logic_error
{ };
struct DuplicateEntry : virtual DBException
{ };
struct DuplicateEvent : virtual DBException
{ };
struct InvalidEntry : virtual DBException
{ };
struct MissingEntry : virtual DBException
{ };
struct MissingEvent : virtual DBException
{ };
struct OverLimitEntryCount : virtual DBException
{ };

// The message the entry model attaches to its exceptions.
using ErrorMessage = boost::error_info<struct ErrorMessageTag, std::string>;

} // namespace Orvane::MonitoredEntry
