#include "MachineEvent/PipelineFixtures.hpp"
#include "support/TestSupport.hpp"

#include "MachineEvent/DetectedEventManager.hpp"
#include "MachineEvent/NotifiableEventManager.hpp"
#include "MachineEvent/PopupEventManager.hpp"
#include "MonitoredEntry/Observer.hpp"

#include <gtest/gtest.h>

#include <mutex>

namespace {

using namespace Orvane;
using namespace OrvaneTest;
using MachineEvent::DetectedEvent;
using MachineEvent::DetectedEventManager;
using MachineEvent::DetectedEventQueue;
using EventPair = MachineEvent::NotifiableEventManager::EventPair;

std::shared_ptr<const DetectedEvent> detected(const Entry::ID& entryID, const std::wstring& docID,
                                              const std::string& time = "Mon, 01 Apr 2024 10:00:00 +0900")
{
    return std::make_shared<const DetectedEvent>(entryID, eventProperty(docID, time));
}

// Remembers how many events the entry's log held at each change notification.
class LogSizeObserver : public MonitoredEntry::Observer
{
public:
    explicit LogSizeObserver(const Entry::ID& entryID)
        : m_entryID(entryID)
    { }

    void Update(const EntryManager& manager) override
    {
        const EntryManager::ScopedLock lock(manager);
        const std::size_t size = manager.GetDB().GetEntry(m_entryID).ReadEventLog().GetEventList().size();
        std::lock_guard<std::mutex> guard(m_mutex);
        m_sizes.push_back(size);
    }

    std::vector<std::size_t> sizes() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_sizes;
    }

private:
    const Entry::ID m_entryID;
    mutable std::mutex m_mutex;
    std::vector<std::size_t> m_sizes;
};

TEST(DetectedEventManagerTest, EventsArrivingTogetherAreOneChangeAndOnePopupEach)
{
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1");
    LogSizeObserver observer(entry);
    manager.AddObserver(&observer);

    ScriptedPresenter presenter;
    presenter.answerAll({});
    MachineEvent::PopupEventManager popups(manager, presenter, std::chrono::milliseconds(0));
    DetectedEventQueue queue(50);
    DetectedEventManager detectedEvents(manager, queue);
    detectedEvents.SetListener(&popups);
    popups.start();
    for (const wchar_t* docID : {L"a", L"b", L"c"})
        queue.push(detected(entry, docID));
    detectedEvents.start();

    const auto sawTheBatch = [&] {
        const std::vector<std::size_t> sizes = observer.sizes();
        return !sizes.empty() && sizes.back() == 3;
    };
    ASSERT_TRUE(waitUntil([&] { return presenter.shown().size() == 3 && sawTheBatch(); }));
    detectedEvents.stop();
    popups.stop();
    detectedEvents.rethrow();
    popups.rethrow();
    // One transaction: no notification ever saw part of the batch. How many told of the empty log
    // before it depends on when the notifications of the entry's creation and of the registration ran.
    for (const std::size_t size : observer.sizes())
        EXPECT_TRUE(size == 0 || size == 3) << size;
    EXPECT_EQ((std::vector<std::wstring> {L"a", L"b", L"c"}), loggedDocIDs(manager, entry));
    EXPECT_EQ((std::vector<std::wstring> {L"a", L"b", L"c"}), presenter.shownDocIDs());
    manager.RemoveObserver(&observer);
}

TEST(DetectedEventManagerTest, DropsOnlyWhatTheLogsCannotTake)
{
    // A time without seconds cannot be compared with one that has them.
    const std::string noSeconds = "Mon, 01 Apr 2024 10:00 +0900";
    struct Item
    {
        bool removedEntry;
        std::wstring docID;
        std::string time = "Mon, 01 Apr 2024 10:00:00 +0900";
    };
    struct Case
    {
        const char* name;
        std::vector<std::wstring> logged;
        std::vector<Item> batch;
        std::vector<std::wstring> expected;
    };
    const std::vector<Case> cases = {
        {"already logged", {L"old"}, {{false, L"old"}, {false, L"new"}}, {L"old", L"new"}},
        {"twice in one batch", {}, {{false, L"a"}, {false, L"a"}, {false, L"b"}}, {L"a", L"b"}},
        {"removed entry", {}, {{false, L"a"}, {true, L"x"}, {false, L"b"}}, {L"a", L"b"}},
        {"incomparable time", {L"old"}, {{false, L"old", noSeconds}, {false, L"new"}}, {L"old", L"new"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EntryManager manager;
        const Entry::ID entry = addEntry(manager, L"10.0.0.1");
        const Entry::ID removed = addEntry(manager, L"10.0.0.2");
        for (const auto& docID : c.logged)
            logEvent(manager, entry, docID);
        removeEntry(manager, removed);
        DetectedEventQueue queue(50);
        for (const Item& item : c.batch)
            queue.push(detected(item.removedEntry ? removed : entry, item.docID, item.time));
        RecordingListener listener;
        DetectedEventManager detectedEvents(manager, queue);
        detectedEvents.SetListener(&listener);
        detectedEvents.start();

        const std::size_t added = c.expected.size() - c.logged.size();
        ASSERT_TRUE(waitUntil([&] { return listener.pairs().size() == added; }));
        detectedEvents.stop();
        detectedEvents.rethrow();
        EXPECT_EQ(c.expected, loggedDocIDs(manager, entry));
        const auto pairs = listener.pairs();
        ASSERT_EQ(added, pairs.size());
        const EntryManager::ScopedLock lock(manager);
        const auto& events = manager.GetDB().GetEntry(entry).ReadEventLog().GetEventList();
        for (std::size_t i = 0; i < added; ++i)
            EXPECT_EQ(EventPair(entry, events[c.logged.size() + i].GetID()), pairs[i]);
    }
}

TEST(DetectedEventManagerTest, WhatWasQueuedBeforeTheStopIsLogged)
{
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1");
    DetectedEventQueue queue(50);
    queue.push(detected(entry, L"a"));
    queue.push(detected(entry, L"b"));
    DetectedEventManager detectedEvents(manager, queue);
    detectedEvents.start();
    detectedEvents.stop();
    detectedEvents.rethrow();
    EXPECT_EQ((std::vector<std::wstring> {L"a", L"b"}), loggedDocIDs(manager, entry));
}

TEST(DetectedEventManagerTest, DisabledQueueEndsTheRunWithoutAnError)
{
    EntryManager manager;
    DetectedEventQueue queue(50);
    DetectedEventManager detectedEvents(manager, queue);
    detectedEvents.start();
    queue.disable();
    detectedEvents.stop();
    EXPECT_NO_THROW(detectedEvents.rethrow());
    EXPECT_EQ(0, detectedEvents.exit_value());
}

TEST(DetectedEventManagerTest, ClearedListenerIsNotTold)
{
    EntryManager manager;
    const Entry::ID entry = addEntry(manager, L"10.0.0.1");
    DetectedEventQueue queue(50);
    RecordingListener listener;
    DetectedEventManager detectedEvents(manager, queue);
    detectedEvents.SetListener(&listener);
    detectedEvents.ClearListener();
    queue.push(detected(entry, L"a"));
    detectedEvents.start();
    detectedEvents.stop();
    EXPECT_EQ(1u, loggedDocIDs(manager, entry).size());
    EXPECT_TRUE(listener.pairs().empty());
}

} // namespace
