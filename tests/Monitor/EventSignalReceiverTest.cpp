#include "Monitor/EventSignalReceiver.hpp"
#include "Config.hpp"
#include "Monitor/DeviceAddresses.hpp"
#include "Monitor/EventSignal.hpp"
#include "Monitor/EventSignalObserver.hpp"
#include "Monitor/UpdateSignal.hpp"
#include "MonitoredEntry/Distinction.hpp"
#include "MonitoredEntry/Entry.hpp"

#include "support/TestSupport.hpp"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace Orvane;
using Monitor::EventSignalReceiver;
namespace ip = boost::asio::ip;

MonitoredEntry::Distinction device(const std::wstring& host, bool ssl = false)
{
    MonitoredEntry::MFP mfp;
    mfp.SetHost(host);
    mfp.SetHTTP(80);
    mfp.SetSSL(ssl);
    if (ssl)
        mfp.SetHTTPS(443);
    MonitoredEntry::EntryProperty property;
    property.SetMFP(mfp);
    return MonitoredEntry::Distinction(MonitoredEntry::Entry(MonitoredEntry::Entry::ID(1), property));
}

// Sends datagrams from a loopback source address to the receiver under test (always on 127.0.0.1).
class Sender
{
public:
    explicit Sender(const std::string& source = "127.0.0.1")
        : m_socket(m_io, ip::udp::endpoint(ip::make_address(source), 0))
    { }

    void send(unsigned short port, std::size_t size = 1)
    {
        const std::string payload(size, 'x');
        m_socket.send_to(boost::asio::buffer(payload), ip::udp::endpoint(ip::make_address("127.0.0.1"), port));
    }

private:
    boost::asio::io_context m_io;
    ip::udp::socket m_socket;
};

// Records each signal's sender and which of the given devices it matches, as a monitor would ask.
class RecordingObserver : public Monitor::EventSignalObserver
{
public:
    struct Seen
    {
        ip::address sender;
        std::vector<bool> matches;
    };

    explicit RecordingObserver(std::vector<MonitoredEntry::Distinction> devices = {})
        : m_devices(std::move(devices))
    { }

    void OnSignal(const Monitor::Signal& signal) override
    {
        Seen seen {dynamic_cast<const Monitor::EventSignal&>(signal).GetSender(), {}};
        for (const auto& device : m_devices)
            seen.matches.push_back(signal.Matches(device));
        boost::lock_guard<boost::mutex> lock(m_mutex);
        m_seen.push_back(seen);
    }

    std::vector<Seen> seen() const
    {
        boost::lock_guard<boost::mutex> lock(m_mutex);
        return m_seen;
    }

    std::size_t count() const { return seen().size(); }

private:
    const std::vector<MonitoredEntry::Distinction> m_devices;
    mutable boost::mutex m_mutex;
    std::vector<Seen> m_seen;
};

class ThrowingObserver : public Monitor::EventSignalObserver
{
public:
    void OnSignal(const Monitor::Signal& signal) override
    {
        ++calls;
        // What a monitor meets when its device's host does not resolve.
        signal.Matches(device(L"no-such-host.invalid"));
        throw std::runtime_error("unreachable");
    }

    std::atomic<int> calls {0};
};

class ReceiverTest : public ::testing::Test
{
protected:
    ReceiverTest()
        : receiver(ip::udp::endpoint(ip::make_address("127.0.0.1"), 0))
        , port(receiver.GetLocalEndpoint().port())
    { }

    EventSignalReceiver receiver;
    const unsigned short port;
};

TEST_F(ReceiverTest, SignalReachesEveryObserverAndMatchesTheSendersDevice)
{
    const std::vector<MonitoredEntry::Distinction> devices
        = {device(L"127.0.0.1"), device(L"127.0.0.2"), device(L"localhost"), device(L"127.0.0.1", true)};
    RecordingObserver first(devices), second(devices);
    EXPECT_TRUE(receiver.AddObserver(&first));
    EXPECT_TRUE(receiver.AddObserver(&second));
    EXPECT_FALSE(receiver.AddObserver(&first));
    receiver.Start();

    struct Case
    {
        std::string source;
        std::vector<bool> matches;
    };
    const std::vector<Case> cases
        = {{"127.0.0.1", {true, false, true, true}}, {"127.0.0.2", {false, true, false, false}}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Sender(cases[i].source).send(port);
        ASSERT_TRUE(OrvaneTest::waitUntil([&] { return first.count() > i && second.count() > i; }));
        for (const RecordingObserver* observer : {&first, &second}) {
            const auto seen = observer->seen().at(i);
            EXPECT_EQ(ip::make_address(cases[i].source), seen.sender) << cases[i].source;
            EXPECT_EQ(cases[i].matches, seen.matches) << cases[i].source;
        }
    }
    receiver.Stop();
    EXPECT_EQ(2u, first.count());
    EXPECT_EQ(2u, second.count());
}

TEST_F(ReceiverTest, EveryNonEmptyDatagramIsOneSignal)
{
    RecordingObserver observer;
    receiver.AddObserver(&observer);
    receiver.Start();
    Sender sender;
    sender.send(port, 1000);
    sender.send(port, 0);
    sender.send(port, 1);
    // A datagram from another address marks the end: those before it have all been handled.
    Sender("127.0.0.2").send(port);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return observer.count() >= 3; }));
    receiver.Stop();
    const auto seen = observer.seen();
    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(ip::make_address("127.0.0.1"), seen[0].sender);
    EXPECT_EQ(ip::make_address("127.0.0.1"), seen[1].sender);
    EXPECT_EQ(ip::make_address("127.0.0.2"), seen[2].sender);
}

TEST_F(ReceiverTest, FailingObserverStopsNeitherTheOthersNorReception)
{
    ThrowingObserver before, after;
    RecordingObserver recorder;
    receiver.AddObserver(&before);
    receiver.AddObserver(&recorder);
    receiver.AddObserver(&after);
    receiver.Start();
    Sender sender;
    for (std::size_t i = 1; i <= 3; ++i) {
        sender.send(port);
        ASSERT_TRUE(OrvaneTest::waitUntil([&] { return recorder.count() == i && after.calls == int(i); }));
    }
    EXPECT_EQ(3, before.calls);
}

TEST_F(ReceiverTest, StartsAndStopsRepeatedly)
{
    RecordingObserver observer;
    receiver.AddObserver(&observer);
    receiver.Stop(); // never started: nothing to do
    Sender sender;
    for (std::size_t round = 1; round <= 3; ++round) {
        receiver.Start();
        receiver.Start();
        EXPECT_TRUE(receiver.IsStarted());
        sender.send(port);
        ASSERT_TRUE(OrvaneTest::waitUntil([&] { return observer.count() == round; })) << round;
        receiver.Stop();
        EXPECT_FALSE(receiver.IsStarted());
    }
    // What arrives while stopped waits in the socket for the next start.
    sender.send(port);
    receiver.Start();
    EXPECT_TRUE(OrvaneTest::waitUntil([&] { return observer.count() == 4; }));
}

// Holds the notification (and so the observer lock) until it is interrupted by a stop.
class BlockingObserver : public Monitor::EventSignalObserver
{
public:
    void OnSignal(const Monitor::Signal&) override
    {
        boost::unique_lock<boost::mutex> lock(m_mutex);
        entered = true;
        m_never.wait(lock, [] { return false; });
    }

    std::atomic<bool> entered {false};

private:
    boost::mutex m_mutex;
    boost::condition_variable m_never;
};

TEST_F(ReceiverTest, StopReturnsWhileAnObserverHoldsTheLockAndAnotherThreadWaitsForIt)
{
    BlockingObserver blocking;
    RecordingObserver other;
    receiver.AddObserver(&blocking);
    receiver.AddObserver(&other);
    receiver.Start();
    Sender().send(port);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return blocking.entered.load(); }));

    std::atomic<bool> removed {false};
    boost::thread remover([&] { removed = receiver.RemoveObserver(&other); });
    std::atomic<bool> stopped {false};
    boost::thread stopper([&] {
        receiver.Stop();
        stopped = true;
    });
    EXPECT_TRUE(OrvaneTest::waitUntil([&] { return stopped.load(); }));
    stopper.join();
    remover.join();
    EXPECT_TRUE(removed);
    EXPECT_EQ(0u, other.count());
}

// Takes the receiver's lock again from inside its own notification.
class SelfRemovingObserver : public Monitor::EventSignalObserver
{
public:
    SelfRemovingObserver(EventSignalReceiver& receiver, Monitor::EventSignalObserver& successor)
        : m_receiver(receiver)
        , m_successor(successor)
    { }

    void OnSignal(const Monitor::Signal&) override
    {
        ++calls;
        m_receiver.RemoveObserver(this);
        m_receiver.AddObserver(&m_successor);
    }

    std::atomic<int> calls {0};

private:
    EventSignalReceiver& m_receiver;
    Monitor::EventSignalObserver& m_successor;
};

TEST_F(ReceiverTest, ObserverMayChangeTheObserversFromItsOwnNotification)
{
    RecordingObserver successor;
    SelfRemovingObserver self(receiver, successor);
    RecordingObserver after;
    receiver.AddObserver(&self);
    receiver.AddObserver(&after);
    receiver.Start();
    Sender sender;
    sender.send(port);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return after.count() == 1; }));
    // One added during a notification hears from the next signal on.
    EXPECT_EQ(0u, successor.count());
    sender.send(port);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return after.count() == 2 && successor.count() == 1; }));
    receiver.Stop();
    EXPECT_EQ(1, self.calls);
}

TEST(SignalTest, MatchingAgainstResolvedAddressesNeverResolves)
{
    const auto printer = device(L"printer.invalid");
    const Monitor::DeviceAddresses addresses(L"printer.invalid", {ip::make_address("127.0.0.5")});
    EXPECT_TRUE(Monitor::EventSignal(ip::make_address("127.0.0.5")).Matches(printer, addresses));
    EXPECT_FALSE(Monitor::EventSignal(ip::make_address("127.0.0.6")).Matches(printer, addresses));
    EXPECT_THROW(Monitor::EventSignal(ip::make_address("127.0.0.5")).Matches(printer), boost::system::system_error);
}

TEST(SignalTest, UpdateSignalMatchesTheSameHostText)
{
    MonitoredEntry::MFP mfp;
    mfp.SetHost(L"127.0.0.1");
    const Monitor::UpdateSignal signal(mfp);
    EXPECT_TRUE(signal.Matches(device(L"127.0.0.1")));
    EXPECT_FALSE(signal.Matches(device(L"localhost")));
    EXPECT_TRUE(signal.Matches(device(L"127.0.0.1"), Monitor::DeviceAddresses()));
}

TEST(SignalTest, ResolvedAddressesOfADevice)
{
    const auto addresses = Monitor::DeviceAddresses::Resolve(device(L"127.0.0.1", true).GetMFP());
    EXPECT_EQ(L"127.0.0.1", addresses.GetHost());
    EXPECT_EQ(std::vector<ip::address> {ip::make_address("127.0.0.1")}, addresses.GetAddresses());
}

// The process-wide receiver listens on every local address at the configured port.
TEST(ReceiverInstanceTest, BindsTheConfiguredPortAndTriesAgainAfterAFailure)
{
    boost::asio::io_context io;
    auto blocker = std::make_unique<ip::udp::socket>(io, ip::udp::endpoint(ip::address_v4::any(), 0));
    const unsigned short port = blocker->local_endpoint().port();
    const Config::Current saved = Config::GetCurrent();
    Config::Current current = saved;
    current.Port = port;
    Config::SetCurrent(current);

    EXPECT_THROW(EventSignalReceiver::Instance(), boost::system::system_error);
    blocker.reset();
    EventSignalReceiver& receiver = EventSignalReceiver::Instance();
    EXPECT_EQ(&receiver, &EventSignalReceiver::Instance());
    EXPECT_EQ(ip::udp::endpoint(ip::address_v4::any(), port), receiver.GetLocalEndpoint());

    RecordingObserver observer;
    receiver.AddObserver(&observer);
    receiver.Start();
    Sender().send(port);
    EXPECT_TRUE(OrvaneTest::waitUntil([&] { return observer.count() == 1; }));
    receiver.Stop();
    receiver.RemoveObserver(&observer);
    Config::SetCurrent(saved);
}

} // namespace
