#pragma once

#include "MonitoredEntry/EntryManager.hpp"

#include "support/DevSim.hpp"

#include <gtest/gtest.h>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include <functional>
#include <string>

namespace OrvaneTest {

// The process-wide settings every monitor test runs with: short renewal, retry and machine
// intervals, one free UDP listen port for the whole process (the signal receiver is process-wide
// and binds it once), wide check ranges, and short device time-outs.
struct MonitorSettings
{
    int subscribeMs = 60000;
    int retryMs = 60000;
    int machineMs = 60000;
    int queueSize = 50;
};
void applySettings(const MonitorSettings& settings);
int listenPort();

// One device (the simulator) and the entries that point at it.
class MonitorFixture : public ::testing::Test
{
protected:
    using ID = Orvane::MonitoredEntry::Entry::ID;
    using Property = Orvane::MonitoredEntry::EntryProperty;

    explicit MonitorFixture(const MonitorSettings& settings = MonitorSettings());

    // An entry for `account` on `device` (the fixture's simulator when null), checked every
    // `intervalMs`.
    Property propertyFor(const std::string& account, const DevSim* device = nullptr, int intervalMs = 3600000) const;
    ID addEntry(const std::string& account, const DevSim* device = nullptr, int intervalMs = 3600000,
                bool monitoring = true);
    static ID addEntry(Orvane::MonitoredEntry::EntryManager& manager, const Property& property);
    void change(const ID& id, const std::function<void(Property&)>& edit);
    void remove(const ID& id);
    // A copy of the stored entry; the test fails when it is gone.
    Orvane::MonitoredEntry::Entry entry(const ID& id) const;
    bool hasStatus(const ID& id, int state, int failure) const;

    // Requests of one operation ("SubscribeToFeed", "feed", ...) in the device's request log.
    static int count(const DevSim& device, const std::string& operation);
    // The device's subscribers of the account (address:port texts).
    static std::vector<std::string> subscribers(const DevSim& device, const std::string& account);
    static bool subscribed(const DevSim& device, const std::string& account);

    DevSim sim;
    Orvane::MonitoredEntry::EntryManager entries;
};

// Sends datagrams to the listen port from one loopback address.
class DatagramSender
{
public:
    explicit DatagramSender(const std::string& source);
    // In bursts the size of a socket's receive buffer, paced so the receiver can keep up: beyond
    // that the kernel drops datagrams, a device's among them, whatever the receiver does.
    void send(int count = 1);

private:
    boost::asio::io_context m_io;
    boost::asio::ip::udp::socket m_socket;
};

} // namespace OrvaneTest
