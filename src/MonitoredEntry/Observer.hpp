#pragma once

#include <boost/noncopyable.hpp>

namespace Orvane::MonitoredEntry {

class EntryManager;

// Told that the entries changed: after every committed transaction and once after registering. It
// is called on the manager's own thread while the manager's observer list is locked, so it must not
// add or remove observers and must not wait for the entry lock; it should only hand the news to a
// thread of its own, which then re-reads the entries.
class Observer : boost::noncopyable
{
public:
    virtual ~Observer() = default;
    virtual void Update(const EntryManager& manager) = 0;
};

} // namespace Orvane::MonitoredEntry
