#include "app/OrvaneProcess.hpp"
#include "support/DevSim.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <csignal>
#include <sstream>

using namespace OrvaneTest;
using nlohmann::json;

namespace {

std::vector<json> lines(const std::string& output)
{
    std::vector<json> parsed;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        parsed.push_back(json::parse(line));
    return parsed;
}

bool subscribed(const DevSim& device, const std::string& account)
{
    const json state = device.state(); // the loop below must not outlive it
    for (const json& entry : state.at("accounts"))
        if (entry.at("id") == account)
            return !entry.at("subscribers").empty();
    return false;
}

bool reported(const std::string& output, const std::string& documentId)
{
    for (const json& line : lines(output))
        if (line.at("document") == documentId)
            return true;
    return false;
}

// The headless run against the simulator, registered the way an installer does it.
class EventLines : public ::testing::Test
{
protected:
    EventLines()
    {
        const int code = OrvaneProcess::run(home,
                                            {"--install", "--headless", "--host", device.address(), "--http",
                                             std::to_string(device.httpPort()), "--uname", "Alice", "--uid", "alice",
                                             "--upass", "alice-pass"});
        EXPECT_EQ(0, code);
        home.setConfigValue("PORT", std::to_string(freeUdpPort()));
    }

    std::unique_ptr<OrvaneProcess> startRun()
    {
        auto run = std::make_unique<OrvaneProcess>(home, std::vector<std::string> {"--headless"});
        EXPECT_TRUE(run->waitListening(home)) << run->err();
        EXPECT_TRUE(waitUntil([&] { return subscribed(device, "alice"); }, std::chrono::seconds(30))) << run->err();
        return run;
    }

    DevSim device;
    AppHome home;
};

TEST_F(EventLines, EachNewDocumentBecomesOneLine)
{
    auto run = startRun();
    const std::string first = device.addDocument("alice", "Quarterly report");
    const std::string second = device.addDocument("alice", "Scan 2", "image/jpeg");
    ASSERT_TRUE(waitUntil([&] { return reported(run->out(), first) && reported(run->out(), second); },
                          std::chrono::seconds(30)))
        << run->out() << run->err();

    const auto events = lines(run->out());
    ASSERT_EQ(2u, events.size()) << run->out();
    for (const json& event : events) {
        EXPECT_EQ(0, event.at("entry")); // the first entry's identifier
        EXPECT_EQ("DevSim MFP", event.at("device"));
        EXPECT_EQ("Alice", event.at("account"));
        EXPECT_EQ(true, event.at("notice"));
        EXPECT_FALSE(event.at("category").get<std::string>().empty());
        EXPECT_FALSE(event.at("time").get<std::string>().empty());
        EXPECT_TRUE(event.at("thumbnail").is_string() || event.at("thumbnail").is_null());
    }
    EXPECT_NE(events[0].at("event"), events[1].at("event"));
    // Reporting marks nothing read on the device.
    const json state = device.state();
    for (const json& account : state.at("accounts"))
        for (const json& document : account.at("documents"))
            EXPECT_FALSE(document.at("read").get<bool>());

    run->signal(SIGTERM);
    EXPECT_EQ(0, run->wait()) << run->err();
    EXPECT_FALSE(subscribed(device, "alice")); // the close sequence unsubscribed
}

// What was reported and saved is not reported again by the next run.
TEST_F(EventLines, RestartReportsNothingTwice)
{
    auto first = startRun();
    const std::string before = device.addDocument("alice", "Before restart");
    ASSERT_TRUE(waitUntil([&] { return reported(first->out(), before); }, std::chrono::seconds(30))) << first->err();
    first->signal(SIGTERM);
    ASSERT_EQ(0, first->wait());

    auto second = startRun();
    const std::string after = device.addDocument("alice", "After restart");
    ASSERT_TRUE(waitUntil([&] { return reported(second->out(), after); }, std::chrono::seconds(30))) << second->err();
    EXPECT_FALSE(reported(second->out(), before)) << second->out();
    EXPECT_EQ(1u, lines(second->out()).size()) << second->out();
    second->signal(SIGINT);
    EXPECT_EQ(0, second->wait());
}

// A second start while the run monitors hands over through the socket and the run keeps reporting.
TEST_F(EventLines, ActivationDoesNotDisturbMonitoring)
{
    auto run = startRun();
    EXPECT_EQ(11, OrvaneProcess::run(home, {"--headless"}));
    const std::string id = device.addDocument("alice");
    EXPECT_TRUE(waitUntil([&] { return reported(run->out(), id); }, std::chrono::seconds(30))) << run->err();
    run->signal(SIGTERM);
    EXPECT_EQ(0, run->wait());
}

} // namespace
