#pragma once

#include <boost/asio/ip/udp.hpp>
#include <boost/noncopyable.hpp>

#include <memory>

namespace Orvane::Monitor {

class EventSignalObserver;

// Owns the UDP port devices send their change datagrams to. The content is never read: every
// datagram of at least one byte becomes an EventSignal carrying the sender's address, handed to each
// observer in the order they were added. Three I/O threads receive; one datagram is handled at a
// time. Nothing is ever sent back.
class EventSignalReceiver : private boost::noncopyable
{
public:
    // The process-wide receiver on every local IPv4 address and the configured port
    // (Config::GetCurrent().Port), created on the first call and kept until the process ends.
    // Raises boost::system::system_error when the port cannot be bound (the next call tries again)
    // and kestle::domain_error for a port outside 0..65535.
    static EventSignalReceiver& Instance();

    // A receiver bound to `local`; port 0 takes a free one. Raises boost::system::system_error.
    explicit EventSignalReceiver(const boost::asio::ip::udp::endpoint& local);
    // Stops.
    ~EventSignalReceiver();

    // Where the socket is bound.
    boost::asio::ip::udp::endpoint GetLocalEndpoint() const;

    // False when the observer is already present. The observer is not owned.
    bool AddObserver(EventSignalObserver* observer);
    // False when the observer was not present. Waits for a notification in progress on another
    // thread, so the observer is not called once this returns. An observer may remove itself (or
    // add others) from its own OnSignal.
    bool RemoveObserver(EventSignalObserver* observer);

    // Begins receiving; does nothing when started.
    void Start();
    // Ends receiving and waits for the I/O threads, so no observer is called once it returns; does
    // nothing when not started. An observer blocked at an interruption point is interrupted. It
    // never waits for the observer lock, so an observer that is busy while holding it cannot hold
    // the stop up. Must not be called from an observer.
    void Stop();
    bool IsStarted() const;

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Monitor
