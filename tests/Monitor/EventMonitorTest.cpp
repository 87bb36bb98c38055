#include "Monitor/EventMonitorManager.hpp"

#include "MachineEvent/DetectedEvent.hpp"
#include "Monitor/EventSignalReceiver.hpp"
#include "Monitor/Signal.hpp"
#include "MonitoredEntry/Distinction.hpp"
#include "Serializer.hpp"

#include "MonitorFixture.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace Orvane;
using MachineEvent::DetectedEvent;
using Monitor::EventMonitorManager;
using Monitor::EventSignalReceiver;
using MonitoredEntry::EntryManager;
using OrvaneTest::DevSim;
using OrvaneTest::waitUntil;
using State = MonitoredEntry::EntryProperty::SubscriptionState;
using EventPointer = std::shared_ptr<const DetectedEvent>;

// The monitors of one entry manager, hearing the process-wide receiver, as the engine runs them.
class RunningMonitors
{
public:
    RunningMonitors(EntryManager& entries, Monitor::EventMonitor::Queue& queue)
        : m_entries(entries)
        , m_monitors(entries, queue)
    {
        m_entries.AddObserver(&m_monitors);
        EventSignalReceiver::Instance().AddObserver(&m_monitors);
        EventSignalReceiver::Instance().Start();
    }
    ~RunningMonitors()
    {
        EventSignalReceiver::Instance().Stop();
        EventSignalReceiver::Instance().RemoveObserver(&m_monitors);
        m_entries.RemoveObserver(&m_monitors);
        m_monitors.StopAll();
    }
    EventMonitorManager& operator*() { return m_monitors; }
    EventMonitorManager* operator->() { return &m_monitors; }

private:
    EntryManager& m_entries;
    EventMonitorManager m_monitors;
};

class EventMonitorTest : public OrvaneTest::MonitorFixture
{
protected:
    // The next detected event, or null when none comes within the deadline.
    EventPointer next()
    {
        EventPointer event;
        waitUntil([&] { return queue.pop(event, boost::posix_time::milliseconds(50)); });
        return event;
    }

    static std::wstring infoOf(const EventPointer& event)
    {
        return event ? event->GetEventProperty().GetInfo() : L"(none)";
    }

    bool readAtLeast(const DevSim& device, int reads)
    {
        return waitUntil([&] { return count(device, "feed") >= reads; });
    }

    Monitor::EventMonitor::Queue queue {50};
};

TEST_F(EventMonitorTest, DetectsTheFeedOnceThenEachNewDocumentAtItsSignal)
{
    sim.addDocument("alice", "first.pdf");
    sim.addDocument("alice", "second.pdf", "image/jpeg", {{"category", "Fax"}});
    const ID id = addEntry("alice");
    RunningMonitors monitors(entries, queue);

    // The first check of an entry without a latest feed takes every item, in feed order.
    const EventPointer first = next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->GetEntryID(), id);
    EXPECT_EQ(infoOf(first), L"first.pdf");
    const EventPointer second = next();
    EXPECT_EQ(infoOf(second), L"second.pdf");
    EXPECT_EQ(second->GetEventProperty().GetCategory(), L"Fax");
    EXPECT_TRUE(second->GetEventProperty().GetDocID());
    EXPECT_TRUE(second->GetEventProperty().GetThumbNailURL());
    ASSERT_TRUE(waitUntil([&] { return entry(id).GetLatestRSSFeed().has_value(); }));
    EXPECT_EQ(entry(id).GetLatestRSSFeed()->GetItemList().size(), 2u);

    // The regular check is an hour away: the datagram brings the third.
    const std::string third = sim.addDocument("alice", "third.pdf");
    const EventPointer event = next();
    EXPECT_EQ(infoOf(event), L"third.pdf");
    EXPECT_EQ(event->GetEventProperty().GetDocID().value_or(L"(none)"), std::wstring(third.begin(), third.end()));
    EXPECT_TRUE(hasStatus(id, State::Subscribed, 0));
}

// The feed after the newest document went still lists every older one; they were announced before.
TEST_F(EventMonitorTest, DeletingTheNewestDocumentAnnouncesNothingOld)
{
    std::string newest;
    for (int n = 1; n <= 40; ++n)
        newest = sim.addDocument("alice", "doc" + std::to_string(n) + ".pdf");
    addEntry("alice");
    RunningMonitors monitors(entries, queue);
    for (int n = 1; n <= 40; ++n)
        ASSERT_EQ(infoOf(next()), L"doc" + std::to_wstring(n) + L".pdf");

    sim.deleteDocument(newest);
    sim.addDocument("alice", "after.pdf");
    EXPECT_EQ(infoOf(next()), L"after.pdf");
}

TEST_F(EventMonitorTest, ASignalWakesOnlyTheMonitorOfItsSender)
{
    DevSim other(DevSim::defaultConfig(), {"--bind", "127.0.0.3"});
    const ID here = addEntry("alice");
    addEntry("alice", &other);
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(readAtLeast(sim, 1) && readAtLeast(other, 1));
    const int hereReads = count(sim, "feed");
    const int otherReads = count(other, "feed");

    // Datagrams are handled in arrival order: the foreign ones are tested before the device's own.
    OrvaneTest::DatagramSender("127.0.0.2").send(200);
    sim.addDocument("alice", "here.pdf");
    const EventPointer event = next();
    ASSERT_TRUE(event);
    EXPECT_EQ(event->GetEntryID(), here);
    other.addDocument("alice", "there.pdf");
    EXPECT_EQ(infoOf(next()), L"there.pdf");

    // A monitor woken by someone else's datagram would have read once more.
    EXPECT_EQ(count(sim, "feed"), hereReads + 1);
    EXPECT_EQ(count(other, "feed"), otherReads + 1);
}

// Throws for one device, matches the other.
class FailingSignal : public Monitor::Signal
{
public:
    explicit FailingSignal(std::wstring failing)
        : m_failing(std::move(failing))
    { }
    bool Matches(const MonitoredEntry::Distinction& distinction) const override
    {
        if (distinction.GetMFP().GetHost() == m_failing)
            throw std::runtime_error("cannot resolve");
        return true;
    }
    bool Matches(const MonitoredEntry::Distinction& distinction, const Monitor::DeviceAddresses&) const override
    {
        return Matches(distinction);
    }

private:
    std::wstring m_failing;
};

TEST_F(EventMonitorTest, OneMonitorsFailureToTestASignalLeavesTheOthersTheSignal)
{
    DevSim other(DevSim::defaultConfig(), {"--bind", "127.0.0.3"});
    addEntry("alice"); // tested first
    addEntry("alice", &other);
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(readAtLeast(sim, 1) && readAtLeast(other, 1));
    other.addDocument("alice", "after.pdf");
    const int reads = count(other, "feed");

    monitors->OnSignal(FailingSignal(L"127.0.0.1"));
    EXPECT_TRUE(readAtLeast(other, reads + 1));
}

TEST_F(EventMonitorTest, AFloodOfForeignDatagramsDoesNotHoldUpARealSignal)
{
    addEntry("alice");
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(readAtLeast(sim, 1));
    const int reads = count(sim, "feed");

    boost::thread flood([] { OrvaneTest::DatagramSender("127.0.0.2").send(5000); });
    sim.addDocument("alice", "during.pdf");
    EXPECT_EQ(infoOf(next()), L"during.pdf");
    flood.join();
    EXPECT_EQ(count(sim, "feed"), reads + 1);
}

// Anyone can send datagrams from a device's address: a flood of them costs one read per two seconds,
// and a real change during the flood is still read.
TEST_F(EventMonitorTest, AFloodFromTheDevicesAddressIsReadAtMostOncePerGap)
{
    addEntry("alice");
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(readAtLeast(sim, 1));
    const int reads = count(sim, "feed");

    OrvaneTest::DatagramSender forger(sim.address());
    const auto start = std::chrono::steady_clock::now();
    bool added = false;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
        forger.send(50);
        if (!added && std::chrono::steady_clock::now() - start > std::chrono::milliseconds(500))
            added = !sim.addDocument("alice", "during.pdf").empty();
    }
    EXPECT_EQ(infoOf(next()), L"during.pdf");
    // Reads at 0, 2 and 4 s at most.
    EXPECT_LE(count(sim, "feed") - reads, 3);
}

TEST_F(EventMonitorTest, SwitchedOffItSuspendsAndSwitchedOnItChecksAtOnce)
{
    const ID id = addEntry("alice");
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(waitUntil([&] { return subscribed(sim, "alice") && count(sim, "feed") >= 1; }));

    change(id, [](Property& p) { p.SetMonitoring(false); });
    ASSERT_TRUE(waitUntil([&] { return !subscribed(sim, "alice") && hasStatus(id, State::Unsubscribed, 0); }));
    const int reads = count(sim, "feed");
    sim.addDocument("alice", "while-off.pdf"); // nobody is subscribed: no datagram
    EXPECT_EQ(monitors->GetIDs(), std::vector<ID> {id});

    change(id, [](Property& p) { p.SetMonitoring(true); });
    EXPECT_EQ(infoOf(next()), L"while-off.pdf");
    EXPECT_TRUE(subscribed(sim, "alice"));
    EXPECT_EQ(count(sim, "feed"), reads + 1);
}

TEST_F(EventMonitorTest, ANewHostMovesTheSubscriptionAndChecksAtOnce)
{
    DevSim other(DevSim::defaultConfig(), {"--bind", "127.0.0.3"});
    other.addDocument("alice", "elsewhere.pdf");
    const ID id = addEntry("alice");
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(waitUntil([&] { return subscribed(sim, "alice") && count(sim, "feed") >= 1; }));

    change(id, [&](Property& p) { p.SetMFP(propertyFor("alice", &other).GetMFP()); });
    EXPECT_EQ(infoOf(next()), L"elsewhere.pdf");
    EXPECT_TRUE(subscribed(other, "alice"));
    EXPECT_FALSE(subscribed(sim, "alice"));
}

TEST_F(EventMonitorTest, RemovingTheEntryEndsItsMonitorAndSubscription)
{
    DevSim other(DevSim::defaultConfig(), {"--bind", "127.0.0.3"});
    const ID kept = addEntry("alice");
    const ID removed = addEntry("bob", &other);
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(waitUntil([&] { return subscribed(sim, "alice") && subscribed(other, "bob"); }));

    remove(removed);
    EXPECT_TRUE(waitUntil([&] { return monitors->GetIDs() == std::vector<ID> {kept}; }));
    EXPECT_TRUE(waitUntil([&] { return !subscribed(other, "bob"); }));
    EXPECT_TRUE(subscribed(sim, "alice"));
}

TEST_F(EventMonitorTest, AFailedReadIsTheEntrysStatusUntilAReadSucceeds)
{
    const ID id = addEntry("alice");
    RunningMonitors monitors(entries, queue);
    ASSERT_TRUE(readAtLeast(sim, 1));

    sim.setFault("feed", {{"kind", "malformed-xml"}, {"count", 1}});
    sim.addDocument("alice", "missed.pdf");
    ASSERT_TRUE(waitUntil([&] { return hasStatus(id, State::Subscribed, 1); }));

    sim.addDocument("alice", "next.pdf");
    EXPECT_EQ(infoOf(next()), L"missed.pdf");
    EXPECT_EQ(infoOf(next()), L"next.pdf");
    EXPECT_TRUE(hasStatus(id, State::Subscribed, 0));
}

TEST_F(EventMonitorTest, TheLatestFeedSurvivesARestartSoNothingIsDetectedTwice)
{
    const OrvaneTest::TempDir folder;
    {
        Serializer store(folder.path().string());
        addEntry(store.GetEntryManager(), propertyFor("alice"));
        sim.addDocument("alice", "old.pdf");
        RunningMonitors monitors(store.GetEntryManager(), queue);
        ASSERT_EQ(infoOf(next()), L"old.pdf");
        const auto stored = [&] {
            EntryManager::ScopedLock lock(store.GetEntryManager());
            const auto& list = store.GetEntryManager().GetDB().GetEntryList();
            return list.front()->GetLatestRSSFeed().has_value();
        };
        ASSERT_TRUE(waitUntil(stored));
        Save(store);
    }
    Serializer restarted(folder.path().string());
    Load(restarted);
    RunningMonitors monitors(restarted.GetEntryManager(), queue);
    ASSERT_TRUE(readAtLeast(sim, 2));
    sim.addDocument("alice", "new.pdf");
    EXPECT_EQ(infoOf(next()), L"new.pdf");
}

} // namespace
