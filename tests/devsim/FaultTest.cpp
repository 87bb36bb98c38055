#include "DeviceCalls.hpp"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <future>

using nlohmann::json;
using OrvaneTest::DevSim;
using OrvaneTest::waitUntil;

namespace {

class FaultTest : public ::testing::Test
{
protected:
    httplib::Result machineSettings() { return calls.command("GetMachineSettings", "GETMACHINESETTINGS"); }

    bool logShows(const std::string& operation, const std::string& outcome)
    {
        for (const auto& entry : devsim.requestLog())
            if (entry["operation"] == operation && entry["outcome"] == outcome)
                return true;
        return false;
    }

    DevSim devsim;
    DeviceCalls calls {devsim};
};

std::string result(const httplib::Result& answer)
{
    return answer ? DeviceCalls::text(answer->body, "RESULT").value_or("<none>") : "<no answer>";
}

} // namespace

TEST_F(FaultTest, AnswerFaultsReplaceTheDevicesAnswer)
{
    struct Case
    {
        json fault;
        int status;
        std::string contentType;
        std::string result; // "<none>" when the body is no readable XML answer
    };
    const Case cases[] = {
        {{{"kind", "result"}, {"result", "FAIL_MACHINE_BUSY"}}, 200, "text/xml", "FAIL_MACHINE_BUSY"},
        {{{"kind", "result"}, {"result", "SUCCESS "}}, 200, "text/xml", "SUCCESS "},
        {{{"kind", "status"}, {"status", 401}}, 401, "text/html", "<none>"},
        {{{"kind", "status"}, {"status", 403}}, 403, "text/html", "<none>"},
        {{{"kind", "status"}, {"status", 404}}, 404, "text/html", "<none>"},
        {{{"kind", "status"}, {"status", 500}}, 500, "text/html", "<none>"},
        {{{"kind", "malformed-xml"}}, 200, "text/xml", "<none>"},
        {{{"kind", "html"}}, 200, "text/html", "<none>"},
        {{{"kind", "wrong-content-type"}}, 200, "text/plain", "SUCCESS"},
        {{{"kind", "delay"}, {"ms", 50}}, 200, "text/xml", "SUCCESS"},
        {{{"kind", "trickle"}, {"ms", 1}}, 200, "text/xml", "SUCCESS"},
    };
    for (const Case& c : cases) {
        devsim.setFault("GetMachineSettings", c.fault);
        const auto answer = machineSettings();
        ASSERT_TRUE(answer) << c.fault;
        EXPECT_EQ(c.status, answer->status) << c.fault;
        EXPECT_EQ(0u, answer->get_header_value("Content-Type").find(c.contentType)) << c.fault;
        EXPECT_EQ(c.result, result(answer)) << c.fault;
    }
}

TEST_F(FaultTest, BrokenConnectionsLeaveTheClientWithoutAnAnswer)
{
    for (const char* kind : {"drop", "truncated", "huge-length"}) {
        devsim.setFault("feed", {{"kind", kind}});
        EXPECT_FALSE(calls.get("/rss/alice.xml", "alice", "alice-pass")) << kind;
    }
    EXPECT_TRUE(waitUntil([&] { return logShows("feed", "dropped"); }));
    devsim.clearFaults();
    EXPECT_EQ(200, calls.get("/rss/alice.xml", "alice", "alice-pass")->status);
}

TEST_F(FaultTest, ReplacedAnswersSkipTheOperation)
{
    devsim.setFault("SubscribeToFeed", {{"kind", "result"}, {"result", "FAIL_MACHINE_BUSY"}});
    const auto answer = calls.command("SubscribeToFeed", "SUBSCRIBETOFEED",
                                      DeviceCalls::subscribeParams("alice", "alice-pass", 5000));
    EXPECT_EQ("FAIL_MACHINE_BUSY", result(answer));
    EXPECT_TRUE(devsim.state()["accounts"][0]["subscribers"].empty());
}

TEST_F(FaultTest, CountedAndWildcardFaults)
{
    devsim.setFault("GetMachineSettings", {{"kind", "status"}, {"status", 500}, {"count", 2}});
    EXPECT_EQ(500, machineSettings()->status);
    EXPECT_EQ(500, machineSettings()->status);
    EXPECT_EQ("SUCCESS", result(machineSettings()));

    devsim.setFault("*", {{"kind", "result"}, {"result", "FAIL_QX_NETWORK_MODE"}});
    devsim.setFault("GetUserList", {{"kind", "status"}, {"status", 404}});
    EXPECT_EQ("FAIL_QX_NETWORK_MODE", result(machineSettings()));
    EXPECT_EQ(404, calls.command("GetUserList", "GETUSERLIST")->status);
    devsim.command("clear-faults", {{"operation", "*"}});
    EXPECT_EQ("SUCCESS", result(machineSettings()));
    EXPECT_EQ(404, calls.command("GetUserList", "GETUSERLIST")->status);
}

TEST_F(FaultTest, HangEndsWithoutAnAnswerWhenCleared)
{
    devsim.setFault("GetUserInfo", {{"kind", "hang"}});
    auto hung = std::async(std::launch::async, [this] {
        DeviceCalls own(devsim);
        return static_cast<bool>(own.command("GetUserInfo", "GETUSERINFO", "<USERNAME>alice</USERNAME>"));
    });
    ASSERT_TRUE(waitUntil([&] { return logShows("GetUserInfo", "pending"); }));
    EXPECT_EQ("SUCCESS", result(machineSettings())); // other operations still answer
    devsim.clearFaults();
    EXPECT_FALSE(hung.get());
    // The simulator records the outcome after closing the socket the client already saw close.
    EXPECT_TRUE(waitUntil([&] { return logShows("GetUserInfo", "dropped"); }));
}

TEST_F(FaultTest, StopReleasesHangingRequestsAndExitsCleanly)
{
    devsim.setFault("*", {{"kind", "hang"}});
    auto hung = std::async(std::launch::async, [this] {
        DeviceCalls own(devsim, true);
        return static_cast<bool>(own.get("/rss/alice.xml", "alice", "alice-pass"));
    });
    ASSERT_TRUE(waitUntil([&] { return logShows("feed", "pending"); }));
    const int status = devsim.stop();
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_FALSE(hung.get());
}
