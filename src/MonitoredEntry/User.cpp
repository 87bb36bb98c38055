#include "MonitoredEntry/User.hpp"

namespace Orvane::MonitoredEntry {

struct User::Pimpl
{
    boost::optional<std::wstring> name;
    std::wstring id;
    MonitoredEntry::Password password;
};

User::User()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

User::User(const User& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

User& User::operator=(const User& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

User::~User() = default;

const boost::optional<std::wstring>& User::GetName() const
{
    return m_pimpl->name;
}

void User::SetName(const boost::optional<std::wstring>& name)
{
    m_pimpl->name = name;
}

const std::wstring& User::GetID() const
{
    return m_pimpl->id;
}

void User::SetID(const std::wstring& id)
{
    m_pimpl->id = id;
}

const MonitoredEntry::Password& User::GetPassword() const
{
    return m_pimpl->password;
}

void User::SetPassword(const MonitoredEntry::Password& password)
{
    m_pimpl->password = password;
}

bool User::IsValid() const
{
    const Pimpl& p = *m_pimpl;
    return (!p.name || !p.name->empty()) && !p.id.empty() && p.password.IsValid();
}

bool User::operator==(const User& other) const
{
    const Pimpl& p = *m_pimpl;
    const Pimpl& o = *other.m_pimpl;
    // The password last: comparing it may have to decrypt both.
    return p.name == o.name && p.id == o.id && p.password == o.password;
}

bool User::operator!=(const User& other) const
{
    return !(*this == other);
}

} // namespace Orvane::MonitoredEntry
