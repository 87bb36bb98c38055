#include "Utility/DeviceMerger.hpp"

#include "Utility/DeviceRecord.hpp"

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>

#include <algorithm>
#include <numeric>
#include <tuple>
#include <unordered_map>

namespace Orvane::Utility {

namespace {

// The same service (or agent) seen again: it replaces its earlier answer.
bool IsSameAnswer(const Sighting& a, const Sighting& b)
{
    return std::tie(a.source, a.service, a.instance, a.address) == std::tie(b.source, b.service, b.instance, b.address);
}

std::string Lower(const std::string& text)
{
    return boost::algorithm::to_lower_copy(text);
}

// What ties answers to one device, each tagged so that different kinds never meet.
std::vector<std::string> Keys(const Sighting& sighting)
{
    std::vector<std::string> keys;
    const std::string uuid = NormalizedUuid(sighting.uuid);
    if (!uuid.empty())
        keys.push_back("u" + uuid);
    if (!sighting.hostName.empty())
        keys.push_back("h" + Lower(sighting.hostName));
    if (!sighting.instance.empty())
        keys.push_back("i" + Lower(sighting.instance));
    if (!sighting.address.empty())
        keys.push_back("a" + sighting.address);
    return keys;
}

// Union-find over the answers: the groups are the same for any order of the answers.
class Groups
{
public:
    explicit Groups(std::size_t count)
        : m_parent(count)
    {
        std::iota(m_parent.begin(), m_parent.end(), 0);
    }

    std::size_t Root(std::size_t at)
    {
        while (m_parent[at] != at)
            at = m_parent[at] = m_parent[m_parent[at]];
        return at;
    }

    void Join(std::size_t a, std::size_t b) { m_parent[Root(a)] = Root(b); }

private:
    std::vector<std::size_t> m_parent;
};

} // namespace

struct DeviceMerger::Pimpl
{
    MonitoredEntry::MFP defaults;
    std::vector<Sighting> sightings;
};

DeviceMerger::DeviceMerger(const MonitoredEntry::MFP& defaults)
    : m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->defaults = defaults;
}

DeviceMerger::~DeviceMerger() = default;

bool DeviceMerger::Add(const Sighting& sighting)
{
    std::vector<Sighting>& sightings = m_pimpl->sightings;
    const auto same = std::find_if(sightings.begin(), sightings.end(),
                                   [&](const Sighting& s) { return IsSameAnswer(s, sighting); });
    if (same != sightings.end()) {
        *same = sighting;
        return true;
    }
    if (sightings.size() >= SightingsMax)
        return false;
    sightings.push_back(sighting);
    return true;
}

std::vector<FoundDevice> DeviceMerger::GetDevices() const
{
    const std::vector<Sighting>& sightings = m_pimpl->sightings;
    Groups groups(sightings.size());
    std::unordered_map<std::string, std::size_t> owners;
    for (std::size_t at = 0; at < sightings.size(); ++at)
        for (const std::string& key : Keys(sightings[at])) {
            const auto owner = owners.emplace(key, at);
            if (!owner.second)
                groups.Join(at, owner.first->second);
        }

    std::unordered_map<std::size_t, std::vector<const Sighting*>> members;
    for (std::size_t at = 0; at < sightings.size(); ++at)
        members[groups.Root(at)].push_back(&sightings[at]);

    std::vector<FoundDevice> devices;
    for (const auto& group : members)
        if (auto device = MakeFoundDevice(group.second, m_pimpl->defaults))
            devices.push_back(std::move(*device));
    std::sort(devices.begin(), devices.end(), [](const FoundDevice& a, const FoundDevice& b) {
        return std::tie(a.mfp.GetHost(), a.mfp.GetName(), a.uuid) < std::tie(b.mfp.GetHost(), b.mfp.GetName(), b.uuid);
    });
    return devices;
}

} // namespace Orvane::Utility
