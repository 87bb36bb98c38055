#include "Utility/DeviceMerger.hpp"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Orvane;
using Orvane::Utility::DeviceMerger;
using Orvane::Utility::FoundDevice;
using Orvane::Utility::Sighting;

namespace {

MonitoredEntry::MFP Defaults()
{
    MonitoredEntry::MFP mfp;
    mfp.SetHTTP(80);
    mfp.SetHTTPS(443);
    mfp.SetSSL(true);
    return mfp;
}

Sighting Service(const std::string& service, const std::string& instance, std::uint16_t port)
{
    Sighting s;
    s.source = Sighting::Source::Mdns;
    s.service = service;
    s.instance = instance;
    s.hostName = "mfp-a.local";
    s.address = "10.0.0.5";
    s.port = port;
    return s;
}

Sighting Agent(const std::string& address, const std::string& sysName, const std::string& printerName)
{
    Sighting s;
    s.source = Sighting::Source::Snmp;
    s.address = address;
    s.sysName = sysName;
    s.printerName = printerName;
    s.sysDescr = "Example MFP 4000";
    return s;
}

std::vector<FoundDevice> Merge(const std::vector<Sighting>& sightings)
{
    DeviceMerger merger(Defaults());
    for (const Sighting& s : sightings)
        merger.Add(s);
    return merger.GetDevices();
}

// One device as it announces itself: four services (two of them with TXT keys naming it in two
// UUID spellings), seen over IPv4 and link-local IPv6, and its SNMP agent at the same address.
std::vector<Sighting> OneDevice()
{
    Sighting ipp = Service("_ipp._tcp", "Office MFP", 631);
    ipp.uuid = "1B2C-0000";
    ipp.model = "Example MFP 4000";
    ipp.location = "2F copy room";
    ipp.adminUrl = "https://mfp-a.local:8443/";
    Sighting ipps = Service("_ipps._tcp", "Office MFP (secure)", 631);
    ipps.uuid = "urn:uuid:1b2c-0000";
    ipps.hostName = "other-name.local"; // tied by its UUID only
    ipps.address = "fe80::1%eth0";
    Sighting web = Service("_printer._sub._http._tcp", "Office MFP web", 8080);
    Sighting pdl = Service("_pdl-datastream._tcp", "Office MFP", 9100);
    return {ipp, ipps, web, pdl, Agent("10.0.0.5", "mfp1", "Front printer")};
}

} // namespace

TEST(DeviceMerger, OneDeviceThroughSeveralServicesAndBothSourcesIsOneRecordInAnyOrder)
{
    std::vector<Sighting> sightings = OneDevice();
    std::sort(sightings.begin(), sightings.end(),
              [](const Sighting& a, const Sighting& b) { return a.service < b.service; });
    const std::vector<FoundDevice> first = Merge(sightings);
    ASSERT_EQ(1u, first.size());
    const FoundDevice& device = first[0];
    EXPECT_EQ(L"Office MFP (secure)", device.mfp.GetName().value_or(L"")); // ipps beats ipp
    EXPECT_EQ(L"10.0.0.5", device.mfp.GetHost()); // IPv4 before the link-local address
    EXPECT_EQ(8080, device.mfp.GetHTTP().value_or(-1)); // the web page service
    EXPECT_EQ(8443, device.mfp.GetHTTPS().value_or(-1)); // the https adminurl
    EXPECT_TRUE(device.mfp.IsSSL());
    EXPECT_EQ((std::vector<std::string> {"mdns", "snmp"}), device.sources);
    EXPECT_EQ((std::vector<std::string> {"10.0.0.5", "fe80::1%eth0"}), device.addresses);
    EXPECT_EQ("1b2c-0000", device.uuid);
    EXPECT_EQ("2F copy room", device.location);

    // Two passes would still depend on the order; every order gives the same record.
    std::sort(sightings.begin(), sightings.end(),
              [](const Sighting& a, const Sighting& b) { return a.address + a.service < b.address + b.service; });
    do
        ASSERT_EQ(first, Merge(sightings));
    while (std::next_permutation(sightings.begin(), sightings.end(), [](const Sighting& a, const Sighting& b) {
        return a.address + a.service < b.address + b.service;
    }));
}

TEST(DeviceMerger, DevicesThatShareNothingStayApart)
{
    Sighting other = Service("_ipp._tcp", "Back office", 631);
    other.hostName = "mfp-b.local";
    other.address = "10.0.0.6";
    std::vector<Sighting> sightings = OneDevice();
    sightings.push_back(other);
    sightings.push_back(Agent("10.0.0.7", "lonely", ""));
    const auto devices = Merge(sightings);
    ASSERT_EQ(3u, devices.size());
    EXPECT_EQ(L"10.0.0.5", devices[0].mfp.GetHost());
    EXPECT_EQ(L"Back office", devices[1].mfp.GetName().value_or(L""));
    EXPECT_EQ(L"lonely", devices[2].mfp.GetName().value_or(L""));
}

// The name comes from the best source there is, and the ports never from the IPP port.
TEST(DeviceMerger, NamingAndPortRules)
{
    struct Case
    {
        const char* what;
        std::vector<Sighting> sightings;
        std::wstring name; // empty: none
        int http;
        int https;
    };
    Sighting agentOnly = Agent("10.0.0.9", "sys-name", "");
    Sighting nameless = Agent("10.0.0.9", "", "");
    nameless.sysDescr.clear();
    Sighting modelOnly = Service("_ipp._tcp", "", 631);
    modelOnly.model = "Example 4000";
    Sighting ippAdmin = Service("_ipp._tcp", "Printer", 631);
    ippAdmin.adminUrl = "http://mfp-a.local:631/admin"; // the IPP port is not the web port
    Sighting plainAdmin = Service("_printer._tcp", "Printer", 515);
    plainAdmin.adminUrl = "HTTP://user@mfp-a.local/"; // no port: the scheme's
    Sighting webAt631 = Service("_printer._sub._http._tcp", "Printer", 631);
    Sighting badAdmin = Service("_ipp._tcp", "Printer", 631);
    badAdmin.adminUrl = "https://mfp-a.local:99999/";
    const std::string longName(80, 'n');
    const Case cases[] = {
        {"Printer-MIB name before sysName", {Agent("10.0.0.9", "sys-name", "Printer MIB")}, L"Printer MIB", 80, 443},
        {"sysName", {agentOnly}, L"sys-name", 80, 443},
        {"nothing names it", {nameless}, L"", 80, 443},
        {"make and model", {modelOnly}, L"Example 4000", 80, 443},
        {"adminurl on the IPP port", {ippAdmin}, L"Printer", 80, 443},
        {"adminurl without a port", {plainAdmin}, L"Printer", 80, 443},
        {"web page service on the IPP port", {webAt631}, L"Printer", 80, 443},
        {"adminurl port out of range", {badAdmin}, L"Printer", 80, 443},
        {"name cut to the record",
         {Agent("10.0.0.9", longName, "")},
         std::wstring(DeviceMerger::NameMax, L'n'),
         80,
         443},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto devices = Merge(c.sightings);
        ASSERT_EQ(1u, devices.size());
        EXPECT_EQ(c.name, devices[0].mfp.GetName().value_or(L""));
        EXPECT_EQ(c.name.empty(), !devices[0].mfp.GetName());
        EXPECT_EQ(c.http, devices[0].mfp.GetHTTP().value_or(-1));
        EXPECT_EQ(c.https, devices[0].mfp.GetHTTPS().value_or(-1));
    }
}

TEST(DeviceMerger, HostIsTheLowestIPv4AddressElseAUsableHostName)
{
    Sighting second = Service("_ipp._tcp", "P", 631);
    second.address = "10.0.0.10";
    Sighting first = Service("_ipps._tcp", "P", 631);
    first.address = "10.0.0.9"; // lower as a number, higher as text
    EXPECT_EQ(L"10.0.0.9", Merge({second, first})[0].mfp.GetHost());

    Sighting v6 = Service("_ipp._tcp", "P", 631);
    v6.address = "fe80::2%eth0";
    v6.hostName = "mfp-a.local.";
    EXPECT_EQ(L"mfp-a.local", Merge({v6})[0].mfp.GetHost());
    v6.hostName = "not a host.local";
    EXPECT_TRUE(Merge({v6}).empty()); // nothing a device record could hold
}

TEST(DeviceMerger, RepeatedAnswersReplaceAndEndlessAnswersAreBounded)
{
    DeviceMerger merger(Defaults());
    Sighting renamed = Agent("10.0.0.9", "old", "");
    merger.Add(renamed);
    renamed.sysName = "new";
    merger.Add(renamed);
    ASSERT_EQ(1u, merger.GetDevices().size());
    EXPECT_EQ(L"new", merger.GetDevices()[0].mfp.GetName().value_or(L""));

    for (std::size_t i = 0; i < DeviceMerger::SightingsMax + 50; ++i) {
        Sighting s = Agent("10.1." + std::to_string(i / 250) + "." + std::to_string(i % 250), "x", "");
        merger.Add(s);
    }
    EXPECT_EQ(DeviceMerger::SightingsMax, merger.GetDevices().size());
}
