#pragma once

#include <cstdint>
#include <string>

namespace Orvane::Utility {

// What one source learned about one device in one answer: one resolved DNS-SD service, or one SNMP
// agent's reply. Every text is already bounded and valid UTF-8.
struct Sighting
{
    enum class Source { Mdns, Snmp };

    Source source = Source::Mdns;
    // The address the answer came from or the service resolved to (IPv4 dotted quad, or IPv6 with
    // "%interface" for a link-local one).
    std::string address;

    // DNS-SD: the browsed service type, the service instance name, the mDNS host name and the port.
    std::string service;
    std::string instance;
    std::string hostName;
    std::uint16_t port = 0;
    // DNS-SD TXT keys: ty, product, note, adminurl, UUID.
    std::string model;
    std::string product;
    std::string location;
    std::string adminUrl;
    std::string uuid;

    // SNMP: sysName, sysDescr and the Printer-MIB prtGeneralPrinterName.
    std::string sysName;
    std::string sysDescr;
    std::string printerName;
};

} // namespace Orvane::Utility
