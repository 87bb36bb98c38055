#pragma once

#include "MonitoredEntry/MFP.hpp"
#include "Utility/DeviceSearch.hpp"
#include "Utility/FoundDevice.hpp"

#include <memory>
#include <string>
#include <vector>

namespace Orvane::Utility {

// Finds devices on the local network and offers them as device records; keeps the devices of the
// last search and the device selected last. Copies share their state.
class SearchAgent
{
public:
    // mDNS, and SNMP to the broadcast address of every interface; records start from the
    // configuration's default device.
    SearchAgent();
    // The device selected last is kept in folder (the program's folder when empty).
    SearchAgent(const DeviceSearch::Options& options, const MonitoredEntry::MFP& defaults,
                const std::string& folder = std::string());
    ~SearchAgent();

    static DeviceSearch::Options DefaultOptions();

    // Searches the network now and replaces the found devices with what it found. The listener
    // hears, on the calling thread, of the devices found so far each time they change. Raises
    // kestle::communication_failure when a source could not talk to its party (the mDNS daemon
    // failed, no SNMP target could be reached) and Orvane::SystemError when the search could not get
    // what it needs from the system; the devices found until then are kept. No daemon and no answer
    // is an empty result, not a failure.
    void Search(const DeviceSearch::Listener& listener = DeviceSearch::Listener());
    // From any thread: a running search ends soon with what it has found.
    void Cancel();

    // The devices of the last search, in the order of the search's records. Read them on the
    // thread that searched, or once the search is over.
    const std::vector<MonitoredEntry::MFP>& GetFoundDevices() const;
    const std::vector<FoundDevice>& GetFoundRecords() const;

    // The device selected last; the zero record (no name, empty host, ports 0) when there is none.
    // Raises Orvane::SystemError when its file cannot be read.
    const MonitoredEntry::MFP& GetSelectedDevice();
    // Keeps the device as the one selected last. Raises Orvane::SystemError.
    void SelectDevice(const MonitoredEntry::MFP& device);

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Utility
