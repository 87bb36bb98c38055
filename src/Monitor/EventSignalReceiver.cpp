// Boost.Asio orders its handlers with atomic fences as well as mutexes; GCC warns that ThreadSanitizer
// does not see the fences. Set before any include, so it covers the headers that use them.
#if defined(__SANITIZE_THREAD__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wtsan"
#endif

#include "Monitor/EventSignalReceiver.hpp"

#include "Config.hpp"
#include "Monitor/EventSignal.hpp"
#include "Monitor/EventSignalObserver.hpp"

#include <kestle/exception.hpp>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/optional/optional.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/recursive_mutex.hpp>
#include <boost/thread/thread.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <vector>

namespace Orvane::Monitor {

namespace {

constexpr int IOThreadCount = 3;
constexpr int ReceiveBufferBytes = 1 << 20;

using udp = boost::asio::ip::udp;
using WorkGuard = boost::asio::executor_work_guard<boost::asio::io_context::executor_type>;

} // namespace

struct EventSignalReceiver::Pimpl
{
    explicit Pimpl(const udp::endpoint& local)
        : socket(io, local)
    {
        // Room for a burst of datagrams, so that a device's signal queued behind a flood is not
        // dropped by the kernel. The kernel caps the size for unprivileged users; less is still fine.
        boost::system::error_code ignored;
        socket.set_option(udp::socket::receive_buffer_size(ReceiveBufferBytes), ignored);
    }

    void Receive();
    void OnReceived(const boost::system::error_code& error, std::size_t bytes);
    void Notify(const Signal& signal);
    bool HasObserver(EventSignalObserver* observer) const;
    void RunLoop();
    void StartLocked();
    void StopLocked();
    void DiscardPendingReceive();

    boost::asio::io_context io;
    udp::socket socket;
    // Written by the receive, read by its handler; one receive is outstanding at a time.
    udp::endpoint sender;
    std::array<char, 1> buffer {};
    boost::optional<WorkGuard> work;
    std::vector<boost::thread> threads;
    // Set at the start of a stop, before anything waits, and read by the handlers without a lock, so a
    // stop needs no lock a handler could hold.
    std::atomic<bool> cancelled {false};
    bool started = false;
    // Serialises Start and Stop; guards threads, work and started. Handlers never take it.
    mutable boost::mutex lifecycleMutex;
    // Guards the observers and is held for a whole notification. Recursive so that an observer can
    // add or remove observers from its own OnSignal.
    mutable boost::recursive_mutex observerMutex;
    std::vector<EventSignalObserver*> observers;
};

void EventSignalReceiver::Pimpl::Receive()
{
    socket.async_receive_from(
        boost::asio::buffer(buffer), sender,
        [this](const boost::system::error_code& error, std::size_t bytes) { OnReceived(error, bytes); });
}

void EventSignalReceiver::Pimpl::OnReceived(const boost::system::error_code& error, std::size_t bytes)
{
    if (cancelled)
        return;
    // A datagram longer than the buffer completes with a truncation error and one byte: still a signal.
    if (bytes != 0)
        Notify(EventSignal(sender.address()));
    if (error != boost::asio::error::operation_aborted)
        Receive();
}

void EventSignalReceiver::Pimpl::Notify(const Signal& signal)
{
    boost::lock_guard<boost::recursive_mutex> lock(observerMutex);
    const std::vector<EventSignalObserver*> current = observers;
    for (EventSignalObserver* observer : current) {
        // An earlier observer may have removed this one during this notification.
        if (!HasObserver(observer))
            continue;
        try {
            observer->OnSignal(signal);
        } catch (const boost::thread_interrupted&) {
            throw; // the receiver is being stopped
        } catch (...) {
            // One observer's failure (a host it cannot resolve, say) is its own business: the others
            // still hear of the signal and reception goes on.
        }
    }
}

bool EventSignalReceiver::Pimpl::HasObserver(EventSignalObserver* observer) const
{
    return std::find(observers.begin(), observers.end(), observer) != observers.end();
}

void EventSignalReceiver::Pimpl::RunLoop()
{
    try {
        io.run();
    } catch (...) {
        // An interruption, or a failure nobody on this thread can report: this thread ends, and the
        // others keep receiving.
    }
}

void EventSignalReceiver::Pimpl::StartLocked()
{
    io.restart();
    cancelled = false;
    // Keeps run() going between one handler's end and the next receive.
    work.emplace(boost::asio::make_work_guard(io));
    started = true;
    try {
        Receive();
        for (int i = 0; i < IOThreadCount; ++i)
            threads.emplace_back([this] { RunLoop(); });
    } catch (...) {
        StopLocked();
        throw;
    }
}

void EventSignalReceiver::Pimpl::StopLocked()
{
    cancelled = true;
    io.stop();
    for (boost::thread& thread : threads)
        thread.interrupt();
    // Joined without the observer lock, which a handler may hold or wait for.
    for (boost::thread& thread : threads)
        thread.join();
    threads.clear();
    work.reset();
    DiscardPendingReceive();
    started = false;
}

void EventSignalReceiver::Pimpl::DiscardPendingReceive()
{
    // The receive left outstanding by the stop would otherwise complete beside the next start's own.
    boost::system::error_code ignored;
    socket.cancel(ignored);
    io.restart();
    io.poll();
}

EventSignalReceiver& EventSignalReceiver::Instance()
{
    static boost::mutex mutex;
    static std::unique_ptr<EventSignalReceiver> instance;
    boost::lock_guard<boost::mutex> lock(mutex);
    if (!instance) {
        const std::int32_t port = Config::GetCurrent().Port;
        if (port < 0 || port > 65535)
            BOOST_THROW_EXCEPTION(kestle::domain_error());
        instance = std::make_unique<EventSignalReceiver>(
            udp::endpoint(boost::asio::ip::address_v4::any(), static_cast<unsigned short>(port)));
    }
    return *instance;
}

EventSignalReceiver::EventSignalReceiver(const udp::endpoint& local)
    : m_pimpl(std::make_shared<Pimpl>(local))
{ }

EventSignalReceiver::~EventSignalReceiver()
{
    try {
        Stop();
    } catch (...) {
        // A destructor has nobody to tell.
    }
}

udp::endpoint EventSignalReceiver::GetLocalEndpoint() const
{
    return m_pimpl->socket.local_endpoint();
}

bool EventSignalReceiver::AddObserver(EventSignalObserver* observer)
{
    boost::lock_guard<boost::recursive_mutex> lock(m_pimpl->observerMutex);
    if (m_pimpl->HasObserver(observer))
        return false;
    m_pimpl->observers.push_back(observer);
    return true;
}

bool EventSignalReceiver::RemoveObserver(EventSignalObserver* observer)
{
    boost::lock_guard<boost::recursive_mutex> lock(m_pimpl->observerMutex);
    auto& observers = m_pimpl->observers;
    const auto found = std::find(observers.begin(), observers.end(), observer);
    if (found == observers.end())
        return false;
    observers.erase(found);
    return true;
}

void EventSignalReceiver::Start()
{
    boost::lock_guard<boost::mutex> lock(m_pimpl->lifecycleMutex);
    if (!m_pimpl->started)
        m_pimpl->StartLocked();
}

void EventSignalReceiver::Stop()
{
    boost::lock_guard<boost::mutex> lock(m_pimpl->lifecycleMutex);
    if (m_pimpl->started)
        m_pimpl->StopLocked();
}

bool EventSignalReceiver::IsStarted() const
{
    boost::lock_guard<boost::mutex> lock(m_pimpl->lifecycleMutex);
    return m_pimpl->started;
}

} // namespace Orvane::Monitor
