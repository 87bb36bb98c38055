#pragma once

#include "MonitoredEntry/Entry.hpp"

#include <kestle/thread/actor.hpp>

#include <boost/optional/optional.hpp>

#include <chrono>
#include <memory>
#include <string>

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::Monitor {

// Keeps one entry's feed subscribed on its device, naming the configured listen port: subscribes at
// start, renews every SUBSCRIBE_INTERVAL_MS while subscribed, retries every
// RETRY_SUBSCRIBE_INTERVAL_MS while not, subscribes again at once when the entry's device or account
// changes, and unsubscribes from the device last used when its thread ends. The outcome is the
// entry's subscription state and failure flag.
class Subscriber : public kestle::actor<kestle::boost_thread_actor_impl>
{
public:
    class ScopedRSSFeedURLLock;
    class UnsubscribeDeadline;

    Subscriber(const MonitoredEntry::Entry::ID& id, MonitoredEntry::EntryManager& manager);
    // Stops, which unsubscribes.
    ~Subscriber() override;

    // Waits until a subscription has succeeded since the start, or the subscriber has ended, and
    // answers the feed address (absent when the last attempt failed or it has ended). An
    // interruption point. No subscription attempt runs while `lock` is held.
    boost::optional<std::wstring> GetRSSFeedURL(const ScopedRSSFeedURLLock& lock) const;

    // Re-reads the entry's device and account; a difference makes a new attempt at once.
    void Update();

    // Whether two device-and-account pairs are one subscription: the same host and account id.
    // Display names and settings do not make another.
    static bool SameSubscription(const MonitoredEntry::MFP& deviceA, const MonitoredEntry::User& accountA,
                                 const MonitoredEntry::MFP& deviceB, const MonitoredEntry::User& accountB);

protected:
    void on_start() override;
    int run() override;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

// Holds a subscriber's feed address lock until the last copy goes.
class Subscriber::ScopedRSSFeedURLLock
{
public:
    explicit ScopedRSSFeedURLLock(const Subscriber& subscriber);

private:
    friend class Subscriber;
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

// While one lives, every subscriber that ends unsubscribes by its deadline, whatever the configured
// time-outs: the engine's stop shares one among all its subscribers, so a device that answers slowly
// cannot hold up the close sequence. Scopes may nest; the earlier deadline rules.
class Subscriber::UnsubscribeDeadline
{
public:
    explicit UnsubscribeDeadline(std::chrono::steady_clock::time_point deadline);
    ~UnsubscribeDeadline();
    UnsubscribeDeadline(const UnsubscribeDeadline&) = delete;
    UnsubscribeDeadline& operator=(const UnsubscribeDeadline&) = delete;

private:
    boost::optional<std::chrono::steady_clock::time_point> m_previous;
};

} // namespace Orvane::Monitor
