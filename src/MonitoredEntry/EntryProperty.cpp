#include "MonitoredEntry/EntryProperty.hpp"

namespace Orvane::MonitoredEntry {

struct EntryProperty::Pimpl
{
    bool monitoring = false;
    std::int32_t subscriptionState = Unknown;
    std::int32_t subscriptionFailure = 0;
    MonitoredEntry::MFP mfp;
    MonitoredEntry::User user;
    MonitoredEntry::Config config;
};

EntryProperty::EntryProperty()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

EntryProperty::EntryProperty(const EntryProperty& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

EntryProperty& EntryProperty::operator=(const EntryProperty& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

EntryProperty::~EntryProperty() = default;

bool EntryProperty::IsMonitoring() const
{
    return m_pimpl->monitoring;
}

void EntryProperty::SetMonitoring(bool monitoring)
{
    m_pimpl->monitoring = monitoring;
}

std::int32_t EntryProperty::GetSubscriptionState() const
{
    return m_pimpl->subscriptionState;
}

void EntryProperty::SetSubscriptionState(std::int32_t state)
{
    m_pimpl->subscriptionState = state;
}

std::int32_t EntryProperty::GetSubscriptionFailure() const
{
    return m_pimpl->subscriptionFailure;
}

void EntryProperty::SetSubscriptionFailure(std::int32_t failure)
{
    m_pimpl->subscriptionFailure = failure;
}

const MonitoredEntry::MFP& EntryProperty::GetMFP() const
{
    return m_pimpl->mfp;
}

void EntryProperty::SetMFP(const MonitoredEntry::MFP& mfp)
{
    m_pimpl->mfp = mfp;
}

const MonitoredEntry::User& EntryProperty::GetUser() const
{
    return m_pimpl->user;
}

void EntryProperty::SetUser(const MonitoredEntry::User& user)
{
    m_pimpl->user = user;
}

const MonitoredEntry::Config& EntryProperty::GetConfig() const
{
    return m_pimpl->config;
}

void EntryProperty::SetConfig(const MonitoredEntry::Config& config)
{
    m_pimpl->config = config;
}

bool EntryProperty::IsValid() const
{
    // The settings first: an inverted configured range must be reported, not hidden by a short cut.
    const bool configValid = m_pimpl->config.IsValid();
    return configValid && m_pimpl->mfp.IsValid() && m_pimpl->user.IsValid();
}

} // namespace Orvane::MonitoredEntry
