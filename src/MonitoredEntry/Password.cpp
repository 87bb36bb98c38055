#include "MonitoredEntry/Password.hpp"

#include "MonitoredEntry/PasswordCodec.hpp"

#include <kestle/exception.hpp>

#include <algorithm>

namespace Orvane::MonitoredEntry {

struct Password::Pimpl
{
    Data data;
};

namespace {

constexpr std::size_t LengthMax = 28;

bool IsAllowed(const std::wstring& plain)
{
    return plain.size() <= LengthMax
        && std::all_of(plain.begin(), plain.end(), [](wchar_t c) { return c >= 0 && c < 0x80; });
}

} // namespace

Password::Password()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

Password::Password(const std::wstring& plain)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {PasswordCodec::Encrypt(plain)}))
{ }

Password::Password(const Password& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

Password& Password::operator=(const Password& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

Password::~Password() = default;

const Password::Data& Password::GetData() const
{
    return m_pimpl->data;
}

void Password::SetData(const Data& data)
{
    m_pimpl->data = data;
}

std::wstring Password::GetPlainText() const
{
    return PasswordCodec::Decrypt(m_pimpl->data);
}

bool Password::IsValid() const
{
    try {
        return IsAllowed(GetPlainText());
    } catch (const kestle::fatal_error&) {
        return false;
    }
}

bool Password::operator==(const Password& other) const
{
    if (m_pimpl->data == other.m_pimpl->data)
        return true;
    try {
        return GetPlainText() == other.GetPlainText();
    } catch (const kestle::fatal_error&) {
        return false;
    }
}

bool Password::operator!=(const Password& other) const
{
    return !(*this == other);
}

} // namespace Orvane::MonitoredEntry
