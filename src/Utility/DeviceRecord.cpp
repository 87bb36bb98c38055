#include "Utility/DeviceRecord.hpp"

#include "Utility/AnnouncedText.hpp"
#include "Utility/DeviceMerger.hpp"

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/asio/ip/address_v4.hpp>

#include <algorithm>
#include <set>

namespace Orvane::Utility {

const std::string WebPageService = "_printer._sub._http._tcp";
const std::vector<std::string> ServiceTypes
    = {"_ipps._tcp", "_ipp._tcp", "_printer._tcp", "_pdl-datastream._tcp", WebPageService};

namespace {

constexpr int IppPort = 631;
constexpr std::size_t AddressesMax = 16;

using Sightings = std::vector<const Sighting*>;

std::size_t ServiceRank(const std::string& service)
{
    return std::find(ServiceTypes.begin(), ServiceTypes.end(), service) - ServiceTypes.begin();
}

// The smallest non-empty value of a field over the answers, so that the order they came in
// does not matter.
std::string Smallest(const Sightings& sightings, std::string Sighting::*field)
{
    std::string best;
    for (const Sighting* s : sightings)
        if (!(s->*field).empty() && (best.empty() || s->*field < best))
            best = s->*field;
    return best;
}

std::string BestInstanceName(const Sightings& sightings)
{
    const Sighting* best = nullptr;
    for (const Sighting* s : sightings) {
        if (s->source != Sighting::Source::Mdns || s->instance.empty()
            || ServiceRank(s->service) == ServiceTypes.size())
            continue;
        if (!best
            || std::make_pair(ServiceRank(s->service), s->instance)
                < std::make_pair(ServiceRank(best->service), best->instance))
            best = s;
    }
    return best ? best->instance : std::string();
}

std::string DeviceName(const Sightings& sightings)
{
    for (const std::string& name : {BestInstanceName(sightings), Smallest(sightings, &Sighting::printerName),
                                    Smallest(sightings, &Sighting::sysName), Smallest(sightings, &Sighting::model),
                                    Smallest(sightings, &Sighting::product)})
        if (!name.empty())
            return name;
    return std::string();
}

std::wstring Cut(const std::wstring& text, std::size_t max)
{
    return text.size() > max ? text.substr(0, max) : text;
}

bool IsIPv4(const std::string& address)
{
    boost::system::error_code error;
    boost::asio::ip::make_address_v4(address, error);
    return !error;
}

boost::optional<std::wstring> DeviceHost(const Sightings& sightings)
{
    boost::optional<boost::asio::ip::address_v4> lowest;
    for (const Sighting* s : sightings)
        if (IsIPv4(s->address)) {
            const auto address = boost::asio::ip::make_address_v4(s->address);
            if (!lowest || address < *lowest)
                lowest = address;
        }
    if (lowest)
        return WideText(lowest->to_string());
    std::string name = Smallest(sightings, &Sighting::hostName);
    if (!name.empty() && name.back() == '.')
        name.pop_back();
    MonitoredEntry::MFP probe;
    probe.SetHost(WideText(name));
    probe.SetHTTP(0);
    if (name.size() > DeviceMerger::HostMax || !probe.IsValid())
        return boost::none;
    return probe.GetHost();
}

boost::optional<int> WebPort(const Sighting& s, bool https)
{
    if (!https && s.service == WebPageService && s.port != 0)
        return static_cast<int>(s.port);
    return UrlPort(s.adminUrl, https);
}

boost::optional<std::int32_t> DevicePort(const Sightings& sightings, bool https,
                                         const boost::optional<std::int32_t>& fallback)
{
    // The web page service beats an adminurl; among equals the lowest port, for a stable answer.
    std::pair<int, int> best {2, 0}; // (0 service / 1 adminurl / 2 none, port)
    for (const Sighting* s : sightings) {
        const auto port = WebPort(*s, https);
        if (!port || *port == IppPort)
            continue;
        const std::pair<int, int> candidate {s->service == WebPageService && !https ? 0 : 1, *port};
        best = std::min(best, candidate);
    }
    if (best.first < 2)
        return best.second;
    return fallback ? fallback : (https ? 443 : 80);
}

template <typename Field>
std::vector<std::string> Distinct(const Sightings& sightings, Field field, std::size_t max)
{
    std::set<std::string> values;
    for (const Sighting* s : sightings) {
        const std::string value = field(*s);
        if (!value.empty())
            values.insert(value);
    }
    std::vector<std::string> result(values.begin(), values.end());
    if (result.size() > max)
        result.resize(max);
    return result;
}

std::string Model(const Sightings& sightings)
{
    for (const std::string& model : {Smallest(sightings, &Sighting::model), Smallest(sightings, &Sighting::product),
                                     Smallest(sightings, &Sighting::sysDescr)})
        if (!model.empty())
            return model;
    return std::string();
}

} // namespace

std::string NormalizedUuid(const std::string& uuid)
{
    std::string normal = boost::algorithm::to_lower_copy(uuid);
    if (boost::algorithm::starts_with(normal, "urn:uuid:"))
        normal.erase(0, 9);
    return normal;
}

boost::optional<int> UrlPort(const std::string& url, bool https)
{
    const std::string scheme = https ? "https://" : "http://";
    if (!boost::algorithm::istarts_with(url, scheme))
        return boost::none;
    std::string authority = url.substr(scheme.size(), url.find_first_of("/?#", scheme.size()) - scheme.size());
    authority.erase(0, authority.rfind('@') + 1);
    const std::size_t colon = authority.rfind(':');
    if (colon == std::string::npos || authority.find(']', colon) != std::string::npos)
        return https ? 443 : 80;
    const std::string digits = authority.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), ::isdigit))
        return boost::none;
    const int port = std::stoi(digits);
    if (port < 1 || port > 65535)
        return boost::none;
    return port;
}

boost::optional<FoundDevice> MakeFoundDevice(const Sightings& sightings, const MonitoredEntry::MFP& defaults)
{
    const auto host = DeviceHost(sightings);
    if (!host)
        return boost::none;
    FoundDevice device;
    device.mfp = defaults;
    const std::wstring name = Cut(WideText(DeviceName(sightings)), DeviceMerger::NameMax);
    device.mfp.SetName(name.empty() ? boost::none : boost::make_optional(name));
    device.mfp.SetHost(*host);
    device.mfp.SetHTTP(DevicePort(sightings, false, defaults.GetHTTP()));
    device.mfp.SetHTTPS(DevicePort(sightings, true, defaults.GetHTTPS()));
    device.sources = Distinct(
        sightings, [](const Sighting& s) { return s.source == Sighting::Source::Mdns ? "mdns" : "snmp"; }, 2);
    device.services = Distinct(
        sightings, [](const Sighting& s) { return s.service; }, ServiceTypes.size());
    device.addresses = Distinct(
        sightings, [](const Sighting& s) { return s.address; }, AddressesMax);
    device.hostName = Smallest(sightings, &Sighting::hostName);
    device.model = Model(sightings);
    device.location = Smallest(sightings, &Sighting::location);
    device.uuid = NormalizedUuid(Smallest(sightings, &Sighting::uuid));
    return device;
}

} // namespace Orvane::Utility
