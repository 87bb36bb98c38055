#include "kestle/thread/actor.hpp"
#include "kestle/thread/sync_queue.hpp"
#include "kestle/thread/worker.hpp"

#include "HTTP/Exceptions.hpp"
#include "support/TestSupport.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/exception/get_error_info.hpp>
#include <boost/thread/thread.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

using kestle::boost_thread_actor_impl;

// Waits at an interruption point until the thread is interrupted.
void waitForInterruption()
{
    boost::this_thread::sleep_for(boost::chrono::hours(1));
}

// An actor whose body and hooks are given by the test.
template <typename Impl = boost_thread_actor_impl>
class ScriptedActor : public kestle::actor<Impl>
{
public:
    explicit ScriptedActor(std::function<int()> body)
        : m_body(std::move(body))
    { }
    ~ScriptedActor() override { this->stop(); }

    std::function<void()> onStart = [] {};
    std::function<void()> onStopRequest = [] {};
    using kestle::actor<Impl>::is_stop_requested;

protected:
    void on_start() override { onStart(); }
    void on_stop_request() override { onStopRequest(); }
    int run() override { return m_body(); }

private:
    std::function<int()> m_body;
};

TEST(Actor, StartsOneThreadAndStopsItByInterruption)
{
    std::atomic<int> runs {0};
    ScriptedActor<> actor([&] {
        ++runs;
        waitForInterruption();
        return 1;
    });
    actor.stop(); // never started: nothing to do
    EXPECT_FALSE(actor.is_running());

    actor.start();
    actor.start();
    EXPECT_TRUE(actor.is_running());
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return runs == 1; }));
    actor.stop();
    EXPECT_FALSE(actor.is_running());
    EXPECT_EQ(1, runs.load());
    // Being stopped is how such a body ends, not a failure to report.
    EXPECT_NO_THROW(actor.rethrow());
    EXPECT_EQ(0, actor.exit_value());
}

TEST(Actor, RunEndingByItselfStaysRunningUntilStopAndCanRunAgain)
{
    std::atomic<int> runs {0};
    ScriptedActor<> actor([&] { return ++runs * 10; });
    actor.start();
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return actor.exit_value() == 10; }));
    EXPECT_TRUE(actor.is_running());
    actor.start();
    EXPECT_EQ(1, runs.load());

    actor.stop();
    EXPECT_FALSE(actor.is_running());
    actor.start();
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return actor.exit_value() == 20; }));
    actor.stop();
}

TEST(Actor, FailureOfRunIsRethrownWithClassAndOriginUntilNextStart)
{
    int line = 0;
    std::atomic<bool> fail {true};
    ScriptedActor<> actor([&]() -> int {
        if (!fail)
            return 0;
        line = __LINE__ + 1;
        BOOST_THROW_EXCEPTION(Orvane::HTTP::NoAuthority());
    });
    actor.start();
    actor.stop(); // the body may have ended already; stop waits for it either way
    try {
        actor.rethrow();
        FAIL() << "nothing rethrown";
    } catch (const Orvane::HTTP::NoAuthority& error) {
        EXPECT_EQ(line, *boost::get_error_info<boost::throw_line>(error));
        EXPECT_STREQ(__FILE__, *boost::get_error_info<boost::throw_file>(error));
        EXPECT_NE(nullptr, boost::get_error_info<boost::throw_function>(error));
    }
    EXPECT_THROW(actor.rethrow(), Orvane::HTTP::Error); // still captured

    fail = false;
    actor.start();
    actor.stop();
    EXPECT_NO_THROW(actor.rethrow());
}

TEST(Actor, StandardExceptionsKeepTheirClass)
{
    ScriptedActor<> actor([]() -> int { throw std::out_of_range("index"); });
    actor.start();
    actor.stop();
    EXPECT_THROW(actor.rethrow(), std::out_of_range);
}

TEST(Actor, HooksRunOnStartAndOnceOnStopRequest)
{
    std::atomic<int> starts {0}, stopRequests {0};
    std::atomic<bool> startedBeforeBody {false};
    ScriptedActor<> actor([&] {
        startedBeforeBody = starts == 1;
        waitForInterruption();
        return 0;
    });
    actor.onStart = [&] { ++starts; };
    actor.onStopRequest = [&] { ++stopRequests; };
    actor.start();
    actor.request_stop();
    actor.request_stop();
    actor.stop();
    EXPECT_EQ(1, starts.load());
    EXPECT_EQ(1, stopRequests.load());
    EXPECT_TRUE(startedBeforeBody);
}

TEST(Actor, FailingStartHookLeavesTheActorStartable)
{
    ScriptedActor<> actor([] { return 3; });
    actor.onStart = [] { throw std::runtime_error("hook"); };
    EXPECT_THROW(actor.start(), std::runtime_error);
    EXPECT_FALSE(actor.is_running());
    actor.onStart = [] {};
    actor.start();
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return actor.exit_value() == 3; }));
}

// A body that asks its own actor to stop while another thread is already stopping it.
TEST(Actor, BodyMayRequestItsOwnStopDuringStop)
{
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    ScriptedActor<>* self = nullptr;
    ScriptedActor<> actor([&] {
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [&] { return stopping; });
        }
        self->request_stop();
        return 4;
    });
    self = &actor;
    actor.onStopRequest = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
        wake.notify_all();
    };
    actor.start();
    actor.stop(); // hangs if the stopping thread keeps the body out of request_stop
    EXPECT_EQ(4, actor.exit_value());
}

// A thread kind that cannot be interrupted: the body polls the flag and is woken by the hook,
// as an actor owning windows does.
class PlainThreadImpl
{
public:
    void launch(std::function<void()> body) { m_thread = std::thread(std::move(body)); }
    void interrupt() { }
    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};

TEST(Actor, ThreadKindWithoutInterruptionStopsThroughFlagAndHook)
{
    std::mutex mutex;
    std::condition_variable wake;
    ScriptedActor<PlainThreadImpl>* self = nullptr;
    ScriptedActor<PlainThreadImpl> actor([&] {
        std::unique_lock<std::mutex> lock(mutex);
        wake.wait(lock, [&] { return self->is_stop_requested(); });
        return 5;
    });
    self = &actor;
    actor.onStopRequest = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        wake.notify_all();
    };
    actor.start();
    actor.stop();
    EXPECT_EQ(5, actor.exit_value());
}

using IntQueue = kestle::sync_queue<int>;

TEST(Worker, HandsItemsOverInOrderAndEndsWhenTheQueueIsDisabled)
{
    IntQueue queue(2);
    std::mutex mutex;
    std::vector<int> handled;
    kestle::worker<IntQueue> worker(queue, [&](const int& item) {
        std::lock_guard<std::mutex> lock(mutex);
        handled.push_back(item);
    });
    worker.start();
    for (int i = 1; i <= 5; ++i)
        queue.push(i);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] {
        std::lock_guard<std::mutex> lock(mutex);
        return handled.size() == 5;
    }));
    queue.disable();
    EXPECT_TRUE(worker.is_running());
    worker.stop();
    EXPECT_EQ((std::vector<int> {1, 2, 3, 4, 5}), handled);
    EXPECT_EQ(0, worker.exit_value());
    EXPECT_NO_THROW(worker.rethrow());
}

TEST(Worker, StopWhileWaitingLeavesLaterItemsForTheNextStart)
{
    IntQueue queue(4);
    std::atomic<int> handled {0};
    kestle::worker<IntQueue> worker(queue, [&](const int&) { ++handled; });
    worker.start();
    worker.stop();
    queue.push(1);
    EXPECT_EQ(0, handled.load());
    worker.start();
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return handled == 1; }));
}

// A stop that arrives while an item is being handled ends the worker before it takes the next one:
// nothing is taken from the queue and then dropped.
TEST(Worker, StopDuringAStepLeavesTheRestQueued)
{
    IntQueue queue(4);
    std::atomic<int> handled {0};
    kestle::worker<IntQueue>* self = nullptr;
    kestle::worker<IntQueue> worker(queue, [&](const int&) {
        self->request_stop();
        ++handled;
    });
    self = &worker;
    for (int i = 1; i <= 3; ++i)
        queue.push(i);
    worker.start();
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return handled == 1; }));
    worker.stop();
    EXPECT_EQ(1, handled.load());
    int item = 0;
    ASSERT_TRUE(queue.pop(item, boost::posix_time::milliseconds(0)));
    EXPECT_EQ(2, item);
}

// Interruption is delivered once; a step that swallows it must still not keep the worker waiting.
TEST(Worker, StepSwallowingTheInterruptionDoesNotBlockStop)
{
    IntQueue queue(2);
    std::atomic<bool> stepWaiting {false};
    kestle::worker<IntQueue> worker(queue, [&](const int&) {
        try {
            stepWaiting = true;
            waitForInterruption();
        } catch (...) { }
    });
    worker.start();
    queue.push(1);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return stepWaiting.load(); }));
    std::atomic<bool> stopped {false};
    std::thread stopper([&] {
        worker.stop();
        stopped = true;
    });
    EXPECT_TRUE(OrvaneTest::waitUntil([&] { return stopped.load(); }));
    queue.disable(); // frees a stuck worker so the test can end
    stopper.join();
}

TEST(Worker, FailingStepIsCaptured)
{
    IntQueue queue(2);
    kestle::worker<IntQueue> worker(queue, [](const int&) { BOOST_THROW_EXCEPTION(Orvane::HTTP::ServerError()); });
    worker.start();
    queue.push(1);
    // The failed run leaves the item taken; the worker stays "running" until stopped.
    ASSERT_TRUE(OrvaneTest::waitUntil([&] {
        try {
            worker.rethrow();
            return false;
        } catch (const Orvane::HTTP::ServerError&) {
            return true;
        }
    }));
    EXPECT_TRUE(worker.is_running());
    worker.stop();
    EXPECT_THROW(worker.rethrow(), Orvane::HTTP::ServerError);
}

} // namespace
