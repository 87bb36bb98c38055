// Save and Load of a full store: 3 entries, each with 50 events and a latest feed of 100 items. With
// ORVANE_BENCH_STORE_FILE set, the store's bytes are copied there, for a peer to read the same.

#include "BenchEntries.hpp"
#include "Config.hpp"
#include "MonitoredEntry/Serialization/StoreArchive.hpp"
#include "Serializer.hpp"

#include <benchmark/benchmark.h>

#include <boost/filesystem/operations.hpp>
#include <boost/locale/encoding_utf.hpp>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using namespace Orvane::MonitoredEntry;

std::shared_ptr<Entry> FullEntry(int id)
{
    EntryProperty property
        = OrvaneBench::BenchProperty(L"192.168.0." + std::to_wstring(10 + id), 80, L"yamada", L"secret", 300000);
    MFP mfp = property.GetMFP();
    mfp.SetName(L"複合機 " + std::to_wstring(id));
    mfp.SetHTTPS(443);
    property.SetMFP(mfp);
    User user = property.GetUser();
    user.SetName(std::wstring(L"山田 太郎"));
    property.SetUser(user);
    auto entry = std::make_shared<Entry>(Entry::ID(id), property);
    auto log = entry->GetEventLog();
    for (int event = 0; event < 50; ++event) {
        const std::wstring n = std::to_wstring(event);
        const std::string time = "Mon, 02 Jun 2025 10:" + std::to_string(10 + event) + ":00 +0900";
        log->Append(EventProperty(L"スキャン", L"scan_" + n + L".pdf", L"/thumbnail?id=" + n, L"doc" + n,
                                  Orvane::RSS::EventTime(time)));
    }
    entry->SetEventLog(log);
    Orvane::RSS::RSSFeed::ItemList items;
    for (int item = 0; item < 100; ++item) {
        const std::string n = std::to_string(item);
        items.emplace_back(u8"スキャン " + n, "http://192.168.0.10/orvane.htm?doc=" + n, "scan", "guid" + n,
                           "Mon, 02 Jun 2025 10:15:00 +0900");
    }
    entry->SetLatestRSSFeed(
        Orvane::RSS::RSSFeed(u8"yamada の文書", "http://192.168.0.10/rss", "Mon, 02 Jun 2025 10:15:00 +0900", items));
    return entry;
}

// A folder holding the full store as data.dat.
std::string FullStoreFolder()
{
    const std::string folder
        = (boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("orvane-bench-%%%%%%")).string()
        + "/";
    boost::filesystem::create_directories(folder);
    const EntryManager manager {EntryDB(Entry::ID(3), {FullEntry(0), FullEntry(1), FullEntry(2)})};
    const std::string bytes = boost::locale::conv::utf_to_utf<char>(Serialization::WriteStore(manager));
    std::ofstream(folder + "data.dat", std::ios::binary) << bytes;
    if (const char* file = std::getenv("ORVANE_BENCH_STORE_FILE"))
        std::ofstream(file, std::ios::binary) << bytes;
    return folder;
}

void BM_Save(benchmark::State& state)
{
    const std::string folder = FullStoreFolder();
    Orvane::Serializer serializer(folder);
    Orvane::Load(serializer);
    for (auto _ : state)
        Orvane::Save(serializer);
    state.counters["bytes"] = static_cast<double>(boost::filesystem::file_size(folder + "data.dat"));
    boost::filesystem::remove_all(folder);
}

void BM_Load(benchmark::State& state)
{
    const std::string folder = FullStoreFolder();
    Orvane::Serializer serializer(folder);
    for (auto _ : state)
        Orvane::Load(serializer);
    boost::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
