#include "Monitor/UpdateSignal.hpp"

#include "MonitoredEntry/Distinction.hpp"
#include "MonitoredEntry/MFP.hpp"

namespace Orvane::Monitor {

struct UpdateSignal::Pimpl
{
    MonitoredEntry::MFP mfp;
};

UpdateSignal::UpdateSignal(const MonitoredEntry::MFP& mfp)
    : m_pimpl(std::make_shared<const Pimpl>(Pimpl {mfp}))
{ }

bool UpdateSignal::Matches(const MonitoredEntry::Distinction& distinction) const
{
    return distinction.GetMFP().GetHost() == m_pimpl->mfp.GetHost();
}

bool UpdateSignal::Matches(const MonitoredEntry::Distinction& distinction, const DeviceAddresses&) const
{
    return Matches(distinction);
}

} // namespace Orvane::Monitor
