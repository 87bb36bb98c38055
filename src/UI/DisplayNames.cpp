#include "UI/DisplayNames.hpp"

#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"

namespace Orvane::UI {

std::wstring DeviceDisplayName(const MonitoredEntry::MFP& mfp)
{
    return mfp.GetName().value_or(mfp.GetHost());
}

std::wstring AccountDisplayName(const MonitoredEntry::User& user)
{
    return user.GetName().value_or(user.GetID());
}

} // namespace Orvane::UI
