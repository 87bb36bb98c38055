#include "UI/MainFrame.hpp"

#include "Config.hpp"
#include "ExitCode.hpp"
#include "Serializer.hpp"
#include "SingleInstance.hpp"
#include "UI/Desktop.hpp"
#include "UI/EventDlg.hpp"
#include "UI/EventLogDlg.hpp"
#include "UI/SystemTrayIcon.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "UI/VirtualList/EventListCtrl.hpp"
#include "Utility/StringId.hpp"

#include "MessageBoxRecorder.hpp"
#include "UiFixtures.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include <boost/filesystem.hpp>

namespace {

using namespace Orvane;
using namespace OrvaneTest;
namespace fs = boost::filesystem;
using Status = UI::SystemTrayIcon::StatusTag;

class MainFrameTest : public ::testing::Test
{
protected:
    MainFrameTest()
    {
        fs::remove_all(storeDir());
        Config config = Config::Instance();
        config.Load();
        config.Publish();
        EXPECT_TRUE(instance.TryLock());
    }

    static fs::path storeDir() { return testHome() / "data" / "Brantel" / "Orvane"; }

    MonitoredEntry::EntryManager& entries() { return frame.GetEntryManager(); }
    Status trayStatus() const { return desktop.GetTray().GetStatus(); }

    MessageBoxRecorder messages;
    SingleInstance instance;
    UI::Desktop desktop;
    UI::MainFrame frame {instance, desktop};
};

TEST_F(MainFrameTest, TrayIconFollowsTheUnreadTotalAndChangesOnlyWhenItDoes)
{
    frame.Create();
    QSignalSpy changes(&desktop.GetTray(), &UI::SystemTrayIcon::StatusChanged);
    EXPECT_EQ(Status::NoUnread, trayStatus());

    const auto id = addQuietEntry(entries(), L"127.0.0.1", 1);
    ASSERT_TRUE(waitWithEvents([&] { return trayStatus() == Status::Unread; }));
    addEvent(entries(), id, L"second");
    addQuietEntry(entries(), L"127.0.0.2", 0);
    markAllRead(entries(), id);
    ASSERT_TRUE(waitWithEvents([&] { return trayStatus() == Status::NoUnread; }));
    // Four changes of the entries, two of them changes of the unread total.
    EXPECT_EQ(2, changes.count());
}

TEST_F(MainFrameTest, WithoutATrayTheViewerIsTheWindowAndItsCloseSaysOnceThatTheRunGoesOn)
{
    ASSERT_FALSE(desktop.HasTray()); // the offscreen platform has none
    frame.Create();
    QWidget* viewer = frame.GetEventLog();
    ASSERT_NE(nullptr, viewer);
    EXPECT_TRUE(viewer->isVisible());
    for (int round = 0; round < 2; ++round) {
        frame.GetEventLog()->close();
        ASSERT_TRUE(waitWithEvents([&] { return frame.GetEventLog() == nullptr; }));
        frame.OpenEventLog();
    }
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ(Utility::StringId::RunningInBackground, messages.shown[0].first);
}

// The details of a double-clicked event run over the viewer; ending the run while they are open
// ends them with the viewer and still saves.
TEST_F(MainFrameTest, ADoubleClickedEventOpensItsDetailsOverTheViewerAndTheCloseEndsThem)
{
    frame.Create();
    const auto id = addQuietEntry(entries(), L"127.0.0.1", 1);
    frame.OpenEventLog();
    auto* viewer = static_cast<UI::EventLogDlg*>(frame.GetEventLog());
    auto& list = viewer->GetEntryList();
    QTreeView* view = viewer->GetEventList().GetView();
    // The viewer fills its lists from the entry manager's notifications, later on this thread.
    ASSERT_TRUE(waitWithEvents([&] {
        list.AdjustSelectedItem(id, list.GetDisplayedKeys());
        return viewer->GetEventList().rowCount(QModelIndex()) == 1;
    }));
    QWidget* detailsParent = nullptr;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* details = qobject_cast<UI::EventDlg*>(QApplication::activeModalWidget())) {
            watch.stop();
            detailsParent = details->parentWidget();
            frame.Close();
        }
    });
    watch.start(10);
    QSignalSpy closed(&frame, &UI::MainFrame::Closed);
    const QRect row = view->visualRect(viewer->GetEventList().index(0, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_TRUE(waitWithEvents([&] { return closed.count() == 1; })) << "details seen: " << (detailsParent != nullptr);
    EXPECT_EQ(viewer, detailsParent);
    EXPECT_EQ(ExitCode::Success, closed.at(0).at(0).toInt());
    Serializer stored;
    Load(stored);
    const MonitoredEntry::EntryManager::ScopedLock lock(stored.GetEntryManager());
    EXPECT_EQ(0u, stored.GetEntryManager().GetDB().CountUnread()); // read when it was opened
}

TEST_F(MainFrameTest, CloseSavesEverythingEndsWithCodeZeroAndOpensNothingAfterwards)
{
    frame.Create();
    addQuietEntry(entries(), L"127.0.0.1", 2, L"Office & Co");
    QSignalSpy closed(&frame, &UI::MainFrame::Closed);
    frame.Close();
    frame.Close(); // idempotent
    ASSERT_EQ(1, closed.count());
    EXPECT_EQ(ExitCode::Success, closed.at(0).at(0).toInt());
    EXPECT_FALSE(instance.IsLocked());
    EXPECT_FALSE(desktop.GetTray().IsShown());
    frame.OpenEventLog();
    frame.OpenAbout();
    EXPECT_EQ(nullptr, frame.GetEventLog());
    EXPECT_EQ(nullptr, frame.GetAbout());

    Serializer stored;
    Load(stored);
    const MonitoredEntry::EntryManager::ScopedLock lock(stored.GetEntryManager());
    EXPECT_EQ(2u, stored.GetEntryManager().GetDB().CountUnread());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainFrameTest, ASaveThatFailsAtTheCloseIsReportedAndEndsWithCode30)
{
    frame.Create();
    addQuietEntry(entries(), L"127.0.0.1", 1);
    // The save writes a temporary first; a folder in its place makes every save fail.
    fs::create_directories(storeDir() / "data.dat.tmp" / "blocker");
    frame.Close();
    EXPECT_EQ(ExitCode::SaveFailure, frame.GetExitCode());
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(Utility::StringId::SaveFailure, messages.shown.back().first);
}

} // namespace
