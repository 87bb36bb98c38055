#pragma once

#include "support/ChildProcess.hpp"
#include "support/TestSupport.hpp"

#include <chrono>
#include <memory>
#include <string>

namespace OrvaneTest {

// Two network namespaces of the test's own joined by a veth pair (10.77.0.1 and 10.77.0.2), each
// with a private system bus and its own avahi-daemon: the device side publishes the given
// service-group files, the browsing side is where a search looks. No packet reaches the machine's
// own interfaces. Needs root; see unavailableReason.
class MdnsNetwork
{
public:
    // Why the network cannot be made here; empty when it can.
    static std::string unavailableReason();

    // services: file name -> service-group XML, published by the device side "orvdev-PID.local".
    // The browsing side's bus listens on browserBus: a process keeps the first system bus address it
    // uses, so tests of one process give every network the same path. Raises std::runtime_error
    // when a step fails.
    MdnsNetwork(const std::map<std::string, std::string>& services, const std::string& browserBus);
    ~MdnsNetwork();
    MdnsNetwork(const MdnsNetwork&) = delete;
    MdnsNetwork& operator=(const MdnsNetwork&) = delete;

    // The browsing side's system bus, for DBUS_SYSTEM_BUS_ADDRESS.
    std::string busAddress() const;
    std::string deviceHostName() const;
    // Until the browsing side's daemon resolves a service of this type.
    bool waitForService(const std::string& type, std::chrono::milliseconds deadline = std::chrono::seconds(30));
    // Until both daemons run and the device's services are published, without browsing.
    bool waitForDaemons(std::chrono::milliseconds deadline = std::chrono::seconds(30));

private:
    struct Side;
    void startSide(Side& side, const std::map<std::string, std::string>& services);

    TempDir m_folder;
    std::string m_prefix;
    std::unique_ptr<Side> m_device;
    std::unique_ptr<Side> m_browser;
    std::string m_browserBus;
};

} // namespace OrvaneTest
