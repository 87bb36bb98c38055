#pragma once

#include <boost/noncopyable.hpp>

#include <memory>
#include <vector>

namespace Orvane::UI::VirtualList {

// What a list shows: the keys that exist, whether a key still denotes data, and the lock under which
// the list reads the data behind the keys.
template <class K>
class Source : boost::noncopyable
{
public:
    using Key = K;
    using Keys = std::vector<Key>;

    virtual ~Source() = default;

    // All current keys, in the container's order.
    virtual std::unique_ptr<Keys> GetKeys() const = 0;
    virtual bool Contains(const Key& key) const = 0;
    // The container's lock; the same thread may take it again.
    virtual void Lock() const = 0;
    virtual void Unlock() const = 0;
};

} // namespace Orvane::UI::VirtualList
