#include "MonitoredEntry/EventLog.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "RSS/Exceptions.hpp"

#include "MonitoredEntry/EntryFixtures.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace Orvane::MonitoredEntry;
using OrvaneTest::eventProperty;

std::vector<std::int32_t> ids(const EventLog& log)
{
    std::vector<std::int32_t> out;
    for (const Event& event : log.GetEventList())
        out.push_back(event.GetID().GetValue());
    return out;
}

std::wstring doc(int i)
{
    return L"doc" + std::to_wstring(i);
}

TEST(EventLogTest, AppendNumbersEventsAndDropsTheOldestBeyondMax)
{
    EventLog log(3);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Event::ID(i), log.Append(eventProperty(doc(i))));
    EXPECT_EQ((std::vector<std::int32_t> {2, 3, 4}), ids(log));
    EXPECT_EQ(doc(4), *log.GetEventList().back().GetProperty().GetDocID());
    EXPECT_FALSE(log.GetEventList().back().IsRead());
    EXPECT_EQ(Event::ID(5), log.GetNextID());
    EXPECT_FALSE(log.Contains(Event::ID(1)));
    EXPECT_THROW(log.GetEvent(Event::ID(1)), MissingEvent);
}

TEST(EventLogTest, MaxOneKeepsOnlyTheNewest)
{
    EventLog log(1);
    log.Append(eventProperty(doc(1)));
    log.Append(eventProperty(doc(2)));
    EXPECT_EQ((std::vector<std::int32_t> {1}), ids(log));
}

TEST(EventLogTest, DuplicateIsRefusedAndNothingChanges)
{
    EventLog log(10);
    const Event::ID first = log.Append(eventProperty(doc(1)));
    Event read = log.GetEvent(first);
    read.SetRead(true);
    log.SetEvent(read);

    // The same item again, with the same moment written with another day-of-week part: still equal.
    EXPECT_FALSE(log.IsNew(eventProperty(doc(1), "01 Apr 2024 10:00:00 +0900")));
    EXPECT_THROW(log.Append(eventProperty(doc(1), "01 Apr 2024 10:00:00 +0900")), DuplicateEvent);
    // Only one of the two times has seconds: cannot be compared, and nothing changes either.
    EXPECT_THROW(log.Append(eventProperty(doc(1), "Mon, 01 Apr 2024 10:00 +0900")),
                 Orvane::RSS::IncompatibleTimeString);
    EXPECT_EQ((std::vector<std::int32_t> {0}), ids(log));
    EXPECT_EQ(Event::ID(1), log.GetNextID());
    EXPECT_TRUE(log.GetEvent(first).IsRead());

    EXPECT_TRUE(log.IsNew(eventProperty(doc(2))));
    EXPECT_TRUE(log.IsNew(eventProperty(doc(1), "Mon, 01 Apr 2024 10:00:01 +0900")));
}

TEST(EventLogTest, TwoEqualPropertiesInOneBatch)
{
    EventLog log(10);
    const EventProperty property = eventProperty(doc(1));
    log.Append(property);
    EXPECT_THROW(log.Append(EventProperty(property)), DuplicateEvent);
    log.Append(eventProperty(doc(2)));
    EXPECT_EQ((std::vector<std::int32_t> {0, 1}), ids(log));
}

TEST(EventLogTest, ReadMarksAndUnreadCount)
{
    EventLog log(10);
    for (int i = 0; i < 3; ++i)
        log.Append(eventProperty(doc(i)));
    EXPECT_EQ(3u, log.CountUnread());
    Event event = log.GetEvent(Event::ID(1));
    event.SetRead(true);
    EXPECT_EQ(3u, log.CountUnread()); // a copy until it is stored
    log.SetEvent(event);
    EXPECT_EQ(2u, log.CountUnread());
    EXPECT_TRUE(log.GetEvent(Event::ID(1)).IsRead());

    const Event stranger(Event::ID(99), eventProperty(doc(99)));
    EXPECT_THROW(log.SetEvent(stranger), MissingEvent);
    EXPECT_EQ(2u, log.CountUnread());
}

TEST(EventLogTest, TrimAndLimit)
{
    EventLog log(10);
    for (int i = 0; i < 4; ++i)
        log.Append(eventProperty(doc(i)));
    log.Trim(4);
    log.Trim(100);
    EXPECT_EQ((std::vector<std::int32_t> {0, 1, 2, 3}), ids(log));
    log.SetMax(2);
    EXPECT_EQ(4u, log.GetEventList().size()); // setting the limit does not trim
    log.Trim(2);
    EXPECT_EQ((std::vector<std::int32_t> {2, 3}), ids(log));
    log.SetMax(10);
    EXPECT_EQ((std::vector<std::int32_t> {2, 3}), ids(log));
    EXPECT_THROW(log.GetEvent(Event::ID(0)), MissingEvent);
    log.Trim(0);
    EXPECT_TRUE(log.GetEventList().empty());
}

TEST(EventLogTest, CounterWrapsToZeroAndSkipsIdentifiersInUse)
{
    const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    const EventLog::EventList stored {Event(Event::ID(0), eventProperty(doc(0))),
                                      Event(Event::ID(1), eventProperty(doc(1)))};
    EventLog log(10, Event::ID(largest), stored);
    EXPECT_EQ(Event::ID(largest), log.Append(eventProperty(doc(2))));
    EXPECT_EQ(Event::ID(0), log.GetNextID());
    // 0 and 1 are still logged, so the next event gets 2.
    EXPECT_EQ(Event::ID(2), log.Append(eventProperty(doc(3))));
    EXPECT_EQ((std::vector<std::int32_t> {0, 1, largest, 2}), ids(log));
}

TEST(EventLogTest, RestoredLogMustHaveDistinctIdentifiers)
{
    const EventLog::EventList stored {Event(Event::ID(4), eventProperty(doc(0))),
                                      Event(Event::ID(4), eventProperty(doc(1)))};
    EXPECT_THROW(EventLog(10, Event::ID(5), stored), DuplicateEvent);
}

TEST(EventLogTest, CopiesAreIndependent)
{
    EventLog log(10);
    log.Append(eventProperty(doc(1)));
    EventLog copy = log;
    copy.Append(eventProperty(doc(2)));
    EXPECT_EQ(1u, log.GetEventList().size());
    EXPECT_EQ(Event::ID(1), log.GetNextID());
}

} // namespace
