#pragma once

#include "kestle/exception.hpp"

#include <boost/chrono/duration.hpp>
#include <boost/chrono/system_clocks.hpp>
#include <boost/date_time/posix_time/posix_time_duration.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>

#include <cstdint>
#include <deque>
#include <memory>

namespace kestle {

// Bounded blocking first-in first-out queue between threads. Disabling it releases every waiter with
// sync_queue_disabled, which is how consumers such as workers are ended; the items stay until the
// queue is enabled again. Waits are Boost interruption points.
template <typename T>
class sync_queue
{
public:
    using value_type = T;

    // A queue that can hold nothing would block every producer for good, so capacity must be positive.
    explicit sync_queue(std::int32_t capacity);
    sync_queue(const sync_queue&) = delete;
    sync_queue& operator=(const sync_queue&) = delete;

    // Waits while the queue is full.
    void push(const T& item);
    // False when the queue is full.
    bool try_push(const T& item);
    // Takes the oldest item, waiting while the queue is empty.
    void pop(T& item);
    // As pop, but false when the queue stays empty for the whole time-out.
    bool pop(T& item, const boost::posix_time::time_duration& timeout);

    void enable();
    void disable();

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

template <typename T>
struct sync_queue<T>::Pimpl
{
    explicit Pimpl(std::int32_t capacity)
        : capacity(capacity)
    { }

    using lock_type = boost::unique_lock<boost::mutex>;

    void insert(const T& item)
    {
        items.push_front(item);
        not_empty.notify_all();
    }

    void remove(T& item)
    {
        // Assigned before it leaves the queue: a throwing copy loses nothing.
        item = items.back();
        items.pop_back();
        not_full.notify_all();
    }

    void throw_if_disabled() const
    {
        if (!enabled)
            BOOST_THROW_EXCEPTION(sync_queue_disabled());
    }

    bool full() const { return items.size() >= static_cast<std::size_t>(capacity); }

    const std::int32_t capacity;
    std::deque<T> items; // newest at the front
    bool enabled = true;
    boost::condition_variable not_full;
    boost::condition_variable not_empty;
    boost::mutex mutex;
};

template <typename T>
sync_queue<T>::sync_queue(std::int32_t capacity)
{
    if (capacity < 1)
        BOOST_THROW_EXCEPTION(domain_error());
    m_pimpl = std::make_shared<Pimpl>(capacity);
}

template <typename T>
void sync_queue<T>::push(const T& item)
{
    Pimpl& p = *m_pimpl;
    typename Pimpl::lock_type lock(p.mutex);
    p.not_full.wait(lock, [&p] { return !p.enabled || !p.full(); });
    p.throw_if_disabled();
    p.insert(item);
}

template <typename T>
bool sync_queue<T>::try_push(const T& item)
{
    Pimpl& p = *m_pimpl;
    typename Pimpl::lock_type lock(p.mutex);
    p.throw_if_disabled();
    if (p.full())
        return false;
    p.insert(item);
    return true;
}

template <typename T>
void sync_queue<T>::pop(T& item)
{
    Pimpl& p = *m_pimpl;
    typename Pimpl::lock_type lock(p.mutex);
    p.not_empty.wait(lock, [&p] { return !p.enabled || !p.items.empty(); });
    p.throw_if_disabled();
    p.remove(item);
}

template <typename T>
bool sync_queue<T>::pop(T& item, const boost::posix_time::time_duration& timeout)
{
    // A steady deadline: moving the wall clock neither shortens nor stretches the wait.
    const auto deadline
        = boost::chrono::steady_clock::now() + boost::chrono::milliseconds(timeout.total_milliseconds());
    Pimpl& p = *m_pimpl;
    typename Pimpl::lock_type lock(p.mutex);
    if (!p.not_empty.wait_until(lock, deadline, [&p] { return !p.enabled || !p.items.empty(); }))
        return false;
    p.throw_if_disabled();
    p.remove(item);
    return true;
}

template <typename T>
void sync_queue<T>::enable()
{
    typename Pimpl::lock_type lock(m_pimpl->mutex);
    m_pimpl->enabled = true;
}

template <typename T>
void sync_queue<T>::disable()
{
    typename Pimpl::lock_type lock(m_pimpl->mutex);
    m_pimpl->enabled = false;
    m_pimpl->not_full.notify_all();
    m_pimpl->not_empty.notify_all();
}

} // namespace kestle
