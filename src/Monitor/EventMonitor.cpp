#include "Monitor/EventMonitor.hpp"

#include "HTTP/Exceptions.hpp"
#include "MachineEvent/DetectedEvent.hpp"
#include "Monitor/DeviceAddressCache.hpp"
#include "Monitor/EntryWriter.hpp"
#include "Monitor/Signal.hpp"
#include "Monitor/Subscriber.hpp"
#include "Monitor/ThreadExitAction.hpp"
#include "MonitoredEntry/Distinction.hpp"
#include "QX/Config.hpp"
#include "QX/Quexhall.hpp"
#include "RSS/EventTime.hpp"
#include "System/Text.hpp"

#include <boost/chrono/duration.hpp>
#include <boost/chrono/system_clocks.hpp>
#include <boost/optional/optional.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include <algorithm>
#include <deque>

namespace Orvane::Monitor {

using MonitoredEntry::Distinction;
using MonitoredEntry::Entry;

namespace {

using Lock = boost::unique_lock<boost::mutex>;
using Clock = boost::chrono::steady_clock;

// The least time between two reads that datagrams asked for. A flood of forged datagrams then costs
// one read per gap; a real one inside the gap is read at its end.
constexpr Clock::duration SignalGap = boost::chrono::seconds(2);
using EventPointer = std::shared_ptr<const MachineEvent::DetectedEvent>;

// What a monitor learns from its entry.
struct Reading
{
    bool monitoring = false;
    Distinction distinction;
    std::int32_t interval = 0;
    boost::optional<RSS::RSSFeed> feed;
};

MonitoredEntry::EventProperty MakeProperty(const RSS::Item& item)
{
    boost::optional<std::wstring> thumbNailURL;
    boost::optional<std::wstring> docID;
    // An item without a document link names no document either.
    if (!item.GetDescription().empty()) {
        thumbNailURL = System::FromANSI(item.GetDescription());
        docID = System::FromANSI(item.GetGuid());
    }
    return MonitoredEntry::EventProperty(System::FromANSI(item.GetCategory()), System::FromANSI(item.GetTitle()),
                                         thumbNailURL, docID, RSS::EventTime(item.GetPub()));
}

// The subscription belongs to one device and account: pointing the entry elsewhere ends it.
bool SameTarget(const Distinction& a, const Distinction& b)
{
    return Subscriber::SameSubscription(a.GetMFP(), a.GetUser(), b.GetMFP(), b.GetUser());
}

} // namespace

struct EventMonitor::Pimpl
{
    Pimpl(const Entry::ID& id, MonitoredEntry::EntryManager& manager, Queue& detected)
        : entry(manager, id)
        , queue(detected)
        , subscriber(id, manager)
    { }

    enum class Action { None, Resume, Restart, Suspend };

    boost::optional<Reading> Read() const;
    bool StartUp();
    void Cycle();
    void Check();
    void Analyse();
    void Dispatch();
    void Wait();
    void End();
    void Update();
    Action Decide(const Reading& reading);
    void Act(Action action);
    void Test(const Signal& signal);

    const EntryWriter entry;
    Queue& queue;

    // Only the monitor's own thread touches these three.
    std::unique_ptr<RSS::RSSFeed> newFeed;
    std::deque<EventPointer> pending;
    boost::optional<RSS::RSSFeed> latestFeed;

    Subscriber subscriber;
    // Serialises starting and stopping the subscriber with the end of the monitor, so a subscriber is
    // never left running by a monitor that has ended. Taken before the monitor lock; the signal test
    // never takes it, so no signal waits for a device call.
    boost::mutex subscriberMutex;

    // The monitor lock: distinction, interval and the three flags.
    boost::optional<Distinction> distinction;
    std::int32_t interval = 0;
    bool started = false;
    bool suspended = false;
    bool refreshRequested = false;
    // The request is not only a paced signal's: read without waiting for the gap.
    bool refreshUrgent = false;
    Clock::time_point lastPacedRead;
    boost::mutex mutex;
    boost::condition_variable wake;

    DeviceAddressCache addresses;
};

boost::optional<Reading> EventMonitor::Pimpl::Read() const
{
    boost::optional<Reading> reading;
    entry.Read([&reading](const Entry& stored) {
        reading = Reading {stored.IsMonitoring(), Distinction(stored), stored.GetProperty().GetConfig().GetInterval(),
                           stored.GetLatestRSSFeed()};
    });
    return reading;
}

bool EventMonitor::Pimpl::StartUp()
{
    const boost::optional<Reading> reading = Read();
    if (!reading)
        return false;
    latestFeed = reading->feed;
    boost::lock_guard<boost::mutex> control(subscriberMutex);
    // An entry switched off since the monitor was made is not subscribed.
    if (reading->monitoring)
        subscriber.start();
    Lock lock(mutex);
    distinction = reading->distinction;
    interval = reading->interval;
    started = true;
    suspended = !reading->monitoring;
    refreshRequested = false;
    return true;
}

void EventMonitor::Pimpl::Cycle()
{
    if (!newFeed) {
        // Cleared before the read, not after: a signal that arrives during the read may announce
        // an item the read missed, so it must cause another read.
        {
            Lock lock(mutex);
            if (refreshRequested && !refreshUrgent)
                lastPacedRead = Clock::now();
            refreshRequested = false;
            refreshUrgent = false;
        }
        Check();
    }
    if (!newFeed)
        return;
    if (pending.empty())
        Analyse();
    if (pending.empty())
        newFeed.reset();
    else
        Dispatch();
}

void EventMonitor::Pimpl::Check()
{
    {
        Lock lock(mutex);
        if (suspended)
            return;
    }
    const Subscriber::ScopedRSSFeedURLLock held(subscriber);
    const boost::optional<std::wstring> url = subscriber.GetRSSFeedURL(held);
    if (!url)
        return;
    boost::optional<Distinction> current;
    {
        Lock lock(mutex);
        current = distinction;
    }
    try {
        QX::Quexhall client(current->GetMFP());
        entry.SetFailure(0);
        newFeed = client.GetRSSFeed(current->GetUser(), *url, QX::GetConfig().Get(QX::Config::RSSFeed));
    } catch (const boost::thread_interrupted&) {
        throw;
    } catch (const HTTP::Error&) {
        // Every device failure, an unusable feed among them: shown as the entry's status, read
        // again at the next interval, signal or edit.
        entry.SetFailure(1);
    } catch (...) {
        entry.SetFailure(1);
        throw;
    }
}

void EventMonitor::Pimpl::Analyse()
{
    const RSS::RSSFeed::ItemList items = latestFeed ? RSS::NewItems(*latestFeed, *newFeed) : newFeed->GetItemList();
    for (const RSS::Item& item : items)
        pending.push_back(std::make_shared<const MachineEvent::DetectedEvent>(entry.GetID(), MakeProperty(item)));
}

void EventMonitor::Pimpl::Dispatch()
{
    while (!pending.empty()) {
        // Removed only once queued: an interrupted push loses nothing.
        queue.push(pending.front());
        pending.pop_front();
    }
    latestFeed = *newFeed;
    newFeed.reset();
    entry.Change([this](Entry& stored) { stored.SetLatestRSSFeed(latestFeed); });
}

void EventMonitor::Pimpl::Wait()
{
    Lock lock(mutex);
    const Clock::time_point until = Clock::now() + boost::chrono::milliseconds(std::max<std::int32_t>(interval, 1));
    for (;;) {
        const Clock::time_point now = Clock::now();
        const bool requested = started && !suspended && refreshRequested;
        const Clock::time_point due = refreshUrgent ? now : lastPacedRead + SignalGap;
        if (now >= until || (requested && now >= due))
            return;
        wake.wait_until(lock, requested ? std::min(until, due) : until);
    }
}

void EventMonitor::Pimpl::End()
{
    boost::lock_guard<boost::mutex> control(subscriberMutex);
    {
        Lock lock(mutex);
        started = false;
    }
    try {
        subscriber.stop();
    } catch (...) {
        // The subscriber's own failures stay with it; its thread has ended either way.
    }
}

EventMonitor::Pimpl::Action EventMonitor::Pimpl::Decide(const Reading& reading)
{
    const Distinction previous = *distinction;
    distinction = reading.distinction;
    interval = reading.interval;
    if (!reading.monitoring) {
        if (suspended)
            return Action::None;
        suspended = true;
        return Action::Suspend;
    }
    if (suspended)
        return Action::Resume;
    return SameTarget(previous, reading.distinction) ? Action::None : Action::Restart;
}

void EventMonitor::Pimpl::Act(Action action)
{
    if (action == Action::None)
        return;
    // A restart unsubscribes from the device or account used so far, and the check that follows
    // waits for the new subscription instead of reading with the old feed address.
    if (action != Action::Resume)
        subscriber.stop();
    if (action == Action::Suspend)
        return;
    subscriber.start();
    Lock lock(mutex);
    suspended = false;
    refreshRequested = true;
    refreshUrgent = true;
}

void EventMonitor::Pimpl::Update()
{
    const boost::optional<Reading> reading = Read();
    if (!reading)
        return;
    {
        boost::lock_guard<boost::mutex> control(subscriberMutex);
        Action action = Action::None;
        {
            Lock lock(mutex);
            if (!started)
                return;
            action = Decide(*reading);
        }
        Act(action);
    }
    boost::this_thread::yield();
    subscriber.Update();
    wake.notify_all();
}

void EventMonitor::Pimpl::Test(const Signal& signal)
{
    boost::optional<Distinction> current;
    {
        Lock lock(mutex);
        current = distinction;
    }
    if (!current || !signal.Matches(*current, addresses.Get(current->GetMFP())))
        return;
    {
        Lock lock(mutex);
        refreshRequested = true;
        refreshUrgent = refreshUrgent || !signal.IsPaced();
    }
    wake.notify_all();
}

EventMonitor::EventMonitor(const Entry::ID& id, MonitoredEntry::EntryManager& manager, Queue& queue)
    : m_pimpl(std::make_shared<Pimpl>(id, manager, queue))
{ }

EventMonitor::~EventMonitor()
{
    try {
        stop();
    } catch (...) {
        // A destructor has nobody to tell.
    }
}

const Entry::ID& EventMonitor::GetID() const
{
    return m_pimpl->entry.GetID();
}

void EventMonitor::Update()
{
    m_pimpl->Update();
}

void EventMonitor::Test(const Signal& signal)
{
    m_pimpl->Test(signal);
}

bool EventMonitor::operator<(const EventMonitor& other) const
{
    return GetID() < other.GetID();
}

bool EventMonitor::operator==(const EventMonitor& other) const
{
    return GetID() == other.GetID();
}

int EventMonitor::run()
{
    const std::shared_ptr<Pimpl> p = m_pimpl;
    const ThreadExitAction end([p] { p->End(); });
    if (!p->StartUp())
        return 0;
    for (;;) {
        p->Cycle();
        p->Wait();
    }
}

} // namespace Orvane::Monitor
