#include "UI/PopupMenu.hpp"

#include "UiFixtures.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <QMenu>

#include <boost/filesystem.hpp>

#include <cstdlib>

namespace {

using namespace Orvane;
using namespace OrvaneTest;

QMenu* loginMenu(const UI::PopupMenu& menu)
{
    for (QAction* action : menu.GetMenu()->actions())
        if (action->menu())
            return action->menu();
    return nullptr;
}

QStringList texts(const QMenu& menu)
{
    QStringList result;
    for (const QAction* action : menu.actions())
        result << action->text();
    return result;
}

TEST(PopupMenuTest, LoginListsMonitoredEntriesByDisplayNameWithAmpersandsShownAsTheyAre)
{
    MonitoredEntry::EntryManager entries;
    UI::PopupMenu menu(entries);
    menu.ConstructSubMenu();
    EXPECT_TRUE(loginMenu(menu)->actions().isEmpty());

    addQuietEntry(entries, L"127.0.0.1", 0, L"Sales & Admin", true);
    addQuietEntry(entries, L"127.0.0.2", 0, L"Archive", false);
    addQuietEntry(entries, L"127.0.0.3", 0, std::wstring(), true);
    menu.ConstructSubMenu();
    EXPECT_EQ((QStringList {QStringLiteral("Sales && Admin"), QStringLiteral("127.0.0.3")}), texts(*loginMenu(menu)));
    menu.ConstructSubMenu(); // rebuilt, not appended
    EXPECT_EQ(2, loginMenu(menu)->actions().size());
}

TEST(PopupMenuTest, ALoginItemOpensTheDevicePageUnlessItsEntryIsGone)
{
    const TempDir dir;
    const auto opened = dir / "opened";
    const auto recorder = dir / "open";
    writeFile(recorder, "#!/bin/sh\nprintf '%s\\n' \"$*\" >>" + opened.string() + "\n");
    boost::filesystem::permissions(recorder, boost::filesystem::owner_all);
    ::setenv("ORVANE_OPEN_COMMAND", recorder.c_str(), 1);

    MonitoredEntry::EntryManager entries;
    UI::PopupMenu menu(entries);
    const auto gone = addQuietEntry(entries, L"127.0.0.1", 0, std::wstring(), true);
    addQuietEntry(entries, L"127.0.0.2", 0, std::wstring(), true);
    menu.ConstructSubMenu();
    {
        MonitoredEntry::EntryManager::Transaction transaction(entries);
        transaction.Remove(gone);
        transaction.Commit();
    }
    for (QAction* action : loginMenu(menu)->actions())
        action->trigger();
    // The recorder runs on its own: wait for its whole line, not just for its file.
    const auto recorded = [&] {
        return boost::filesystem::exists(opened) && readFile(opened).find('\n') != std::string::npos;
    };
    ASSERT_TRUE(waitUntil(recorded));
    const std::string pages = readFile(opened);
    EXPECT_NE(std::string::npos, pages.find("127.0.0.2")) << pages;
    EXPECT_NE(std::string::npos, pages.find("orvane.htm")) << pages;
    EXPECT_EQ(std::string::npos, pages.find("127.0.0.1")) << pages;
    ::unsetenv("ORVANE_OPEN_COMMAND");
}

} // namespace
