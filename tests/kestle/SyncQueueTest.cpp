#include "kestle/thread/sync_queue.hpp"

#include "support/TestSupport.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/exception/get_error_info.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

using kestle::sync_queue;
using kestle::sync_queue_disabled;

const boost::posix_time::milliseconds noWait(0);

TEST(SyncQueue, TryPushStopsAtCapacityAndItemsLeaveInOrder)
{
    sync_queue<int> queue(2);
    EXPECT_TRUE(queue.try_push(1));
    EXPECT_TRUE(queue.try_push(2));
    EXPECT_FALSE(queue.try_push(3));
    int item = 0;
    queue.pop(item);
    EXPECT_EQ(1, item);
    EXPECT_TRUE(queue.try_push(3));
    queue.pop(item);
    EXPECT_EQ(2, item);
    EXPECT_TRUE(queue.pop(item, noWait));
    EXPECT_EQ(3, item);
}

TEST(SyncQueue, TimedPopReportsAnEmptyQueue)
{
    sync_queue<int> queue(1);
    int item = 7;
    EXPECT_FALSE(queue.pop(item, boost::posix_time::milliseconds(20)));
    EXPECT_EQ(7, item);
}

TEST(SyncQueue, CapacityMustBePositive)
{
    EXPECT_THROW(sync_queue<int>(0), kestle::domain_error);
    EXPECT_THROW(sync_queue<int>(-1), kestle::domain_error);
}

TEST(SyncQueue, DisabledQueueRefusesEverythingAndKeepsItsItems)
{
    sync_queue<int> queue(2);
    queue.push(1);
    queue.push(2);
    queue.disable();
    int item = 0;
    try {
        queue.pop(item);
        FAIL() << "pop on a disabled queue returned";
    } catch (const sync_queue_disabled& error) {
        EXPECT_NE(nullptr, boost::get_error_info<boost::throw_file>(error));
    }
    EXPECT_THROW(queue.pop(item, noWait), sync_queue_disabled);
    EXPECT_THROW(queue.try_push(3), sync_queue_disabled);
    EXPECT_THROW(queue.push(3), sync_queue_disabled);

    queue.enable();
    queue.pop(item);
    EXPECT_EQ(1, item);
    queue.pop(item);
    EXPECT_EQ(2, item);
}

// A waiter blocked on either condition is released by disable().
TEST(SyncQueue, DisableReleasesBlockedConsumerAndProducer)
{
    sync_queue<int> empty(1);
    sync_queue<int> full(1);
    full.push(0);
    std::atomic<int> entered {0};
    std::atomic<int> released {0};
    auto expectReleased = [&](auto operation) {
        return std::thread([&, operation] {
            ++entered;
            try {
                operation();
            } catch (const sync_queue_disabled&) {
                ++released;
            }
        });
    };
    std::thread consumer = expectReleased([&] {
        int item;
        empty.pop(item);
    });
    std::thread producer = expectReleased([&] { full.push(1); });
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return entered == 2; }));
    empty.disable();
    full.disable();
    consumer.join();
    producer.join();
    EXPECT_EQ(2, released.load());
}

// Several producers and consumers through a small queue: every item arrives once, and each
// consumer sees each producer's items in the order they were pushed.
TEST(SyncQueue, ItemsCrossThreadsOnceAndInOrder)
{
    constexpr int producers = 2;
    constexpr int perProducer = 2000;
    sync_queue<int> queue(4);
    std::atomic<int> received {0};
    std::vector<std::vector<int>> seen(2);
    std::vector<std::thread> threads;
    for (auto& mine : seen) {
        threads.emplace_back([&queue, &received, &mine] {
            try {
                for (int item;; ++received) {
                    queue.pop(item);
                    mine.push_back(item);
                }
            } catch (const sync_queue_disabled&) { }
        });
    }
    for (int p = 0; p < producers; ++p) {
        threads.emplace_back([&queue, p] {
            for (int i = 0; i < perProducer; ++i)
                queue.push(p * perProducer + i);
        });
    }
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return received == producers * perProducer; }));
    queue.disable();
    for (auto& thread : threads)
        thread.join();

    std::vector<int> count(producers * perProducer, 0);
    for (const auto& mine : seen) {
        std::vector<int> last(producers, -1);
        for (int item : mine) {
            ++count.at(item);
            EXPECT_LT(last[item / perProducer], item);
            last[item / perProducer] = item;
        }
    }
    EXPECT_EQ(std::vector<int>(producers * perProducer, 1), count);
}

} // namespace
