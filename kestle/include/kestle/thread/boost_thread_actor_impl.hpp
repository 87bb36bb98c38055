#pragma once

#include <boost/thread/thread.hpp>

#include <functional>

namespace kestle {

// The thread of an actor as a Boost thread: a stop request interrupts it, so that its body's next
// wait at an interruption point ends with boost::thread_interrupted.
class boost_thread_actor_impl
{
public:
    boost_thread_actor_impl() = default;
    // A thread still running here belongs to an actor that was not stopped; it is left to end alone.
    ~boost_thread_actor_impl();
    boost_thread_actor_impl(const boost_thread_actor_impl&) = delete;
    boost_thread_actor_impl& operator=(const boost_thread_actor_impl&) = delete;

    void launch(std::function<void()> body);
    void interrupt();
    // Waits for the thread launched last; returns at once when there is none.
    void join();

private:
    boost::thread m_thread;
};

} // namespace kestle
