#pragma once

#include "MonitoredEntry/Exceptions.hpp"
#include "MonitoredEntry/Serialization/MalformedStore.hpp"

#include <boost/serialization/nvp.hpp>
#include <boost/throw_exception.hpp>

#include <cstddef>
#include <cstdint>

namespace Orvane::MonitoredEntry::Serialization {

// Sane upper bounds of the stored sequences, far above anything the program writes. Items are read
// one at a time and nothing is reserved from a count, so these only turn an absurd count into an
// early, clear failure.
constexpr std::uint64_t MaxStoredEntries = 4096;
constexpr std::uint64_t MaxStoredEvents = 1 << 20;
constexpr std::uint64_t MaxStoredFeedItems = 1 << 20;
constexpr std::uint64_t MaxStoredPasswordBytes = 4096;

// "count" and "item_version" in front of the items of a sequence.
template <class Archive>
void SaveSequenceHeader(Archive& ar, std::size_t count, unsigned int itemVersion)
{
    const std::uint64_t stored = count;
    ar << boost::serialization::make_nvp("count", stored);
    ar << boost::serialization::make_nvp("item_version", itemVersion);
}

// The item count; raises MalformedStore beyond `limit`. The item version is not used.
template <class Archive>
std::size_t LoadSequenceHeader(Archive& ar, std::uint64_t limit)
{
    std::uint64_t count = 0;
    unsigned int itemVersion = 0;
    ar >> boost::serialization::make_nvp("count", count);
    ar >> boost::serialization::make_nvp("item_version", itemVersion);
    if (count > limit)
        BOOST_THROW_EXCEPTION(MalformedStore() << ErrorMessage("a sequence longer than any store holds"));
    return static_cast<std::size_t>(count);
}

} // namespace Orvane::MonitoredEntry::Serialization
