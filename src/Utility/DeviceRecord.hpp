#pragma once

#include "MonitoredEntry/MFP.hpp"
#include "Utility/FoundDevice.hpp"
#include "Utility/Sighting.hpp"

#include <boost/optional/optional.hpp>

#include <string>
#include <vector>

namespace Orvane::Utility {

// The record of one device from all the answers that belong to it. Name: the instance name of its
// best service (ipps, ipp, printer, pdl-datastream, the printer's web page), else the Printer-MIB
// name, else sysName, else the make and model, else none. Host: its lowest IPv4 address, else its
// mDNS host name. HTTP port: the web page service's, else an http adminurl's, else the default's;
// HTTPS from an https adminurl, else the default's; the IPP port 631 is never taken for either.
// None when the device has no host a device record can hold.
boost::optional<FoundDevice> MakeFoundDevice(const std::vector<const Sighting*>& sightings,
                                             const MonitoredEntry::MFP& defaults);

// A DNS-SD UUID in one form: lower case, without "urn:uuid:".
std::string NormalizedUuid(const std::string& uuid);

// The port of an "http://" or "https://" URL (80 or 443 when it names none); none for another
// scheme or a port that is not a number in 1..65535.
boost::optional<int> UrlPort(const std::string& url, bool https);

// The service types in the order their instance names are preferred as the device's name.
extern const std::vector<std::string> ServiceTypes;
// The printer's web page, browsed as a subtype of _http._tcp.
extern const std::string WebPageService;

} // namespace Orvane::Utility
