#include "app/OrvaneProcess.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <csignal>

using namespace OrvaneTest;

namespace {

const std::string StartFailure = "アプリケーションの初期化に失敗しました。";

struct ParseErrorCase
{
    const char* what;
    std::vector<std::string> arguments;
};

void PrintTo(const ParseErrorCase& parseError, std::ostream* out)
{
    *out << parseError.what;
}

class ParseError : public ::testing::TestWithParam<ParseErrorCase>
{ };

// A bad command line ends the start with the start-failure message and code 10, whatever the mode.
TEST_P(ParseError, EndsWithStartFailure)
{
    AppHome home;
    OrvaneProcess process(home, GetParam().arguments);
    EXPECT_EQ(10, process.wait());
    EXPECT_NE(std::string::npos, process.err().find(StartFailure)) << process.err();
    EXPECT_FALSE(boost::filesystem::exists(home.configPath()));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ParseError,
    ::testing::Values(ParseErrorCase {"missing value", {"-i", "--uname", "Alice", "--uid", "alice", "--host"}},
                      ParseErrorCase {"port not a number", {"-i", "--host", "127.0.0.1", "--http", "abc"}},
                      ParseErrorCase {"port beyond 32 bits", {"--https", "99999999999"}},
                      ParseErrorCase {"option twice", {"--uid", "alice", "--uid", "bob"}},
                      ParseErrorCase {"switch twice", {"-u", "--uninstall"}}),
    [](const auto& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// "convert", unknown options and stray arguments are accepted and change nothing: the normal run
// starts, and stops with code 0 on SIGTERM.
TEST(CommandLine, IgnoredArgumentsRunTheNormalMode)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string> {"--convert"}, {"--frobnicate", "now", "stray"}, {"--headless", "-x"}}) {
        AppHome home;
        home.writeConfig(freeUdpPort());
        OrvaneProcess process(home, arguments);
        ASSERT_TRUE(process.waitListening(home)) << arguments.front() << ": " << process.err();
        process.signal(SIGTERM);
        EXPECT_EQ(0, process.wait()) << process.err();
    }
}

TEST(CommandLine, HelpListsTheOptions)
{
    AppHome home;
    OrvaneProcess process(home, {"--help"});
    EXPECT_EQ(0, process.wait());
    for (const char* option : {"--install", "--uninstall", "--mname", "--host", "--http", "--https", "--uname", "--uid",
                               "--upass", "--convert", "--headless"})
        EXPECT_NE(std::string::npos, process.out().find(option)) << option;
}

// Output that cannot be written turns success into code 100.
TEST(CommandLine, LostOutputEndsWith100)
{
    AppHome home;
    OrvaneProcess process(home, {"--help"}, "/dev/full");
    EXPECT_EQ(100, process.wait());
}

TEST(CommandLine, InvertedRangeInTheConfigurationFailsTheStart)
{
    AppHome home;
    home.writeConfig(freeUdpPort());
    writeFile(home.configPath(),
              "PORT = " + std::to_string(freeUdpPort())
                  + "\nREGULAR_CHECK_INTERVAL_MS_MAX = 60000\n"
                    "REGULAR_CHECK_INTERVAL_MS_MIN = 70000\nVERSION = 1.00\n");
    OrvaneProcess process(home, {"--headless"});
    EXPECT_EQ(10, process.wait());
    EXPECT_NE(std::string::npos, process.err().find(StartFailure));
}

} // namespace
