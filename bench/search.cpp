// A device search with one mDNS device in a network namespace and two SNMP agents on loopback: time
// to the first result the search hands on and to the complete result (the search's own end rule).
// The first search meets a cold mDNS cache on the browsing side; the later ones a warm one. The
// mDNS counters time the mDNS device alone (the agents on loopback answer first).
#include "Utility/SearchAgent.hpp"
#include "support/MdnsNetwork.hpp"
#include "support/SnmpAgent.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace OrvaneTest;
using Clock = std::chrono::steady_clock;

const char* const Device = R"(<?xml version="1.0" standalone='no'?>
<!DOCTYPE service-group SYSTEM "avahi-service.dtd">
<service-group><name>Bench MFP</name>
  <service><type>_ipp._tcp</type><port>631</port><txt-record>ty=Bench MFP</txt-record></service>
  <service><type>_ipps._tcp</type><port>631</port></service>
  <service><type>_http._tcp</type><subtype>_printer._sub._http._tcp</subtype><port>8080</port></service>
</service-group>
)";

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

void SearchToFirstAndCompleteResult(benchmark::State& state)
{
    const std::string reason = MdnsNetwork::unavailableReason();
    if (!reason.empty()) {
        state.SkipWithError(reason.c_str());
        return;
    }
    TempDir folder;
    const std::string bus = (folder / "bus").string();
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + bus).c_str(), 1);
    MdnsNetwork network({{"bench.service", Device}}, bus);
    SnmpAgent first("127.0.0.2", {"sysName bench-1"});
    SnmpAgent second("127.0.0.3", {"sysName bench-2"});
    if (!network.waitForDaemons() || !first.waitReady() || !second.waitReady()) {
        state.SkipWithError("the daemons did not start");
        return;
    }
    Orvane::Utility::DeviceSearch::Options options;
    options.snmp.hosts = {first.target(), second.target()};
    options.snmp.broadcast = false;
    Orvane::MonitoredEntry::MFP defaults;
    double firstTotal = 0, mdnsTotal = 0, coldFirst = -1, coldMdns = -1, coldComplete = -1;
    std::size_t found = 0;
    for (auto _ : state) {
        Orvane::Utility::SearchAgent agent(options, defaults, folder.path().string() + "/");
        const Clock::time_point start = Clock::now();
        Clock::time_point firstResult {}, firstMdns {};
        bool all = false;
        agent.Search([&](const std::vector<Orvane::Utility::FoundDevice>& devices) {
            if (firstResult == Clock::time_point {})
                firstResult = Clock::now();
            all = devices.size() == 3;
            for (const auto& device : devices)
                if (firstMdns == Clock::time_point {} && device.sources.front() == "mdns")
                    firstMdns = Clock::now();
        });
        const Clock::duration complete = Clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(complete).count());
        firstTotal += Milliseconds(firstResult - start);
        mdnsTotal += Milliseconds(firstMdns - start);
        if (coldFirst < 0) {
            coldFirst = Milliseconds(firstResult - start);
            coldMdns = Milliseconds(firstMdns - start);
            coldComplete = Milliseconds(complete);
        }
        found = agent.GetFoundDevices().size();
        if (!all)
            state.SkipWithError("the search did not find all three devices");
    }
    state.counters["first_ms"] = firstTotal / state.iterations();
    state.counters["mdns_first_ms"] = mdnsTotal / state.iterations();
    state.counters["cold_first_ms"] = coldFirst;
    state.counters["cold_mdns_first_ms"] = coldMdns;
    state.counters["cold_complete_ms"] = coldComplete;
    state.counters["devices"] = static_cast<double>(found);
}

BENCHMARK(SearchToFirstAndCompleteResult)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
