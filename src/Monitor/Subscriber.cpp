#include "Monitor/Subscriber.hpp"

#include "Config.hpp"
#include "HTTP/Exceptions.hpp"
#include "Monitor/EntryWriter.hpp"
#include "Monitor/ThreadExitAction.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"
#include "QX/Config.hpp"
#include "QX/Quexhall.hpp"

#include <kestle/exception.hpp>

#include <boost/chrono/duration.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include <algorithm>
#include <climits>
#include <mutex>

namespace Orvane::Monitor {

using MonitoredEntry::Entry;
using MonitoredEntry::EntryProperty;
using MonitoredEntry::MFP;
using MonitoredEntry::User;

namespace {

using Lock = boost::unique_lock<boost::mutex>;

struct Target
{
    MFP device;
    User account;
};

bool SameTarget(const Target& a, const Target& b)
{
    return Subscriber::SameSubscription(a.device, a.account, b.device, b.account);
}

using Clock = std::chrono::steady_clock;

struct SharedDeadline
{
    std::mutex mutex;
    boost::optional<Clock::time_point> at;
};

SharedDeadline& ExitDeadline()
{
    static SharedDeadline deadline;
    return deadline;
}

boost::optional<Clock::time_point> CurrentExitDeadline()
{
    SharedDeadline& shared = ExitDeadline();
    std::lock_guard<std::mutex> lock(shared.mutex);
    return shared.at;
}

// The time-outs cut so that the whole exchange, one connection attempt, the send and a receive for
// each of header and body, ends by the deadline.
HTTP::Timeout Within(HTTP::Timeout timeout, Clock::time_point deadline)
{
    const long long left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    const auto share = static_cast<std::int32_t>(std::clamp<long long>(left / 4, 1, INT32_MAX));
    const auto cut = [share](std::int32_t ms) { return ms > 0 ? std::min(ms, share) : share; };
    timeout.ConnectMs = cut(timeout.ConnectMs);
    timeout.Retry = 0;
    timeout.SendMs = cut(timeout.SendMs);
    timeout.RecvMs = cut(timeout.RecvMs);
    return timeout;
}

void UnsubscribeFrom(const Target& used)
{
    HTTP::Timeout timeout = QX::GetConfig().Get(QX::Config::Unsubscribe);
    if (const auto deadline = CurrentExitDeadline())
        timeout = Within(timeout, *deadline);
    const QX::Quexhall client(used.device);
    client.UnsubscribeToRSSFeed(used.account, timeout);
}

} // namespace

struct Subscriber::Pimpl
{
    Pimpl(const Entry::ID& id, MonitoredEntry::EntryManager& manager)
        : entry(manager, id)
    { }

    boost::optional<Target> ReadEntry() const;
    Target TakeTarget();
    void Attempt();
    void Pause();
    void End();
    void Unsubscribe(const Target& used);
    void LeavePrevious(const Target& next);

    const EntryWriter entry;
    // Read once when the subscriber is made, as the process-wide settings are.
    const Config::Current settings = Config::GetCurrent();

    // The entry lock: device, account and changed.
    Target target;
    bool changed = false;
    boost::mutex entryMutex;
    boost::condition_variable changeCondition;

    // Where the last successful subscription was made; only the subscriber's thread uses it.
    boost::optional<Target> subscribed;

    // The address lock: feed address and ready. Held across every subscribe call and, by the
    // monitor, across every feed read, so the two never overlap.
    boost::optional<std::wstring> feedURL;
    bool ready = false;
    boost::mutex addressMutex;
    boost::condition_variable addressCondition;
};

struct Subscriber::ScopedRSSFeedURLLock::Pimpl
{
    explicit Pimpl(const std::shared_ptr<Subscriber::Pimpl>& subscriber)
        : owner(subscriber)
        , lock(subscriber->addressMutex)
    { }

    // Keeps the mutex alive as long as it is held.
    std::shared_ptr<Subscriber::Pimpl> owner;
    Lock lock;
};

boost::optional<Target> Subscriber::Pimpl::ReadEntry() const
{
    boost::optional<Target> read;
    entry.Read([&read](const Entry& stored) {
        read = Target {stored.GetProperty().GetMFP(), stored.GetProperty().GetUser()};
    });
    return read;
}

Target Subscriber::Pimpl::TakeTarget()
{
    Lock lock(entryMutex);
    changed = false;
    return target;
}

void Subscriber::Pimpl::Attempt()
{
    const Target used = TakeTarget();
    boost::this_thread::interruption_point();
    LeavePrevious(used);
    try {
        const QX::Quexhall client(used.device);
        {
            Lock lock(addressMutex);
            boost::this_thread::interruption_point();
            feedURL.reset();
            feedURL
                = client.SubscribeToRSSFeed(settings.Port, used.account, QX::GetConfig().Get(QX::Config::Subscribe));
            ready = true;
        }
        subscribed = used;
        addressCondition.notify_all();
        entry.SetStatus(EntryProperty::Subscribed, 0);
    } catch (const boost::thread_interrupted&) {
        throw;
    } catch (const HTTP::Error&) {
        // The device refused or could not be reached: retried after the shorter pause or at a change.
        entry.SetStatus(EntryProperty::Unsubscribed, 1);
    } catch (...) {
        entry.SetStatus(EntryProperty::Unsubscribed, 1);
        throw;
    }
}

void Subscriber::Pimpl::Pause()
{
    std::int32_t pause = 0;
    {
        Lock lock(addressMutex);
        pause = feedURL ? settings.SubscribeIntervalMs : settings.RetrySubscribeIntervalMs;
    }
    Lock lock(entryMutex);
    changeCondition.wait_for(lock, boost::chrono::milliseconds(pause), [this] { return changed; });
}

void Subscriber::Pimpl::LeavePrevious(const Target& next)
{
    // The entry now points at another device or account: the old one would go on signalling.
    if (!subscribed || SameTarget(*subscribed, next))
        return;
    try {
        UnsubscribeFrom(*subscribed);
    } catch (const HTTP::Error&) {
        // Unreachable or refused: it ends there on its own when the device drops stale subscribers.
    }
    subscribed.reset();
}

void Subscriber::Pimpl::End()
{
    {
        Lock lock(addressMutex);
        feedURL.reset();
        ready = true;
    }
    // A monitor waiting for an address now learns there is none.
    addressCondition.notify_all();
    Target used;
    {
        Lock lock(entryMutex);
        used = target;
    }
    try {
        LeavePrevious(used);
        Unsubscribe(used);
    } catch (...) {
        try {
            entry.SetStatus(EntryProperty::Unsubscribed, 1);
        } catch (...) {
            // The thread is ending; there is nobody left to tell.
        }
    }
}

void Subscriber::Pimpl::Unsubscribe(const Target& used)
{
    UnsubscribeFrom(used);
    entry.SetStatus(EntryProperty::Unsubscribed, 0);
}

Subscriber::Subscriber(const Entry::ID& id, MonitoredEntry::EntryManager& manager)
    : m_pimpl(std::make_shared<Pimpl>(id, manager))
{ }

Subscriber::~Subscriber()
{
    try {
        stop();
    } catch (...) {
        // A destructor has nobody to tell.
    }
}

void Subscriber::on_start()
{
    Pimpl& p = *m_pimpl;
    // Read under the entry manager's lock, stored under ours: the two are never held together.
    if (const boost::optional<Target> read = p.ReadEntry()) {
        Lock lock(p.entryMutex);
        p.target = *read;
        p.changed = false;
    }
    Lock lock(p.addressMutex);
    p.ready = false;
}

int Subscriber::run()
{
    const std::shared_ptr<Pimpl> p = m_pimpl;
    const ThreadExitAction end([p] { p->End(); });
    for (;;) {
        p->Attempt();
        p->Pause();
    }
}

boost::optional<std::wstring> Subscriber::GetRSSFeedURL(const ScopedRSSFeedURLLock& held) const
{
    if (held.m_pimpl->owner != m_pimpl)
        BOOST_THROW_EXCEPTION(kestle::domain_error());
    Pimpl& p = *m_pimpl;
    p.addressCondition.wait(held.m_pimpl->lock, [&p] { return p.ready; });
    return p.feedURL;
}

void Subscriber::Update()
{
    Pimpl& p = *m_pimpl;
    const boost::optional<Target> read = p.ReadEntry();
    if (!read)
        return;
    {
        Lock lock(p.entryMutex);
        if (read->device == p.target.device && read->account == p.target.account)
            return;
        p.target = *read;
        p.changed = true;
    }
    p.changeCondition.notify_all();
}

bool Subscriber::SameSubscription(const MFP& deviceA, const User& accountA, const MFP& deviceB, const User& accountB)
{
    return deviceA.GetHost() == deviceB.GetHost() && accountA.GetID() == accountB.GetID();
}

Subscriber::ScopedRSSFeedURLLock::ScopedRSSFeedURLLock(const Subscriber& subscriber)
    : m_pimpl(std::make_shared<Pimpl>(subscriber.m_pimpl))
{ }

Subscriber::UnsubscribeDeadline::UnsubscribeDeadline(Clock::time_point deadline)
{
    SharedDeadline& shared = ExitDeadline();
    std::lock_guard<std::mutex> lock(shared.mutex);
    m_previous = shared.at;
    shared.at = m_previous ? std::min(*m_previous, deadline) : deadline;
}

Subscriber::UnsubscribeDeadline::~UnsubscribeDeadline()
{
    SharedDeadline& shared = ExitDeadline();
    std::lock_guard<std::mutex> lock(shared.mutex);
    shared.at = m_previous;
}

} // namespace Orvane::Monitor
