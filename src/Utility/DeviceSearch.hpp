#pragma once

#include "MonitoredEntry/MFP.hpp"
#include "Utility/FoundDevice.hpp"
#include "Utility/SearchError.hpp"
#include "Utility/SnmpSource.hpp"

#include <boost/optional/optional.hpp>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace Orvane::Utility {

// One search of the network: mDNS and SNMP each on a thread of their own, their answers merged
// into device records on the thread that runs the search.
class DeviceSearch
{
public:
    struct Options
    {
        // The longest the search takes.
        std::chrono::milliseconds timeout {5000};
        // The search never ends earlier (unless every source has ended), or a cold mDNS cache
        // misses devices...
        std::chrono::milliseconds minimum {2500};
        // ...and only once nothing new arrived for this long.
        std::chrono::milliseconds quiet {1000};
        bool mdns = true;
        SnmpSource::Targets snmp;
    };

    // Called on the searching thread each time the devices found so far change.
    using Listener = std::function<void(const std::vector<FoundDevice>&)>;

    struct Result
    {
        std::vector<FoundDevice> devices;
        boost::optional<SearchError> error;
    };

    DeviceSearch(const Options& options, const MonitoredEntry::MFP& defaults);
    ~DeviceSearch();
    DeviceSearch(const DeviceSearch&) = delete;
    DeviceSearch& operator=(const DeviceSearch&) = delete;

    // Searches until the search is complete, the timeout or Cancel. The first failure of a source
    // ends the search; what was found until then is kept.
    Result Run(const Listener& listener);
    // From any thread, also before Run: Run returns soon with what it has found.
    void Cancel();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Utility
