#pragma once

#include "kestle/thread/boost_thread_actor_impl.hpp"
#include "kestle/thread/inf_actor.hpp"

#include <boost/exception_ptr.hpp>
#include <boost/thread/exceptions.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/recursive_mutex.hpp>

#include <memory>

namespace kestle {

// A thread object whose body is run(). Impl is the kind of thread: it provides launch(body),
// interrupt() (may do nothing, the body then polls is_stop_requested()) and join().
//
// An exception escaping run() is kept for rethrow(); boost::thread_interrupted is how a stopped
// Boost thread leaves its waits, so it ends the run quietly. A derived class must stop the thread
// in its own destructor: this one does not, because run() may use the derived members.
//
// start and stop are serialised by the lifecycle lock, which stop holds while it waits for the thread.
// request_stop only takes the control lock, which nobody holds while waiting, so a body may ask its
// own actor to stop even while another thread is stopping it.
template <typename Impl>
class actor : public inf_actor
{
public:
    actor();

    int exit_value() const override;
    bool is_running() const override;
    void start() override;
    void request_stop() override;
    void stop() override;
    void rethrow() const override;

protected:
    // Called under the control lock, before the thread is launched.
    virtual void on_start() { }
    // Called under the control lock once a stop has been requested, to wake what interruption cannot.
    virtual void on_stop_request() { }
    virtual int run() = 0;

    // Set before the thread is interrupted, so a body that sees an interruption also sees this.
    bool is_stop_requested() const;

private:
    struct Pimpl;
    using guard = boost::lock_guard<boost::recursive_mutex>;

    static void body(actor* self, const std::weak_ptr<Pimpl>& state);
    void launch();

    std::shared_ptr<Pimpl> m_pimpl;
};

template <typename Impl>
struct actor<Impl>::Pimpl
{
    Impl thread;
    int result = 0;
    boost::exception_ptr captured;
    bool started = false;
    bool stop_requested = true;
    mutable boost::recursive_mutex state_mutex;
    boost::recursive_mutex control_mutex;
    boost::recursive_mutex lifecycle_mutex;
};

template <typename Impl>
actor<Impl>::actor()
    : m_pimpl(std::make_shared<Pimpl>())
{ }

template <typename Impl>
int actor<Impl>::exit_value() const
{
    guard locked(m_pimpl->state_mutex);
    return m_pimpl->result;
}

template <typename Impl>
bool actor<Impl>::is_running() const
{
    guard locked(m_pimpl->state_mutex);
    return m_pimpl->started;
}

template <typename Impl>
bool actor<Impl>::is_stop_requested() const
{
    guard locked(m_pimpl->state_mutex);
    return m_pimpl->stop_requested;
}

template <typename Impl>
void actor<Impl>::start()
{
    guard lifecycle(m_pimpl->lifecycle_mutex);
    guard control(m_pimpl->control_mutex);
    if (is_running())
        return;
    {
        guard locked(m_pimpl->state_mutex);
        m_pimpl->captured = boost::exception_ptr();
        m_pimpl->started = true;
        m_pimpl->stop_requested = false;
    }
    try {
        on_start();
        launch();
    } catch (...) {
        // No thread runs: stay startable.
        guard locked(m_pimpl->state_mutex);
        m_pimpl->started = false;
        m_pimpl->stop_requested = true;
        throw;
    }
}

template <typename Impl>
void actor<Impl>::launch()
{
    // The thread holds the state weakly: an actor wrongly destroyed while running leaks nothing.
    std::weak_ptr<Pimpl> state = m_pimpl;
    m_pimpl->thread.launch([this, state] { body(this, state); });
}

template <typename Impl>
void actor<Impl>::body(actor* self, const std::weak_ptr<Pimpl>& state)
{
    try {
        const int result = self->run();
        if (const auto p = state.lock()) {
            guard locked(p->state_mutex);
            p->result = result;
        }
    } catch (const boost::thread_interrupted&) {
        // The stop that was asked for, not a failure.
    } catch (...) {
        try {
            boost::exception_ptr error = boost::current_exception();
            if (const auto p = state.lock()) {
                guard locked(p->state_mutex);
                p->captured = error;
            }
        } catch (...) {
            // Nothing is left to report a failed capture to.
        }
    }
}

template <typename Impl>
void actor<Impl>::request_stop()
{
    guard control(m_pimpl->control_mutex);
    {
        guard locked(m_pimpl->state_mutex);
        if (m_pimpl->stop_requested)
            return;
        m_pimpl->stop_requested = true;
    }
    m_pimpl->thread.interrupt();
    on_stop_request();
}

template <typename Impl>
void actor<Impl>::stop()
{
    guard lifecycle(m_pimpl->lifecycle_mutex);
    if (is_running())
        request_stop();
    // Stop is requested from here on, so no interrupt() runs beside this join.
    m_pimpl->thread.join();
    guard locked(m_pimpl->state_mutex);
    m_pimpl->started = false;
}

template <typename Impl>
void actor<Impl>::rethrow() const
{
    boost::exception_ptr error;
    {
        guard locked(m_pimpl->state_mutex);
        error = m_pimpl->captured;
    }
    if (error)
        boost::rethrow_exception(error);
}

} // namespace kestle
