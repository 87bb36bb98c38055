// 50,000 change datagrams from a foreign loopback address (127.0.0.2) while the engine watches a
// device on 127.0.0.1: the CPU time the engine's process spends on them, and the latency of a real
// document added halfway through the flood. The datagrams come from a child process, so the sender's
// own CPU time is not counted. Then 5 s of datagrams forged with the device's own address: the feed
// reads they cause (at most one per two seconds is the goal) and a document added during them.
#include "BenchDevice.hpp"

#include "Monitor/EventSignalObserver.hpp"
#include "Monitor/EventSignalReceiver.hpp"

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <time.h>

#include <atomic>

namespace {

using namespace OrvaneBench;

constexpr int FloodSize = 50000;

// Counts what the receiver hands on, to tell how many datagrams were taken from the socket.
class SignalCounter : public Orvane::Monitor::EventSignalObserver
{
public:
    void OnSignal(const Orvane::Monitor::Signal&) override { ++count; }
    std::atomic<int> count {0};
};

// The child's whole life: only system calls, as befits a child of a threaded process. Sends
// FloodSize datagrams, or (with a duration) as many as fit in it.
[[noreturn]] void SendFlood(int port, std::uint32_t source = 0x7f000002, int seconds = 0)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in from {};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = htonl(source);
    sockaddr_in to {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(0x7f000001);
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&from), sizeof from) != 0)
        ::_exit(1);
    const timespec pause {0, 1000000};
    timespec start {};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    const auto elapsed = [&start] {
        timespec now {};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        return now.tv_sec - start.tv_sec;
    };
    for (int i = 0; seconds > 0 ? elapsed() < seconds : i < FloodSize; ++i) {
        ::sendto(fd, "x", 1, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
        // Paced so that the socket's buffer keeps up and the engine sees the datagrams.
        if (i % 50 == 49)
            ::nanosleep(&pause, nullptr);
    }
    ::_exit(0);
}

double CpuSeconds()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Waits until no signal has arrived for a while: the flood has been taken in.
void WaitForQuiet(const SignalCounter& counter)
{
    int seen = -1;
    while (seen != counter.count) {
        seen = counter.count;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

void ForeignDatagramFlood(benchmark::State& state)
{
    BenchDevice device;
    WatchingEngine engine(device);
    engine.WaitUntilSubscribed();
    SignalCounter counter;
    Orvane::Monitor::EventSignalReceiver::Instance().AddObserver(&counter);
    double cpu = 0;
    double latency = 0;
    for (auto _ : state) {
        const double before = CpuSeconds();
        const pid_t child = ::fork();
        if (child == 0)
            SendFlood(engine.Port());
        const Clock::time_point halfway = Clock::now() + std::chrono::seconds(10);
        while (counter.count < FloodSize / 2 && Clock::now() < halfway)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const Clock::time_point added = Clock::now();
        device.AddDocument("During the flood");
        latency = std::chrono::duration<double, std::milli>(engine.listener.WaitFor(1) - added).count();
        ::waitpid(child, nullptr, 0);
        WaitForQuiet(counter);
        cpu = CpuSeconds() - before;
    }
    Orvane::Monitor::EventSignalReceiver::Instance().RemoveObserver(&counter);
    state.counters["engine_cpu_s"] = cpu;
    state.counters["document_latency_ms"] = latency;
    state.counters["datagrams_taken"] = counter.count.load();
}
BENCHMARK(ForeignDatagramFlood)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void ForgedDeviceDatagramFlood(benchmark::State& state)
{
    constexpr int seconds = 5;
    BenchDevice device;
    WatchingEngine engine(device);
    engine.WaitUntilSubscribed();
    int reads = 0;
    double latency = 0;
    for (auto _ : state) {
        const int before = device.FeedReads();
        const pid_t child = ::fork();
        if (child == 0)
            SendFlood(engine.Port(), 0x7f000001, seconds);
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        const Clock::time_point added = Clock::now();
        device.AddDocument("During the forged flood");
        latency = std::chrono::duration<double, std::milli>(engine.listener.WaitFor(1) - added).count();
        ::waitpid(child, nullptr, 0);
        // The read that the last datagrams asked for comes at the end of its gap.
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        reads = device.FeedReads() - before;
    }
    state.counters["feed_reads"] = reads;
    state.counters["document_latency_ms"] = latency;
}
BENCHMARK(ForgedDeviceDatagramFlood)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
