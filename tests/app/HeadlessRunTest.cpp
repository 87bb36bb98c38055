#include "app/OrvaneProcess.hpp"
#include "support/DevSim.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <iostream>

using namespace OrvaneTest;
namespace fs = boost::filesystem;

namespace {

const std::string LoadFailure = "設定の読み込みに失敗しました。";
const std::string SaveFailure = "設定の保存に失敗しました。";

void replaceFirst(std::string& text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    ASSERT_NE(std::string::npos, at) << from;
    text.replace(at, from.size(), to);
}

class HeadlessRun : public ::testing::Test
{
protected:
    HeadlessRun() { home.writeConfig(freeUdpPort()); }

    std::vector<fs::path> setAside() const
    {
        std::vector<fs::path> files;
        for (const fs::directory_entry& file : fs::directory_iterator(home.dataDir()))
            if (file.path().filename().string().rfind("data.dat.unreadable-", 0) == 0)
                files.push_back(file.path());
        return files;
    }

    AppHome home;
};

TEST_F(HeadlessRun, SignalsSaveAndEndWith0)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        fs::remove(home.storePath());
        OrvaneProcess run(home, {"--headless"});
        ASSERT_TRUE(run.waitListening(home)) << run.err();
        run.signal(signal);
        EXPECT_EQ(0, run.wait()) << run.err();
        EXPECT_TRUE(fs::exists(home.storePath()));
        EXPECT_FALSE(fs::exists(home.socketPath()));
    }
}

TEST_F(HeadlessRun, SaveFailureAtCloseEndsWith30)
{
    OrvaneProcess run(home, {"--headless"});
    ASSERT_TRUE(run.waitListening(home)) << run.err();
    fs::create_directories(home.dataDir() / "data.dat.tmp");
    run.signal(SIGTERM);
    EXPECT_EQ(30, run.wait());
    EXPECT_NE(std::string::npos, run.err().find(SaveFailure)) << run.err();
}

// An unreadable store is reported, moved aside where no save can overwrite it, and the run goes on
// with no entries.
TEST_F(HeadlessRun, CorruptStoreIsKeptAside)
{
    const std::string corrupt = "<?xml version=\"1.0\"?>\n<boost_serialization><Orvane>";
    writeFile(home.storePath(), corrupt);
    OrvaneProcess run(home, {"--headless"});
    ASSERT_TRUE(run.waitListening(home)) << run.err();
    EXPECT_NE(std::string::npos, run.err().find(LoadFailure));
    run.signal(SIGTERM);
    EXPECT_EQ(0, run.wait());
    const auto files = setAside();
    ASSERT_EQ(1u, files.size());
    EXPECT_EQ(corrupt, readFile(files.front()));
    EXPECT_NE(corrupt, readFile(home.storePath()));
}

// A store of the older format is read on the second attempt, without a message.
TEST_F(HeadlessRun, OlderStoreFormatLoads)
{
    // Its device is moved to loopback, to a port where nothing listens, so the run contacts no other host.
    std::string store = readFile(ORVANE_TEST_DATA_DIR "/store/older-format.dat");
    replaceFirst(store, "<string>192.168.10.20</string>", "<string>127.0.0.1</string>");
    replaceFirst(store, "<value>80</value>", "<value>" + std::to_string(freeUdpPort()) + "</value>");
    writeFile(home.storePath(), store);
    OrvaneProcess run(home, {"--headless"});
    ASSERT_TRUE(run.waitListening(home)) << run.err();
    EXPECT_EQ(std::string::npos, run.err().find(LoadFailure)) << run.err();
    run.signal(SIGTERM);
    EXPECT_EQ(0, run.wait());
    EXPECT_TRUE(setAside().empty());
}

// The review's scenario: a device that trickles every answer must not hold up the close sequence,
// and what was logged before the close is saved.
TEST(HeadlessRunClose, TricklingDeviceDoesNotHoldUpTheClose)
{
    DevSim device;
    AppHome home;
    ASSERT_EQ(0,
              OrvaneProcess::run(home,
                                 {"--install", "--headless", "--host", device.address(), "--http",
                                  std::to_string(device.httpPort()), "--uname", "Alice", "--uid", "alice", "--upass",
                                  "alice-pass"}));
    home.setConfigValue("PORT", std::to_string(freeUdpPort()));
    OrvaneProcess run(home, {"--headless"});
    ASSERT_TRUE(run.waitListening(home)) << run.err();
    const auto subscribed = [&device] {
        const nlohmann::json state = device.state();
        return !state.at("accounts").at(0).at("subscribers").empty();
    };
    ASSERT_TRUE(waitUntil(subscribed, std::chrono::seconds(30))) << run.err();
    const std::string logged = device.addDocument("alice", "Logged before the close");
    ASSERT_TRUE(waitUntil([&] { return run.out().find(logged) != std::string::npos; }, std::chrono::seconds(30)))
        << run.err();

    // From now on every answer comes a byte at a time; a second document makes a feed read that is
    // under way when the close comes, and the close's unsubscription trickles too.
    device.setFault("*", {{"kind", "trickle"}, {"ms", 200}});
    device.clearRequestLog();
    device.addDocument("alice", "Read while closing");
    ASSERT_TRUE(waitUntil([&] {
        const nlohmann::json log = device.requestLog();
        return std::any_of(log.begin(), log.end(),
                           [](const nlohmann::json& entry) { return entry["operation"] == "feed"; });
    })) << run.err();

    const auto signalled = std::chrono::steady_clock::now();
    run.signal(SIGTERM);
    EXPECT_EQ(0, run.wait()) << run.err();
    const auto took
        = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - signalled);
    std::cout << "SIGTERM to exit against a trickling device: " << took.count() << " ms" << std::endl;
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_NE(std::string::npos, readFile(home.storePath()).find(logged));
}

} // namespace
