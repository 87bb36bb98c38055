#include "app/OrvaneProcess.hpp"
#include "support/SnmpAgent.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <nlohmann/json.hpp>

#include <algorithm>

#include <cstdlib>

using namespace OrvaneTest;

namespace {

class Search : public ::testing::Test
{
protected:
    // The program's mDNS source finds no daemon on a bus nobody listens on.
    void SetUp() override
    {
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + (testHome() / "no-bus").string()).c_str(), 1);
    }

    AppHome home;
};

} // namespace

TEST_F(Search, WritesOneJsonLinePerDeviceWithoutTouchingTheDataStore)
{
    SnmpAgent agent("127.0.0.2",
                    {"sysName mfp1-office", "override .1.3.6.1.2.1.43.5.1.1.16.1 octet_str \"Front desk\""});
    ASSERT_TRUE(agent.waitReady());
    OrvaneProcess search(home, {"--search", "--no-broadcast", "--search-host", agent.target(), "--timeout", "5"});
    ASSERT_EQ(0, search.wait()) << search.err();
    const std::string out = search.out();
    ASSERT_EQ(1, std::count(out.begin(), out.end(), '\n')) << out;
    const nlohmann::json line = nlohmann::json::parse(out);
    EXPECT_EQ("Front desk", line.at("name"));
    EXPECT_EQ("127.0.0.2", line.at("host"));
    EXPECT_EQ(80, line.at("http"));
    EXPECT_EQ(443, line.at("https"));
    EXPECT_EQ(nlohmann::json::array({"snmp"}), line.at("sources"));
    EXPECT_FALSE(boost::filesystem::exists(home.configPath()));
    EXPECT_FALSE(boost::filesystem::exists(home.storePath()));
}

TEST_F(Search, NothingFoundIsNoOutputAndSuccessAndABadTimeoutIsRefused)
{
    OrvaneProcess nothing(home, {"--search", "--no-broadcast"});
    EXPECT_EQ(0, nothing.wait());
    EXPECT_EQ("", nothing.out());
    EXPECT_EQ(13, OrvaneProcess::run(home, {"--search", "--no-broadcast", "--timeout", "0"}));
    EXPECT_EQ(13, OrvaneProcess::run(home, {"--search", "--no-broadcast", "--timeout", "nan"}));
    EXPECT_EQ(10, OrvaneProcess::run(home, {"--search", "--no-broadcast", "--timeout", "soon"}));
}
