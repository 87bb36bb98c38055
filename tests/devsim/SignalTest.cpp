#include "DeviceCalls.hpp"
#include "UdpListener.hpp"

#include <gtest/gtest.h>

using OrvaneTest::DevSim;
using OrvaneTest::waitUntil;

namespace {

class SignalTest : public ::testing::Test
{
protected:
    void subscribe(const std::string& user, const std::string& password, const UdpListener& listener)
    {
        const auto answer = calls.command("SubscribeToFeed", "SUBSCRIBETOFEED",
                                          DeviceCalls::subscribeParams(user, password, listener.port()));
        ASSERT_TRUE(answer);
        ASSERT_EQ("SUCCESS", DeviceCalls::text(answer->body, "RESULT"));
    }

    long signalsSent() { return devsim.state()["signalsSent"].get<long>(); }

    DevSim devsim;
    DeviceCalls calls {devsim};
    UdpListener first, second, other;
};

} // namespace

TEST_F(SignalTest, EverySubscriberOfTheAccountGetsOneDatagramFromTheDevice)
{
    subscribe("alice", "alice-pass", first);
    subscribe("alice", "alice-pass", second);
    subscribe("alice", "alice-pass", second); // a renewal, not a second subscription
    subscribe("bob", "bob-pass", other);

    devsim.addDocument("alice", "New scan");
    ASSERT_TRUE(waitUntil([&] { return first.poll().size() == 1 && second.poll().size() == 1; }));
    EXPECT_EQ(std::vector<std::string> {"127.0.0.1"}, first.poll());
    // The control command returns after the device has sent its datagrams.
    EXPECT_EQ(2, signalsSent());
    EXPECT_TRUE(other.poll().empty());
    EXPECT_EQ(1u, second.poll().size());
}

TEST_F(SignalTest, DeletionAndRenameSignalButUnsubscribedCallersHearNothing)
{
    subscribe("alice", "alice-pass", first);
    const std::string id = devsim.addDocument("alice", "Doc");
    ASSERT_EQ(200, calls.get("/orvane.htm?IFM=5&DC=" + id + "&UN=alice", "alice", "alice-pass")->status);
    devsim.renameAccount("alice", "Alice L.");
    ASSERT_TRUE(waitUntil([&] { return first.poll().size() == 3; }));

    const auto answer = calls.command("UnSubscribeToFeed", "UNSUBSCRIBETOFEED", "<USERNAME>alice</USERNAME>");
    ASSERT_EQ("SUCCESS", DeviceCalls::text(answer->body, "RESULT"));
    devsim.addDocument("alice", "Unheard");
    EXPECT_EQ(3, signalsSent());
    EXPECT_EQ(3u, first.poll().size());
}
