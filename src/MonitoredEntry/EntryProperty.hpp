#pragma once

#include "MonitoredEntry/Config.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"

#include <cstdint>
#include <memory>

namespace Orvane::MonitoredEntry {

// What the user edits about an entry, plus two status values of the current run that are never
// stored and so start at 0 in every run.
class EntryProperty
{
public:
    // Subscription states, set by the feed subscriber.
    enum SubscriptionState : std::int32_t { Unknown = 0, Subscribed = 1, Unsubscribed = 2 };

    EntryProperty();
    EntryProperty(const EntryProperty& other);
    EntryProperty& operator=(const EntryProperty& other);
    ~EntryProperty();

    // The entry is subscribed, polled and notified.
    bool IsMonitoring() const;
    void SetMonitoring(bool monitoring);
    std::int32_t GetSubscriptionState() const;
    void SetSubscriptionState(std::int32_t state);
    // Non-zero when the last subscribe, unsubscribe or feed read failed.
    std::int32_t GetSubscriptionFailure() const;
    void SetSubscriptionFailure(std::int32_t failure);
    const MonitoredEntry::MFP& GetMFP() const;
    void SetMFP(const MonitoredEntry::MFP& mfp);
    const MonitoredEntry::User& GetUser() const;
    void SetUser(const MonitoredEntry::User& user);
    const MonitoredEntry::Config& GetConfig() const;
    void SetConfig(const MonitoredEntry::Config& config);

    // The device, the account and the settings are valid; the flags do not matter.
    bool IsValid() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry
