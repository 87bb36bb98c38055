#include "app/OrvaneProcess.hpp"

#include "System/ScopedEnvironment.hpp"

#include <gtest/gtest.h>

using namespace OrvaneTest;

namespace {

struct LanguageCase
{
    const char* lang;
    const char* languageText; // of --version
    const char* startFailure; // the console message of a failed start
};

// The program built here finds the English file the build puts in share/orvane, as an installed one does.
TEST(Language, VersionAndConsoleMessagesFollowTheEnvironmentsLanguage)
{
    const LanguageCase cases[] = {
        {"en_US.UTF-8", "Language " ORVANE_LRC_VERSION "\n", "Orvane could not be started."},
        {"ja_JP.UTF-8", "Language -\n", "アプリケーションの初期化に失敗しました。"},
        {"C.UTF-8", "Language -\n", "アプリケーションの初期化に失敗しました。"},
    };
    for (const LanguageCase& c : cases) {
        const ScopedEnvironment lang("LANG", std::string(c.lang));
        AppHome home;
        OrvaneProcess version(home, {"--version"});
        EXPECT_EQ(0, version.wait());
        EXPECT_EQ("BRANTEL Orvane\nVersion " ORVANE_VERSION_TEXT "\n" + std::string(c.languageText), version.out())
            << c.lang;

        OrvaneProcess failed(home, {"--headless", "--http", "x"});
        EXPECT_EQ(10, failed.wait());
        EXPECT_EQ(0u, failed.err().rfind(c.startFailure, 0)) << c.lang << ": " << failed.err();
    }
}

} // namespace
