#pragma once

#include <boost/noncopyable.hpp>

namespace Orvane::UI::VirtualList {

// Holds a source's lock for its scope.
template <class S>
class ScopedLock : boost::noncopyable
{
public:
    explicit ScopedLock(const S& source)
        : m_source(source)
    {
        m_source.Lock();
    }
    ~ScopedLock() { m_source.Unlock(); }

private:
    const S& m_source;
};

} // namespace Orvane::UI::VirtualList
