#include "Monitor/Subscriber.hpp"

#include "MonitorFixture.hpp"

#include <gtest/gtest.h>

#include <chrono>

namespace {

using namespace Orvane;
using Monitor::Subscriber;
using OrvaneTest::waitUntil;
using State = MonitoredEntry::EntryProperty::SubscriptionState;

class SubscriberTest : public OrvaneTest::MonitorFixture
{
protected:
    explicit SubscriberTest(int subscribeMs = 3600000, int retryMs = 3600000)
        : MonitorFixture(settings(subscribeMs, retryMs))
    { }

    static OrvaneTest::MonitorSettings settings(int subscribeMs, int retryMs)
    {
        OrvaneTest::MonitorSettings settings;
        settings.subscribeMs = subscribeMs;
        settings.retryMs = retryMs;
        return settings;
    }

    boost::optional<std::wstring> feedURL(const Subscriber& subscriber)
    {
        const Subscriber::ScopedRSSFeedURLLock held(subscriber);
        return subscriber.GetRSSFeedURL(held);
    }
};

class SubscriberRenewalTest : public SubscriberTest
{
protected:
    SubscriberRenewalTest()
        : SubscriberTest(100, 3600000)
    { }
};

class SubscriberRetryTest : public SubscriberTest
{
protected:
    SubscriberRetryTest()
        : SubscriberTest(3600000, 100)
    { }
};

TEST_F(SubscriberTest, SubscribesWithTheListenPortAndGivesTheFeedAddress)
{
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();

    const auto url = feedURL(subscriber);
    ASSERT_TRUE(url);
    EXPECT_FALSE(url->empty());
    ASSERT_TRUE(waitUntil([&] { return hasStatus(id, State::Subscribed, 0); }));
    EXPECT_EQ(subscribers(sim, "alice"),
              std::vector<std::string> {"127.0.0.1:" + std::to_string(OrvaneTest::listenPort())});
}

TEST_F(SubscriberRenewalTest, RenewsWhileSubscribed)
{
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();
    EXPECT_TRUE(waitUntil([&] { return count(sim, "SubscribeToFeed") >= 4; }));
    EXPECT_TRUE(hasStatus(id, State::Subscribed, 0));
}

TEST_F(SubscriberRetryTest, RetriesAfterAFailureAndReportsEachOutcome)
{
    sim.setFault("SubscribeToFeed", {{"kind", "result"}, {"result", "FAIL_MACHINE_BUSY"}, {"count", 3}});
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();
    ASSERT_TRUE(waitUntil([&] { return hasStatus(id, State::Unsubscribed, 1); }));

    // The first attempts failed: a reader waits for the retry that succeeds.
    EXPECT_TRUE(feedURL(subscriber));
    EXPECT_EQ(count(sim, "SubscribeToFeed"), 4);
    EXPECT_TRUE(waitUntil([&] { return hasStatus(id, State::Subscribed, 0); }));
}

TEST_F(SubscriberRetryTest, AFailureAfterASuccessLeavesNoAddress)
{
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();
    ASSERT_TRUE(feedURL(subscriber));

    sim.setFault("SubscribeToFeed", {{"kind", "status"}, {"status", 500}});
    change(id, [](Property& p) { // a new account display name counts as a change
        auto user = p.GetUser();
        user.SetName(std::wstring(L"Alice"));
        p.SetUser(user);
    });
    subscriber.Update();
    ASSERT_TRUE(waitUntil([&] { return hasStatus(id, State::Unsubscribed, 1); }));
    EXPECT_FALSE(feedURL(subscriber));
}

TEST_F(SubscriberTest, AChangedAccountIsSubscribedAtOnce)
{
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();
    ASSERT_TRUE(feedURL(subscriber));

    change(id, [&](Property& p) { p.SetUser(propertyFor("bob").GetUser()); });
    subscriber.Update();
    // The renewal is an hour away: only the change can have caused this.
    EXPECT_TRUE(waitUntil([&] { return subscribed(sim, "bob"); }));
    // The account it left no longer gets signals meant for nobody.
    EXPECT_FALSE(subscribed(sim, "alice"));
}

TEST_F(SubscriberTest, StoppingUnsubscribesFromTheDeviceLastUsed)
{
    OrvaneTest::DevSim other(OrvaneTest::DevSim::defaultConfig(), {"--bind", "127.0.0.3"});
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();
    ASSERT_TRUE(feedURL(subscriber));

    change(id, [&](Property& p) { p.SetMFP(propertyFor("alice", &other).GetMFP()); });
    subscriber.Update();
    ASSERT_TRUE(waitUntil([&] { return subscribed(other, "alice"); }));
    // Removed: its status is no longer written, but the device still hears of the end.
    remove(id);
    subscriber.stop();

    EXPECT_FALSE(subscribed(other, "alice"));
    const auto log = other.requestLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().at("operation"), "UnSubscribeToFeed");
}

TEST_F(SubscriberTest, UnsubscriptionStatus)
{
    struct Case
    {
        const char* name;
        nlohmann::json fault;
        int failure;
    };
    const Case cases[] = {
        {"accepted", nullptr, 0},
        {"refused", {{"kind", "result"}, {"result", "FAIL_NO_SUCH_USER"}}, 1},
        {"dropped", {{"kind", "drop"}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.clearFaults();
        const ID id = addEntry("alice");
        {
            Subscriber subscriber(id, entries);
            subscriber.start();
            ASSERT_TRUE(feedURL(subscriber));
            if (!c.fault.is_null())
                sim.setFault("UnSubscribeToFeed", c.fault);
            subscriber.stop();
            // A reader after the end gets no address at once.
            EXPECT_FALSE(feedURL(subscriber));
        }
        EXPECT_TRUE(hasStatus(id, State::Unsubscribed, c.failure));
        remove(id);
    }
}

TEST_F(SubscriberTest, StoppingWhileWaitingForTheFirstSubscriptionReleasesTheReader)
{
    sim.setFault("SubscribeToFeed", {{"kind", "status"}, {"status", 503}});
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();
    ASSERT_TRUE(waitUntil([&] { return hasStatus(id, State::Unsubscribed, 1); }));

    boost::optional<std::wstring> seen = std::wstring(L"not yet");
    boost::thread reader([&] { seen = feedURL(subscriber); });
    subscriber.stop();
    reader.join();
    EXPECT_FALSE(seen);
}

// A device that trickles every answer: the subscription under way is given up at the stop, and the
// unsubscription that follows ends by the deadline the stop was given, failed.
TEST_F(SubscriberTest, StopEndsTrickledExchangesByTheSharedDeadline)
{
    const ID id = addEntry("alice");
    Subscriber subscriber(id, entries);
    subscriber.start();
    ASSERT_TRUE(feedURL(subscriber));
    sim.setFault("*", {{"kind", "trickle"}, {"ms", 200}});
    change(id, [](Property& p) { // a new display name: a new attempt, which trickles
        auto user = p.GetUser();
        user.SetName(std::wstring(L"Alice"));
        p.SetUser(user);
    });
    subscriber.Update();
    ASSERT_TRUE(waitUntil([&] { return count(sim, "SubscribeToFeed") == 2; }));

    const auto start = std::chrono::steady_clock::now();
    {
        const Subscriber::UnsubscribeDeadline bounded(start + std::chrono::seconds(1));
        subscriber.stop();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_TRUE(hasStatus(id, State::Unsubscribed, 1));
    EXPECT_EQ(1, count(sim, "UnSubscribeToFeed"));
}

} // namespace
