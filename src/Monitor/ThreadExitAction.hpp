#pragma once

#include <boost/thread/thread.hpp>

#include <functional>
#include <utility>

namespace Orvane::Monitor {

// Runs an action when a thread body leaves its scope, however it leaves: returning, interrupted or
// failing. The action runs with interruption disabled, so a stop that has already been asked for
// cannot cut it short, and must not throw.
class ThreadExitAction
{
public:
    explicit ThreadExitAction(std::function<void()> action)
        : m_action(std::move(action))
    { }
    ~ThreadExitAction()
    {
        const boost::this_thread::disable_interruption quiet;
        m_action();
    }
    ThreadExitAction(const ThreadExitAction&) = delete;
    ThreadExitAction& operator=(const ThreadExitAction&) = delete;

private:
    std::function<void()> m_action;
};

} // namespace Orvane::Monitor
