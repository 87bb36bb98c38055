#pragma once

#include "kestle/exception.hpp"
#include "kestle/thread/actor.hpp"

#include <boost/thread/thread.hpp>

#include <functional>
#include <memory>

namespace kestle {

// A thread that takes the items of a queue one by one and hands each to its owner's step. It ends,
// with exit value 0, when the queue is disabled or the worker is stopped. An item taken from the
// queue is always handed over: a stop is looked for before taking the next item, never after.
template <typename Queue>
class worker : public actor<boost_thread_actor_impl>
{
public:
    using value_type = typename Queue::value_type;
    using step_type = std::function<void(const value_type&)>;

    // The queue must outlive the worker.
    worker(Queue& queue, step_type step);
    ~worker() override;

protected:
    int run() override;

private:
    struct Pimpl
    {
        Queue& queue;
        step_type step;
    };

    std::shared_ptr<Pimpl> m_pimpl;
};

template <typename Queue>
worker<Queue>::worker(Queue& queue, step_type step)
    : m_pimpl(std::make_shared<Pimpl>(Pimpl {queue, std::move(step)}))
{ }

template <typename Queue>
worker<Queue>::~worker()
{
    try {
        stop();
    } catch (...) {
        // A destructor has nobody to tell.
    }
}

template <typename Queue>
int worker<Queue>::run()
{
    try {
        // The flag as well as the interruption: a step that swallows thread_interrupted must not keep
        // the worker waiting on the queue for good.
        while (!is_stop_requested()) {
            boost::this_thread::interruption_point();
            value_type item;
            m_pimpl->queue.pop(item);
            m_pimpl->step(item);
        }
    } catch (const sync_queue_disabled&) {
    } catch (const boost::thread_interrupted&) { }
    return 0;
}

} // namespace kestle
