#include "Utility/SearchAgent.hpp"

#include "Utility/AnnouncedText.hpp"

#include "support/MdnsNetwork.hpp"
#include "support/SnmpAgent.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

using namespace OrvaneTest;
using Orvane::MonitoredEntry::MFP;
using Orvane::Utility::DeviceSearch;
using Orvane::Utility::FoundDevice;
using Orvane::Utility::SearchAgent;

namespace {

const char* const OfficeDevice = R"(<?xml version="1.0" standalone='no'?>
<!DOCTYPE service-group SYSTEM "avahi-service.dtd">
<service-group>
  <name>Office MFP 4000</name>
  <service><type>_ipp._tcp</type><port>631</port>
    <txt-record>ty=Example MFP 4000</txt-record><txt-record>product=(Example MFP)</txt-record>
    <txt-record>note=2F copy room</txt-record><txt-record>adminurl=https://mfp.local:8443/</txt-record>
    <txt-record>UUID=1b2c3d4e-0000-1111-2222-333344445555</txt-record></service>
  <service><type>_ipps._tcp</type><port>631</port>
    <txt-record>UUID=urn:uuid:1B2C3D4E-0000-1111-2222-333344445555</txt-record></service>
  <service><type>_http._tcp</type><subtype>_printer._sub._http._tcp</subtype><port>8080</port></service>
  <service><type>_pdl-datastream._tcp</type><port>9100</port></service>
</service-group>
)";

// Names and TXT values at the limits of DNS, bytes that are not UTF-8, a flood of TXT strings and an
// adminurl on the IPP port.
std::string HostileDevice()
{
    std::string txt;
    for (int i = 0; i < 150; ++i)
        txt += "<txt-record>junk" + std::to_string(i) + "=" + std::string(200, 'j') + "</txt-record>";
    const std::string notUtf8(254, 'f'); // 127 bytes 0xFF
    return R"(<?xml version="1.0" standalone='no'?>
<!DOCTYPE service-group SYSTEM "avahi-service.dtd">
<service-group>
  <name>)"
        + std::string(21, 'N')
        + "\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F"
          "\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F\xE6\xA9\x9F"
          R"(</name>
  <service><type>_ipp._tcp</type><port>631</port>
    <txt-record value-format="binary-hex">ty=)"
        + notUtf8 + R"(41</txt-record>
    <txt-record>adminurl=http://mfp.local:631/</txt-record>)"
        + txt + R"(</service>
</service-group>
)";
}

DeviceSearch::Options Options(const std::vector<std::string>& snmpHosts)
{
    DeviceSearch::Options options;
    options.timeout = std::chrono::seconds(10);
    options.snmp.hosts = snmpHosts;
    options.snmp.broadcast = false; // never beyond loopback
    return options;
}

MFP Defaults()
{
    MFP mfp;
    mfp.SetHTTP(80);
    mfp.SetHTTPS(443);
    return mfp;
}

const FoundDevice* Find(const std::vector<FoundDevice>& devices, const std::wstring& host)
{
    for (const FoundDevice& device : devices)
        if (device.mfp.GetHost() == host)
            return &device;
    return nullptr;
}

// Every search of these tests talks to a bus of the test's own, or to none: a socket path that
// only a test network's bus listens on. A process keeps the first address it used.
std::string BusSocket()
{
    return (testHome() / "system_bus_socket").string();
}

class SearchWithAgents : public ::testing::Test
{
protected:
    void SetUp() override { ::setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + BusSocket()).c_str(), 1); }

    TempDir folder;
};

class SearchWithDaemons : public SearchWithAgents
{
protected:
    void StartNetwork(const std::map<std::string, std::string>& services)
    {
        const std::string reason = MdnsNetwork::unavailableReason();
        if (!reason.empty())
            GTEST_SKIP() << reason;
        network = std::make_unique<MdnsNetwork>(services, BusSocket());
        ASSERT_TRUE(network->waitForService("_ipp._tcp")) << "the device's services were not found in time";
    }

    std::unique_ptr<MdnsNetwork> network;
};

} // namespace

TEST_F(SearchWithAgents, NoDaemonAndNoAgentIsAnEmptyResultNotAnError)
{
    SearchAgent agent(Options({}), Defaults(), folder.path().string() + "/");
    EXPECT_NO_THROW(agent.Search());
    EXPECT_TRUE(agent.GetFoundDevices().empty());
}

TEST_F(SearchWithAgents, AgentsOnLoopbackAreFoundAndHostileAnswersBounded)
{
    SnmpAgent office("127.0.0.2",
                     {"sysName mfp1-office", "sysDescr Example MFP 4000",
                      "override .1.3.6.1.2.1.43.5.1.1.16.1 octet_str \"Office MFP\""});
    SnmpAgent hostile("127.0.0.3",
                      {"sysName bad\xFF\xFEname",
                       "override .1.3.6.1.2.1.1.1.0 octet_str \"" + std::string(3000, 'x') + "\"",
                       "override .1.3.6.1.2.1.43.5.1.1.16.1 integer 42"});
    ASSERT_TRUE(office.waitReady());
    ASSERT_TRUE(hostile.waitReady());

    SearchAgent agent(Options({office.target(), hostile.target()}), Defaults(), folder.path().string() + "/");
    agent.Search();
    const auto& devices = agent.GetFoundRecords();
    ASSERT_EQ(2u, devices.size());
    EXPECT_EQ(L"Office MFP", devices[0].mfp.GetName().value_or(L"")); // the Printer-MIB name
    EXPECT_EQ(80, devices[0].mfp.GetHTTP().value_or(-1));
    EXPECT_EQ(443, devices[0].mfp.GetHTTPS().value_or(-1));
    EXPECT_EQ((std::vector<std::string> {"snmp"}), devices[0].sources);
    // The integer printer name is dropped, the name's stray bytes too, the description cut.
    EXPECT_EQ(L"badname", devices[1].mfp.GetName().value_or(L""));
    EXPECT_EQ(std::string(Orvane::Utility::AnnouncedTextMax, 'x'), devices[1].model);
    EXPECT_EQ(agent.GetFoundDevices()[1], devices[1].mfp);
}

TEST_F(SearchWithAgents, CancelEndsASearchThatWouldWait)
{
    DeviceSearch::Options options = Options({"127.0.0.5:9"}); // nothing listens there
    options.timeout = std::chrono::seconds(120);
    options.snmp.window = std::chrono::seconds(120);
    SearchAgent agent(options, Defaults(), folder.path().string() + "/");
    std::atomic<bool> done {false};
    std::thread search([&] {
        agent.Search();
        done = true;
    });
    // Cancel until it takes: the search may not have started when the first one comes.
    const bool ended = waitUntil(
        [&] {
            agent.Cancel();
            return done.load();
        },
        std::chrono::seconds(30));
    if (!ended)
        std::abort(); // a search that ignores Cancel would hold the test for two minutes
    search.join();
    EXPECT_TRUE(agent.GetFoundDevices().empty());
}

TEST_F(SearchWithDaemons, OneDeviceAnnouncedThroughFourServicesIsOneRecordNextToTheAgents)
{
    StartNetwork({{"office.service", OfficeDevice}});
    SnmpAgent office("127.0.0.2", {"sysName mfp1-office"});
    ASSERT_TRUE(office.waitReady());

    SearchAgent agent(Options({office.target()}), Defaults(), folder.path().string() + "/");
    std::vector<std::size_t> heard;
    agent.Search([&](const std::vector<FoundDevice>& devices) { heard.push_back(devices.size()); });

    const auto& devices = agent.GetFoundRecords();
    ASSERT_EQ(2u, devices.size());
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(2u, heard.back());
    const FoundDevice* device = Find(devices, L"10.77.0.1");
    ASSERT_TRUE(device);
    EXPECT_EQ(L"Office MFP 4000", device->mfp.GetName().value_or(L""));
    EXPECT_EQ(8080, device->mfp.GetHTTP().value_or(-1));
    EXPECT_EQ(8443, device->mfp.GetHTTPS().value_or(-1));
    EXPECT_EQ(
        (std::vector<std::string> {"_ipp._tcp", "_ipps._tcp", "_pdl-datastream._tcp", "_printer._sub._http._tcp"}),
        device->services);
    EXPECT_EQ(network->deviceHostName(), device->hostName);
    EXPECT_EQ("Example MFP 4000", device->model);
    EXPECT_EQ("2F copy room", device->location);
    ASSERT_TRUE(Find(devices, L"127.0.0.2"));
}

TEST_F(SearchWithDaemons, HostileAnnouncementsGiveABoundedRecord)
{
    StartNetwork({{"hostile.service", HostileDevice()}});
    SearchAgent agent(Options({}), Defaults(), folder.path().string() + "/");
    agent.Search();
    const auto& devices = agent.GetFoundRecords();
    ASSERT_EQ(1u, devices.size());
    const MFP& mfp = devices[0].mfp;
    EXPECT_EQ(std::wstring(21, L'N') + std::wstring(14, L'\u6a5f'), mfp.GetName().value_or(L""));
    EXPECT_EQ("A", devices[0].model); // the bytes that are not UTF-8 are dropped
    EXPECT_EQ(80, mfp.GetHTTP().value_or(-1)); // not the adminurl's IPP port
}
