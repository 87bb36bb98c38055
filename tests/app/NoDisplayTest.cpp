#include "OrvaneProcess.hpp"
#include "System/ScopedEnvironment.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>


namespace {

using namespace OrvaneTest;

// A machine without any display: none of the variables a desktop program could use is set.
class NoDisplayTest : public ::testing::Test
{
protected:
    ScopedEnvironment display {"DISPLAY", std::nullopt};
    ScopedEnvironment wayland {"WAYLAND_DISPLAY", std::nullopt};
    ScopedEnvironment platform {"QT_QPA_PLATFORM", std::nullopt};
    AppHome home;
};

#ifdef ORVANE_TEST_DESKTOP
TEST_F(NoDisplayTest, APlainStartSaysThereIsNoDisplayNamesTheHeadlessRunAndExits10)
{
    OrvaneProcess start(home, {});
    EXPECT_EQ(10, start.wait());
    EXPECT_NE(std::string::npos, start.err().find("--headless")) << start.err();
    EXPECT_FALSE(boost::filesystem::exists(home.storePath()));
}
#endif

TEST_F(NoDisplayTest, TheRunsWithoutWindowsNeedNone)
{
    home.writeConfig(freeUdpPort());
    OrvaneProcess run(home, {"--headless"});
    ASSERT_TRUE(run.waitListening(home)) << run.err();
    EXPECT_EQ(0, OrvaneProcess::run(home, {"--uninstall"}));
    EXPECT_EQ(0, run.wait()) << run.err();
}

} // namespace
