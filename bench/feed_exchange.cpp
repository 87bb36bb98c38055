// One full feed read from the device simulator on loopback: connect, GET with credentials, receive,
// parse and analyse a feed of 20 documents.
#include "BenchDevice.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"
#include "QX/Quexhall.hpp"

#include <benchmark/benchmark.h>

namespace {

nlohmann::json TwentyDocuments()
{
    nlohmann::json documents = nlohmann::json::array();
    for (int i = 0; i < 20; ++i)
        documents.push_back({{"title", "Scan " + std::to_string(i)}, {"category", "Scan"}});
    return documents;
}

void GetRSSFeedFromSimulator(benchmark::State& state)
{
    const OrvaneBench::BenchDevice simulator(TwentyDocuments());
    Orvane::MonitoredEntry::MFP mfp;
    mfp.SetHost(L"127.0.0.1");
    mfp.SetHTTP(simulator.HttpPort());
    Orvane::MonitoredEntry::User user;
    user.SetID(L"alice");
    user.SetPassword(Orvane::MonitoredEntry::Password(L"alice-pass"));
    const Orvane::HTTP::Timeout timeout {5000, 0, 10000, 10000};
    for (auto _ : state) {
        Orvane::QX::Quexhall quexhall(mfp);
        benchmark::DoNotOptimize(quexhall.GetRSSFeed(user, L"/rss/alice.xml", timeout)->GetItemList().size());
    }
}
BENCHMARK(GetRSSFeedFromSimulator)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
