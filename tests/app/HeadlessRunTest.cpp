#include "app/OrvaneProcess.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <csignal>

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

} // namespace
