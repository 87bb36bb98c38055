#include "DeviceCalls.hpp"

#include <gtest/gtest.h>

using OrvaneTest::DevSim;

namespace {

class CommandTest : public ::testing::TestWithParam<bool>
{
protected:
    DevSim devsim;
    DeviceCalls calls {devsim, GetParam()};
};

std::string result(const httplib::Result& answer)
{
    EXPECT_TRUE(answer);
    if (!answer)
        return "";
    EXPECT_EQ(200, answer->status);
    EXPECT_EQ(0u, answer->get_header_value("Content-Type").find("text/xml"));
    return DeviceCalls::text(answer->body, "RESULT").value_or("<no RESULT>");
}

} // namespace

TEST_P(CommandTest, MachineSettingsFollowTheMachine)
{
    auto answer = calls.command("GetMachineSettings", "GETMACHINESETTINGS");
    ASSERT_EQ("SUCCESS", result(answer));
    EXPECT_EQ("DevSim MFP", DeviceCalls::text(answer->body, "MACHINENAME"));
    EXPECT_EQ("1", DeviceCalls::text(answer->body, "SECURITYPOLICY"));
    EXPECT_EQ("0", DeviceCalls::text(answer->body, "GUESTLOGIN"));

    devsim.command("rename-machine", {{"name", "Floor 3 <East>"}, {"securityPolicy", true}, {"guestLogin", true}});
    answer = calls.command("GetMachineSettings", "GETMACHINESETTINGS");
    ASSERT_EQ("SUCCESS", result(answer));
    EXPECT_EQ("Floor 3 <East>", DeviceCalls::text(answer->body, "MACHINENAME"));
    EXPECT_EQ("2", DeviceCalls::text(answer->body, "SECURITYPOLICY"));
    EXPECT_EQ("1", DeviceCalls::text(answer->body, "GUESTLOGIN"));
}

TEST_P(CommandTest, UserListHoldsEveryAccountAsSiblingUsers)
{
    devsim.renameAccount("bob", "Robert");
    const auto answer = calls.command("GetUserList", "GETUSERLIST");
    ASSERT_EQ("SUCCESS", result(answer));
    EXPECT_EQ("2", DeviceCalls::text(answer->body, "COUNT"));
    EXPECT_EQ("Alice", DeviceCalls::text(answer->body, "USER[1]/DISPLAYNAME"));
    EXPECT_EQ("alice", DeviceCalls::text(answer->body, "USER[1]/USERNAME"));
    EXPECT_EQ("Robert", DeviceCalls::text(answer->body, "USER[2]/DISPLAYNAME"));
    EXPECT_EQ("bob", DeviceCalls::text(answer->body, "USER[2]/USERNAME"));
    // The program reads the first USER and every later sibling: nothing else may share the parent.
    EXPECT_EQ(std::nullopt, DeviceCalls::text(answer->body, "USER/following-sibling::*[not(self::USER)]"));
}

TEST_P(CommandTest, UserInfoAnswersTheDisplayName)
{
    auto answer = calls.command("GetUserInfo", "GETUSERINFO", "<USERNAME>alice</USERNAME>");
    ASSERT_EQ("SUCCESS", result(answer));
    EXPECT_EQ("Alice", DeviceCalls::text(answer->body, "DISPLAYNAME"));
    EXPECT_EQ("FAIL_NO_SUCH_USER", result(calls.command("GetUserInfo", "GETUSERINFO", "<USERNAME>carol</USERNAME>")));
}

TEST_P(CommandTest, SubscribeChecksTheAccountAndRecordsTheCaller)
{
    struct Case
    {
        std::string params;
        std::string expected;
    };
    const Case cases[] = {
        {DeviceCalls::subscribeParams("carol", "x", 5000), "FAIL_NO_SUCH_USER"},
        {DeviceCalls::subscribeParams("alice", "bob-pass", 5000), "FAIL_AUTHENTICATE"},
        {DeviceCalls::subscribeParams("alice", "alice-pass", 0), "FAIL_LISTENPORT_UNREACHABLE"},
        {DeviceCalls::subscribeParams("alice", "alice-pass", 70000), "FAIL_LISTENPORT_UNREACHABLE"},
        {"<USERNAME>alice</USERNAME><PASSWORD>alice-pass</PASSWORD><LISTENPORT>x1</LISTENPORT>",
         "FAIL_LISTENPORT_UNREACHABLE"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, result(calls.command("SubscribeToFeed", "SUBSCRIBETOFEED", c.params))) << c.params;
    EXPECT_TRUE(devsim.state()["accounts"][0]["subscribers"].empty());

    const auto answer = calls.command("SubscribeToFeed", "SUBSCRIBETOFEED",
                                      DeviceCalls::subscribeParams("alice", "alice-pass", 5000));
    ASSERT_EQ("SUCCESS", result(answer));
    EXPECT_EQ("/rss/alice.xml", DeviceCalls::text(answer->body, "FEEDRSS"));
    const nlohmann::json expected = {{{"address", "127.0.0.1"}, {"port", 5000}}};
    EXPECT_EQ(expected, devsim.state()["accounts"][0]["subscribers"]);
}

TEST_P(CommandTest, UnsubscribeNeedsAnEarlierSubscription)
{
    const std::string alice = "<USERNAME>alice</USERNAME>";
    EXPECT_EQ("FAIL_NO_FEED_REGISTERED", result(calls.command("UnSubscribeToFeed", "UNSUBSCRIBETOFEED", alice)));
    ASSERT_EQ("SUCCESS",
              result(calls.command("SubscribeToFeed", "SUBSCRIBETOFEED",
                                   DeviceCalls::subscribeParams("alice", "alice-pass", 5000))));
    EXPECT_EQ("SUCCESS", result(calls.command("UnSubscribeToFeed", "UNSUBSCRIBETOFEED", alice)));
    EXPECT_TRUE(devsim.state()["accounts"][0]["subscribers"].empty());
    EXPECT_EQ("FAIL_NO_SUCH_USER",
              result(calls.command("UnSubscribeToFeed", "UNSUBSCRIBETOFEED", "<USERNAME>carol</USERNAME>")));
}

TEST_P(CommandTest, RefusesDocumentsThatAreNotTheRightCommand)
{
    for (const std::string& body : {std::string("<REQUEST><COMMAND>GETUSERLIST</COMMAND></REQUEST>"),
                                    std::string("<REQUEST><COMMAND>GETMACHINESETTINGS</COMMAND>"), std::string()}) {
        const auto answer = calls.post("/cgi-bin/GetMachineSettings.cgi", body);
        ASSERT_TRUE(answer);
        EXPECT_EQ(400, answer->status) << body;
    }
    const auto unknown = calls.command("Reboot", "REBOOT");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(404, unknown->status);
}

INSTANTIATE_TEST_SUITE_P(HttpAndHttps, CommandTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Https" : "Http"; });
