#pragma once

#include "Monitor/Signal.hpp"

#include <boost/asio/ip/address.hpp>

#include <memory>

namespace Orvane::Monitor {

// A change datagram arrived from `sender`: it concerns every device whose host resolves to that address.
class EventSignal : public Signal
{
public:
    explicit EventSignal(const boost::asio::ip::address& sender);

    const boost::asio::ip::address& GetSender() const;

    // Resolves the device's host (DeviceAddresses::Resolve) and raises what that raises.
    bool Matches(const MonitoredEntry::Distinction& distinction) const override;
    // Whether `addresses`, resolved earlier for the distinction's device, hold the sender.
    bool Matches(const MonitoredEntry::Distinction& distinction, const DeviceAddresses& addresses) const override;
    bool IsPaced() const override { return true; }

private:
    struct Pimpl;
    std::shared_ptr<const Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
