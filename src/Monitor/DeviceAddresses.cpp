#include "Monitor/DeviceAddresses.hpp"

#include "MonitoredEntry/MFP.hpp"
#include "System/Text.hpp"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

#include <algorithm>

namespace Orvane::Monitor {

namespace {

void appendResolved(const std::string& host, const char* service, DeviceAddresses::AddressList& addresses)
{
    boost::asio::io_context io;
    boost::asio::ip::tcp::resolver resolver(io);
    for (const auto& entry : resolver.resolve(host, service)) {
        const boost::asio::ip::address address = entry.endpoint().address();
        if (std::find(addresses.begin(), addresses.end(), address) == addresses.end())
            addresses.push_back(address);
    }
}

} // namespace

struct DeviceAddresses::Pimpl
{
    std::wstring host;
    AddressList addresses;
};

DeviceAddresses::DeviceAddresses()
    : m_pimpl(std::make_shared<const Pimpl>())
{ }

DeviceAddresses::DeviceAddresses(const std::wstring& host, const AddressList& addresses)
    : m_pimpl(std::make_shared<const Pimpl>(Pimpl {host, addresses}))
{ }

DeviceAddresses DeviceAddresses::Resolve(const MonitoredEntry::MFP& mfp)
{
    const std::string host = System::ToANSI(mfp.GetHost());
    AddressList addresses;
    if (mfp.IsSSL() && mfp.GetHTTPS())
        appendResolved(host, "https", addresses);
    appendResolved(host, "http", addresses);
    return DeviceAddresses(mfp.GetHost(), addresses);
}

const std::wstring& DeviceAddresses::GetHost() const
{
    return m_pimpl->host;
}

const DeviceAddresses::AddressList& DeviceAddresses::GetAddresses() const
{
    return m_pimpl->addresses;
}

bool DeviceAddresses::Contains(const boost::asio::ip::address& address) const
{
    const AddressList& list = m_pimpl->addresses;
    return std::find(list.begin(), list.end(), address) != list.end();
}

} // namespace Orvane::Monitor
