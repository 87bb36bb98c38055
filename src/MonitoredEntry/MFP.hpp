#pragma once

#include <boost/optional/optional.hpp>

#include <cstdint>
#include <memory>
#include <string>

namespace Orvane::MonitoredEntry {

// The device of an entry.
class MFP
{
public:
    MFP();
    MFP(const MFP& other);
    MFP& operator=(const MFP& other);
    ~MFP();

    // As the device reports it.
    const boost::optional<std::wstring>& GetName() const;
    void SetName(const boost::optional<std::wstring>& name);
    // IPv4 address or host name.
    const std::wstring& GetHost() const;
    void SetHost(const std::wstring& host);
    const boost::optional<std::int32_t>& GetHTTP() const;
    void SetHTTP(const boost::optional<std::int32_t>& port);
    const boost::optional<std::int32_t>& GetHTTPS() const;
    void SetHTTPS(const boost::optional<std::int32_t>& port);
    // Talk to the device over HTTPS instead of HTTP.
    bool IsSSL() const;
    void SetSSL(bool ssl);

    // A present name is not empty, the host is an IPv4 address or a host name, the port of the
    // chosen protocol is present and every present port lies in 0..65535.
    bool IsValid() const;

    // Exact, case-sensitive comparison of every field.
    bool operator==(const MFP& other) const;
    bool operator!=(const MFP& other) const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
