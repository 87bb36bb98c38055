#include "Utility/FoundDevice.hpp"

#include <tuple>

namespace Orvane::Utility {

bool FoundDevice::operator==(const FoundDevice& other) const
{
    return mfp == other.mfp
        && std::tie(sources, services, addresses, hostName, model, location, uuid)
        == std::tie(other.sources, other.services, other.addresses, other.hostName, other.model, other.location,
                    other.uuid);
}

} // namespace Orvane::Utility
