#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace Orvane::UI {

// What reaches the desktop program from outside its windows: other starts through the instance
// socket ("activate", "close") and the signals that end a run (SIGINT, SIGTERM, SIGHUP). Both are
// taken on a thread of their own and handed to the UI thread. A "close" is answered only after
// Finish, so the sender waits until the close sequence has saved and released the lock.
class InstanceChannel
{
public:
    struct Handlers
    {
        std::function<void()> activate;
        std::function<void()> close;
    };

    // The handlers run on the thread of context, and not after context is gone.
    InstanceChannel(QObject& context, Handlers handlers);
    ~InstanceChannel(); // Finish without a release step
    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    // Starts listening on the instance socket; the caller holds the single-instance lock. Raises
    // what the socket raises.
    void Listen();
    // Stops listening, runs release (the lock), answers every close request and ends the thread.
    void Finish(const std::function<void()>& release);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI
