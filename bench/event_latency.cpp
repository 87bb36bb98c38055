// From a document added on the simulator to its event handed on after being appended to the log,
// through subscription, change datagram, feed read, detection and the batching window: median and
// 95th percentile over 20 documents. Each comes on its own, more than the two seconds after the
// previous read that the engine keeps between reads asked for by datagrams.
#include "BenchDevice.hpp"

#include <benchmark/benchmark.h>

namespace {

using namespace OrvaneBench;

void DocumentToLoggedEvent(benchmark::State& state)
{
    constexpr int documents = 20;
    BenchDevice device;
    WatchingEngine engine(device);
    engine.WaitUntilSubscribed();
    std::vector<double> latencies;
    for (auto _ : state) {
        latencies.clear();
        for (int i = 0; i < documents; ++i) {
            const Clock::time_point added = Clock::now();
            device.AddDocument("Document " + std::to_string(i));
            const Clock::time_point logged = engine.listener.WaitFor(latencies.size() + 1);
            latencies.push_back(std::chrono::duration<double, std::milli>(logged - added).count());
            std::this_thread::sleep_for(std::chrono::milliseconds(2100));
        }
    }
    state.counters["median_ms"] = Percentile(latencies, 0.5);
    state.counters["p95_ms"] = Percentile(latencies, 0.95);
    state.counters["max_ms"] = Percentile(latencies, 1.0);
}
BENCHMARK(DocumentToLoggedEvent)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
