#include "DeviceCalls.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using nlohmann::json;
using OrvaneTest::DevSim;

namespace {

// Runs "orvane-devsim ctl" and answers what it printed.
std::string ctl(const DevSim& devsim, const std::string& arguments)
{
    const std::string line = DevSim::binaryPath() + " ctl " + std::to_string(devsim.controlPort()) + " " + arguments;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(line.c_str(), "r"), ::pclose);
    std::string output;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()))
        output += buffer;
    return output;
}

} // namespace

TEST(ControlTest, RefusesMalformedCommands)
{
    DevSim devsim;
    httplib::Client control("127.0.0.1", devsim.controlPort());
    struct Case
    {
        std::string command, body;
        int status;
    };
    for (const Case& c : {Case {"add-document", R"({"account":"carol"})", 400}, Case {"add-document", "not json", 400},
                          Case {"add-document", "[1]", 400}, Case {"delete-document", R"({"id":"NOPE"})", 404},
                          Case {"rename-account", R"({"account":"carol","displayName":"C"})", 400},
                          Case {"set-fault", R"({"operation":"feed","kind":"explode"})", 400},
                          Case {"set-fault", R"({"operation":"feed","kind":"status"})", 400},
                          Case {"set-fault", R"({"kind":"drop"})", 400}}) {
        const auto answer = control.Post(("/" + c.command).c_str(), c.body, "application/json");
        ASSERT_TRUE(answer);
        EXPECT_EQ(c.status, answer->status) << c.command << " " << c.body;
        EXPECT_TRUE(json::parse(answer->body).contains("error"));
    }
    EXPECT_TRUE(devsim.state()["faults"].empty());
}

TEST(ControlTest, RequestLogRecordsWhatWasAskedAndAnswered)
{
    DevSim devsim;
    DeviceCalls calls(devsim);
    calls.command("GetUserInfo", "GETUSERINFO", "<USERNAME>alice</USERNAME>" + std::string(1000, ' '));
    calls.get("/orvane.htm?IFM=1&DC=NOPE&UN=alice");
    const json log = devsim.requestLog();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ("POST", log[0]["method"]);
    EXPECT_EQ("/cgi-bin/GetUserInfo.cgi", log[0]["path"]);
    EXPECT_EQ("GetUserInfo", log[0]["operation"]);
    EXPECT_EQ(200, log[0]["status"]);
    EXPECT_NE(std::string::npos, log[0]["body"].get<std::string>().find("<USERNAME>alice"));
    EXPECT_EQ(256u, log[0]["body"].get<std::string>().size());
    EXPECT_EQ("download", log[1]["operation"]);
    EXPECT_EQ("IFM=1&DC=NOPE&UN=alice", log[1]["query"]);
    EXPECT_EQ(404, log[1]["status"]);
    devsim.clearRequestLog();
    EXPECT_TRUE(devsim.requestLog().empty());
}

TEST(ControlTest, OversizedBodiesAreRefusedAndTheDeviceGoesOn)
{
    DevSim devsim;
    DeviceCalls calls(devsim);
    const auto answer = calls.post("/cgi-bin/GetUserList.cgi", std::string(2 * 1024 * 1024, 'x'));
    if (answer) { // the server may also close before the whole body is sent
        EXPECT_EQ(413, answer->status);
    }
    EXPECT_EQ(200, calls.command("GetUserList", "GETUSERLIST")->status);
}

TEST(ControlTest, CommandLineClient)
{
    DevSim devsim;
    const json added = json::parse(ctl(devsim, R"(add-document '{"account":"bob","title":"From ctl"}')"));
    const json state = json::parse(ctl(devsim, "state"));
    EXPECT_EQ("DevSim MFP", state["machine"]["name"]);
    EXPECT_EQ(added["id"], state["accounts"][1]["documents"][0]["id"]);
}

TEST(ControlTest, StartRefusesWhatItCannotHonour)
{
    EXPECT_THROW(DevSim(DevSim::defaultConfig(), {"--bind=0.0.0.0"}), std::runtime_error);
    EXPECT_THROW(DevSim(DevSim::defaultConfig(), {"--bind=192.0.2.1"}), std::runtime_error);
    EXPECT_THROW(DevSim(json {{"accounts", {{{"password", "no id"}}}}}), std::runtime_error);
    EXPECT_THROW(DevSim(DevSim::defaultConfig(), {"--cert=/nonexistent.pem", "--key=/nonexistent.pem"}),
                 std::runtime_error);
}

TEST(ControlTest, DemoMachineHasTheDemoAccount)
{
    DevSim devsim(nullptr, {"--demo", "--bind=127.0.0.2"});
    const json state = devsim.state();
    ASSERT_EQ(1u, state["accounts"].size());
    EXPECT_EQ("demo", state["accounts"][0]["id"]);
    EXPECT_TRUE(state["accounts"][0]["documents"].empty());
    ASSERT_EQ("127.0.0.2", devsim.address());
    httplib::Client client(devsim.address(), devsim.httpPort());
    httplib::Headers credentials = {httplib::make_basic_authentication_header("demo", "demo")};
    const auto feed = client.Get("/rss/demo.xml", credentials);
    ASSERT_TRUE(feed);
    EXPECT_EQ(200, feed->status);
}
