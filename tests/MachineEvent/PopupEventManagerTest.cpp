#include "MachineEvent/PipelineFixtures.hpp"
#include "support/TestSupport.hpp"

#include "MachineEvent/PopupEventManager.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace Orvane;
using namespace OrvaneTest;
using MachineEvent::PopupEventManager;
using Result = MachineEvent::PopupPresenter::Result;

// Popups follow each other at once here; the interval only spaces them for the user.
constexpr std::chrono::milliseconds noInterval(0);

TEST(PopupEventManagerTest, ShowsTheEventOfItsEntryAndResultOneMarksItRead)
{
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1");
    const EventID first = logEvent(manager, entry, L"doc1");
    const EventID second = logEvent(manager, entry, L"doc2");
    ScriptedPresenter presenter;
    PopupEventManager popups(manager, presenter);
    popups.start();
    popups.Notify({entry, first});
    popups.Notify({entry, second});

    ASSERT_TRUE(waitUntil([&] { return presenter.isShowing(1); }));
    const auto shown = presenter.shown().front();
    EXPECT_EQ(entry, shown.entryID);
    EXPECT_EQ(first, shown.eventID);
    EXPECT_EQ(L"10.0.0.1", shown.host);
    EXPECT_EQ(L"user01", shown.userID);
    EXPECT_EQ(L"doc1", shown.docID);
    presenter.answer({MachineEvent::PopupPresenter::ResultRead, false});
    ASSERT_TRUE(waitUntil([&] { return isRead(manager, entry, first); }));

    // The designed interval passes before the second popup.
    ASSERT_TRUE(waitUntil([&] { return presenter.isShowing(2); }));
    presenter.answer({2, false});
    popups.stop();
    popups.rethrow();
    EXPECT_EQ(L"doc2", presenter.shown().back().docID);
    EXPECT_FALSE(isRead(manager, entry, second));
}

TEST(PopupEventManagerTest, SkipsWhatCannotBeShown)
{
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1");
    const Entry::ID quiet = addEntry(manager, L"10.0.0.2", false);
    const Entry::ID removed = addEntry(manager, L"10.0.0.3");
    const EventID quietEvent = logEvent(manager, quiet, L"quiet");
    const EventID removedEvent = logEvent(manager, removed, L"removed");
    const EventID shownEvent = logEvent(manager, entry, L"shown");
    removeEntry(manager, removed);
    ScriptedPresenter presenter;
    presenter.answerAll({});
    PopupEventManager popups(manager, presenter, noInterval);
    popups.start();
    popups.Notify({quiet, quietEvent}); // Notice off
    popups.Notify({removed, removedEvent}); // entry gone
    popups.Notify({entry, EventID(shownEvent.GetValue() + 1)}); // no longer (or never) logged
    popups.Notify({entry, shownEvent});

    ASSERT_TRUE(waitUntil([&] { return presenter.shown().size() == 1; }));
    popups.stop();
    EXPECT_EQ((std::vector<std::wstring> {L"shown"}), presenter.shownDocIDs());
}

TEST(PopupEventManagerTest, OpeningTheViewerDiscardsTheWaitingPopups)
{
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1");
    std::vector<EventID> events;
    for (const wchar_t* docID : {L"open", L"waiting1", L"waiting2", L"later"})
        events.push_back(logEvent(manager, entry, docID));
    ScriptedPresenter presenter;
    PopupEventManager popups(manager, presenter, noInterval);
    popups.start();
    popups.Notify({entry, events[0]});
    ASSERT_TRUE(waitUntil([&] { return presenter.isShowing(1); }));
    popups.Notify({entry, events[1]});
    popups.Notify({entry, events[2]});
    presenter.answer({2, true});
    // Waiting pairs outlive a stop, so after the restart the next popup tells whether they were kept.
    popups.stop();
    popups.start();
    popups.Notify({entry, events[3]});
    ASSERT_TRUE(waitUntil([&] { return presenter.isShowing(2); }));
    popups.stop();
    EXPECT_EQ((std::vector<std::wstring> {L"open", L"later"}), presenter.shownDocIDs());
    EXPECT_FALSE(isRead(manager, entry, events[0]));
}

// With DETECTED_EVENT_QUEUE_SIZE pairs waiting, a new one pushes out the oldest. The popup that is open
// does not count: its pair left the queue when it opened. So of 51 events notified meanwhile, the first
// is pushed out by the 51st and never shown.
TEST(PopupEventManagerTest, FiftyOneEventsWhileAPopupIsOpenLoseTheFirst)
{
    ASSERT_EQ(50, Config::GetCurrent().DetectedEventQueueSize);
    const LogLimit limit(60);
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1", true, 60);
    std::vector<EventID> events;
    std::vector<std::wstring> expected;
    for (int i = 0; i <= 51; ++i) {
        const std::wstring docID = L"doc" + std::to_wstring(i);
        events.push_back(logEvent(manager, entry, docID));
        if (i != 1)
            expected.push_back(docID);
    }
    ScriptedPresenter presenter;
    PopupEventManager popups(manager, presenter, noInterval);
    popups.start();
    popups.Notify({entry, events[0]});
    ASSERT_TRUE(waitUntil([&] { return presenter.isShowing(1); }));
    for (int i = 1; i <= 51; ++i)
        popups.Notify({entry, events[i]});
    presenter.answerAll({});

    ASSERT_TRUE(waitUntil([&] { return presenter.shown().size() == expected.size(); }, std::chrono::seconds(30)));
    popups.stop();
    popups.rethrow();
    EXPECT_EQ(expected, presenter.shownDocIDs());
}

TEST(PopupEventManagerTest, StopClosesTheOpenPopupAndIgnoresLaterNotifications)
{
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1");
    std::vector<EventID> events;
    for (const wchar_t* docID : {L"open", L"whileStopped", L"afterRestart"})
        events.push_back(logEvent(manager, entry, docID));
    ScriptedPresenter presenter;
    PopupEventManager popups(manager, presenter);
    popups.start();
    popups.Notify({entry, events[0]});
    ASSERT_TRUE(waitUntil([&] { return presenter.isShowing(1); }));

    std::atomic<bool> stopped {false};
    std::thread stopper([&] {
        popups.stop();
        stopped = true;
    });
    EXPECT_TRUE(waitUntil([&] { return stopped.load(); }));
    stopper.join();
    EXPECT_FALSE(presenter.isOpen());
    EXPECT_EQ(1, presenter.closeCalls());
    EXPECT_FALSE(isRead(manager, entry, events[0]));

    popups.Notify({entry, events[1]});
    popups.start();
    popups.Notify({entry, events[2]});
    ASSERT_TRUE(waitUntil([&] { return presenter.isShowing(2); }));
    popups.stop();
    popups.rethrow();
    EXPECT_EQ((std::vector<std::wstring> {L"open", L"afterRestart"}), presenter.shownDocIDs());
}

} // namespace
