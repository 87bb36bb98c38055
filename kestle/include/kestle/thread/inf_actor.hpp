#pragma once

#include <boost/noncopyable.hpp>

namespace kestle {

// An object that owns one thread: started, asked to stop, stopped, and asked for the outcome.
class inf_actor : private boost::noncopyable
{
public:
    virtual ~inf_actor() = default;

    // What the last completed run returned.
    virtual int exit_value() const = 0;
    // From start until stop has completed, even when the run ended by itself.
    virtual bool is_running() const = 0;
    virtual void start() = 0;
    // Returns at once; the thread ends when its body notices.
    virtual void request_stop() = 0;
    // Requests the stop and waits for the thread to end.
    virtual void stop() = 0;
    // Raises, on the calling thread, what ended the last run, if it ended by an exception.
    virtual void rethrow() const = 0;
};

} // namespace kestle
