#pragma once

#include <boost/asio/ip/address.hpp>

#include <memory>
#include <string>
#include <vector>

namespace Orvane::MonitoredEntry {
class MFP;
}

namespace Orvane::Monitor {

// The IP addresses a device's host resolved to at one moment. Copies share the immutable addresses.
class DeviceAddresses
{
public:
    using AddressList = std::vector<boost::asio::ip::address>;

    // No host and no address.
    DeviceAddresses();
    DeviceAddresses(const std::wstring& host, const AddressList& addresses);

    // Resolves the device's host with the TCP resolver: for service "https" when the device talks SSL
    // and has an HTTPS port, then for "http". Raises boost::system::system_error when a lookup fails.
    static DeviceAddresses Resolve(const MonitoredEntry::MFP& mfp);

    // The host the addresses belong to, so a caller can tell when its copy is stale.
    const std::wstring& GetHost() const;
    const AddressList& GetAddresses() const;
    bool Contains(const boost::asio::ip::address& address) const;

private:
    struct Pimpl;
    std::shared_ptr<const Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
