#include "MonitoredEntry/Distinction.hpp"

namespace Orvane::MonitoredEntry {

struct Distinction::Pimpl
{
    MonitoredEntry::MFP mfp;
    MonitoredEntry::User user;
};

Distinction::Distinction(const Entry& entry)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {entry.GetProperty().GetMFP(), entry.GetProperty().GetUser()}))
{ }

Distinction::Distinction(const Distinction& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

Distinction& Distinction::operator=(const Distinction& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

Distinction::~Distinction() = default;

const MonitoredEntry::MFP& Distinction::GetMFP() const
{
    return m_pimpl->mfp;
}

const MonitoredEntry::User& Distinction::GetUser() const
{
    return m_pimpl->user;
}

bool Distinction::operator==(const Distinction& other) const
{
    return m_pimpl->mfp == other.m_pimpl->mfp && m_pimpl->user == other.m_pimpl->user;
}

bool Distinction::operator!=(const Distinction& other) const
{
    return !(*this == other);
}

} // namespace Orvane::MonitoredEntry
