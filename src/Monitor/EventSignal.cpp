#include "Monitor/EventSignal.hpp"

#include "Monitor/DeviceAddresses.hpp"
#include "MonitoredEntry/Distinction.hpp"

namespace Orvane::Monitor {

struct EventSignal::Pimpl
{
    boost::asio::ip::address sender;
};

EventSignal::EventSignal(const boost::asio::ip::address& sender)
    : m_pimpl(std::make_shared<const Pimpl>(Pimpl {sender}))
{ }

const boost::asio::ip::address& EventSignal::GetSender() const
{
    return m_pimpl->sender;
}

bool EventSignal::Matches(const MonitoredEntry::Distinction& distinction) const
{
    return Matches(distinction, DeviceAddresses::Resolve(distinction.GetMFP()));
}

bool EventSignal::Matches(const MonitoredEntry::Distinction&, const DeviceAddresses& addresses) const
{
    return addresses.Contains(m_pimpl->sender);
}

} // namespace Orvane::Monitor
