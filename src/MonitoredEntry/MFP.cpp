#include "MonitoredEntry/MFP.hpp"

#include <boost/algorithm/string/split.hpp>

#include <algorithm>
#include <vector>

namespace Orvane::MonitoredEntry {

struct MFP::Pimpl
{
    boost::optional<std::wstring> name;
    std::wstring host;
    boost::optional<std::int32_t> http;
    boost::optional<std::int32_t> https;
    bool ssl = false;

    bool operator==(const Pimpl& other) const
    {
        return name == other.name && host == other.host && http == other.http && https == other.https
            && ssl == other.ssl;
    }
};

namespace {

constexpr std::size_t HostLengthMax = 255;
constexpr std::size_t LabelLengthMax = 63;

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsLabelCharacter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || IsDigit(c) || c == L'-' || c == L'_';
}

bool IsNumber(const std::wstring& label)
{
    return !label.empty() && std::all_of(label.begin(), label.end(), IsDigit);
}

bool IsOctet(const std::wstring& label)
{
    return IsNumber(label) && label.size() <= 3 && std::stoi(label) <= 255;
}

bool IsHostLabel(const std::wstring& label)
{
    return !label.empty() && label.size() <= LabelLengthMax && label.front() != L'-' && label.back() != L'-'
        && std::all_of(label.begin(), label.end(), IsLabelCharacter);
}

// A dotted-quad IPv4 address, or a host name of letters, digits, '-' and '_'. A name whose last
// label is a number can only be meant as an address, so "10.0.0.256" is refused, not taken as a name.
bool IsHost(const std::wstring& host)
{
    if (host.empty() || host.size() > HostLengthMax)
        return false;
    std::vector<std::wstring> labels;
    boost::algorithm::split(labels, host, [](wchar_t c) { return c == L'.'; });
    if (IsNumber(labels.back()))
        return labels.size() == 4 && std::all_of(labels.begin(), labels.end(), IsOctet);
    return std::all_of(labels.begin(), labels.end(), IsHostLabel);
}

bool IsPort(const boost::optional<std::int32_t>& port)
{
    return !port || (*port >= 0 && *port <= 65535);
}

} // namespace

MFP::MFP()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

MFP::MFP(const MFP& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

MFP& MFP::operator=(const MFP& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

MFP::~MFP() = default;

const boost::optional<std::wstring>& MFP::GetName() const
{
    return m_pimpl->name;
}

void MFP::SetName(const boost::optional<std::wstring>& name)
{
    m_pimpl->name = name;
}

const std::wstring& MFP::GetHost() const
{
    return m_pimpl->host;
}

void MFP::SetHost(const std::wstring& host)
{
    m_pimpl->host = host;
}

const boost::optional<std::int32_t>& MFP::GetHTTP() const
{
    return m_pimpl->http;
}

void MFP::SetHTTP(const boost::optional<std::int32_t>& port)
{
    m_pimpl->http = port;
}

const boost::optional<std::int32_t>& MFP::GetHTTPS() const
{
    return m_pimpl->https;
}

void MFP::SetHTTPS(const boost::optional<std::int32_t>& port)
{
    m_pimpl->https = port;
}

bool MFP::IsSSL() const
{
    return m_pimpl->ssl;
}

void MFP::SetSSL(bool ssl)
{
    m_pimpl->ssl = ssl;
}

bool MFP::IsValid() const
{
    const Pimpl& p = *m_pimpl;
    const bool portChosen = p.ssl ? p.https.has_value() : p.http.has_value();
    return (!p.name || !p.name->empty()) && IsHost(p.host) && portChosen && IsPort(p.http) && IsPort(p.https);
}

bool MFP::operator==(const MFP& other) const
{
    return *m_pimpl == *other.m_pimpl;
}

bool MFP::operator!=(const MFP& other) const
{
    return !(*this == other);
}

} // namespace Orvane::MonitoredEntry
