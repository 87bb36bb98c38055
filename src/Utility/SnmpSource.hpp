#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace Orvane::Utility {

class SearchChannel;

// SNMP v2c for networks without mDNS: one GET of sysName, sysDescr and the Printer-MIB printer
// name to every target at once. Every net-snmp call of one search stays on the thread that calls
// Run, through the library's per-session interface.
class SnmpSource
{
public:
    struct Targets
    {
        // "HOST" or "HOST:PORT" (port 161 when none).
        std::vector<std::string> hosts;
        // Also the broadcast address of every IPv4 interface that is up.
        bool broadcast = false;
        std::string community = "public";
        // How long an answer is waited for.
        std::chrono::milliseconds window {2000};
    };

    explicit SnmpSource(const Targets& targets);
    ~SnmpSource();
    SnmpSource(const SnmpSource&) = delete;
    SnmpSource& operator=(const SnmpSource&) = delete;

    // Posts every agent's answer to the channel, and returns when
    // every target has answered or the window has passed, at the deadline or at Stop. A target
    // that cannot be reached is skipped; when none can be, that is a communication failure. A
    // socket the search cannot get is a system failure.
    void Run(SearchChannel& channel, std::chrono::steady_clock::time_point deadline);
    // From any thread: Run returns soon.
    void Stop();

    // Targets asked in one search, and answers taken from one broadcast.
    static constexpr std::size_t TargetsMax = 256;
    static constexpr std::size_t AnswersMax = 1024;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Utility
