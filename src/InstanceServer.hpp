#pragma once

#include <boost/asio/io_context.hpp>

#include <functional>
#include <memory>
#include <string>

namespace Orvane {

// The running instance's end of the single-instance protocol: a local stream socket that exists
// while the instance runs and takes one command line per connection from processes of the same
// user. "activate" brings the instance forward; "close" runs its close sequence, and the answer
// is written only when that has finished, so the sender waits for it.
class InstanceServer
{
public:
    // Called once the close sequence has run; writes the answer.
    using Answer = std::function<void()>;

    struct Handlers
    {
        std::function<void()> activate;
        // Must call the answer, at once or later, on the I/O thread.
        std::function<void(Answer)> close;
    };

    // Listens at path on the io_context's thread. The caller holds the single-instance lock, so a
    // socket file left there by a crashed instance is removed first. Raises SystemError.
    InstanceServer(boost::asio::io_context& io, const std::string& path, Handlers handlers);
    ~InstanceServer(); // Stop
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // Stops listening, drops the connections that have not asked to close and removes the socket
    // file. Idempotent.
    void Stop();

private:
    struct Pimpl;
    class Session;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
