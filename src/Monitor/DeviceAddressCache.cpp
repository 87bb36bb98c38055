#include "Monitor/DeviceAddressCache.hpp"

#include "MonitoredEntry/MFP.hpp"

#include <boost/optional/optional.hpp>

#include <mutex>

namespace Orvane::Monitor {

namespace {

using Clock = std::chrono::steady_clock;

DeviceAddresses ResolveOrNothing(const MonitoredEntry::MFP& mfp)
{
    try {
        return DeviceAddresses::Resolve(mfp);
    } catch (...) {
        // A host that does not resolve matches no sender; the regular check still reads its feed.
        return DeviceAddresses(mfp.GetHost(), {});
    }
}

} // namespace

struct DeviceAddressCache::Pimpl
{
    std::chrono::milliseconds lifetime;
    std::mutex mutex;
    DeviceAddresses addresses;
    bool ssl = false;
    boost::optional<Clock::time_point> resolvedAt;

    bool IsFresh(const MonitoredEntry::MFP& mfp, Clock::time_point now) const
    {
        return resolvedAt && now - *resolvedAt < lifetime && addresses.GetHost() == mfp.GetHost() && ssl == mfp.IsSSL();
    }
};

DeviceAddressCache::DeviceAddressCache(std::chrono::milliseconds lifetime)
    : m_pimpl(std::make_shared<Pimpl>())
{
    m_pimpl->lifetime = lifetime;
}

DeviceAddresses DeviceAddressCache::Get(const MonitoredEntry::MFP& mfp)
{
    Pimpl& p = *m_pimpl;
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        if (p.IsFresh(mfp, Clock::now()))
            return p.addresses;
    }
    const DeviceAddresses resolved = ResolveOrNothing(mfp);
    std::lock_guard<std::mutex> lock(p.mutex);
    p.addresses = resolved;
    p.ssl = mfp.IsSSL();
    p.resolvedAt = Clock::now();
    return resolved;
}

} // namespace Orvane::Monitor
