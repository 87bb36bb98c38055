// The event log viewer with 20 entries of 1,000 events each (ENTRY_MAX and EVENT_LOG_MAX_LIMIT raised
// in config.dat): opening it, sorting by a header click, and a notification that leaves the keys as
// they were. Runs on Qt's offscreen platform.

#include "BenchEntries.hpp"
#include "Config.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "UI/EventLogDlg.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "UI/VirtualList/EventListCtrl.hpp"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <boost/filesystem/operations.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

using namespace Orvane;
using MonitoredEntry::EntryManager;

constexpr int Entries = 20;
constexpr int EventsPerEntry = 1000;

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "bench_viewer";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

// A configuration file in a folder of its own, with the two limits raised, loaded and published.
void RaiseLimits()
{
    const auto home = boost::filesystem::temp_directory_path() / boost::filesystem::unique_path("orvane-viewer-%%%%%%");
    boost::filesystem::create_directories(home);
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    Config config = Config::Instance();
    config.Load(); // writes the defaults
    std::ifstream in(config.GetPath());
    std::ostringstream text;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("ENTRY_MAX ", 0) == 0)
            line = "ENTRY_MAX = " + std::to_string(Entries);
        else if (line.rfind("EVENT_LOG_MAX_LIMIT ", 0) == 0)
            line = "EVENT_LOG_MAX_LIMIT = " + std::to_string(EventsPerEntry);
        text << line << '\n';
    }
    in.close();
    std::ofstream(config.GetPath()) << text.str();
    config.Load();
    config.Publish();
}

std::wstring Two(int value)
{
    return (value < 10 ? L"0" : L"") + std::to_wstring(value);
}

// One event a minute from 1 March, half of them read.
MonitoredEntry::Event MakeEvent(int index)
{
    static const wchar_t* const categories[] = {L"スキャン", L"ファクス受信", L"プリント"};
    const int day = 1 + index / 1440, hour = index / 60 % 24, minute = index % 60;
    const std::wstring time = L"Mon, " + Two(day) + L" Mar 2024 " + Two(hour) + L":" + Two(minute) + L":00 +0900";
    const std::wstring n = std::to_wstring(index);
    MonitoredEntry::Event event(MonitoredEntry::Event::ID(index),
                                MonitoredEntry::EventProperty(categories[index % 3], L"document-" + n + L".pdf",
                                                              L"/thumbnail?id=" + n, L"doc" + n,
                                                              RSS::EventTime(std::string(time.begin(), time.end()))));
    event.SetRead(index % 2 == 0);
    return event;
}

std::unique_ptr<EntryManager> MakeEntries()
{
    auto manager = std::make_unique<EntryManager>();
    for (int i = 0; i < Entries; ++i) {
        auto property = OrvaneBench::BenchProperty(L"192.168.1." + std::to_wstring(10 + i), 80,
                                                   L"user" + std::to_wstring(i), L"secret", 300000);
        auto config = property.GetConfig();
        config.SetLogMax(EventsPerEntry);
        property.SetConfig(config);
        EntryManager::Transaction transaction(*manager);
        const auto id = transaction.Append(property);
        const auto entry = transaction.CopyEntry(id);
        MonitoredEntry::EventLog::EventList events;
        for (int e = 0; e < EventsPerEntry; ++e)
            events.push_back(MakeEvent(e));
        entry->SetEventLog(std::make_shared<MonitoredEntry::EventLog>(
            EventsPerEntry, MonitoredEntry::Event::ID(EventsPerEntry), events));
        transaction.SetEntry(entry);
        transaction.Commit();
    }
    return manager;
}

EntryManager& SharedEntries()
{
    static const std::unique_ptr<EntryManager> entries = [] {
        RaiseLimits();
        return MakeEntries();
    }();
    return *entries;
}

// Shown and painted once.
void ShowAndPaint(UI::EventLogDlg& dialog)
{
    dialog.show();
    QApplication::processEvents();
    dialog.repaint();
}

void Select(UI::EventLogDlg& dialog, int row)
{
    auto& list = dialog.GetEntryList();
    list.AdjustSelectedItem(list.GetDisplayedKeys().at(row), list.GetDisplayedKeys());
}

void BM_OpenViewer(benchmark::State& state)
{
    Application();
    EntryManager& entries = SharedEntries();
    const bool selectEntry = state.range(0) != 0;
    for (auto _ : state) {
        auto dialog = std::make_unique<UI::EventLogDlg>(entries);
        if (selectEntry)
            Select(*dialog, 0);
        ShowAndPaint(*dialog);
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(selectEntry ? "construct, select an entry of 1000 events, show, paint" : "construct, show, paint");
}
// The first opening in the process also loads the fonts, the style and the pictures.
BENCHMARK(BM_OpenViewer)->Name("BM_OpenViewerFirstInProcess")->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenViewer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SortByHeaderClick(benchmark::State& state)
{
    Application();
    UI::EventLogDlg dialog(SharedEntries());
    Select(dialog, 0);
    ShowAndPaint(dialog);
    auto& events = dialog.GetEventList();
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        events.OnColumnClick(column);
        events.GetView()->viewport()->repaint();
    }
    state.SetLabel(column == 2 ? "TimeColumn, 1000 events" : "EventNameColumn, 1000 events");
}
BENCHMARK(BM_SortByHeaderClick)->Arg(2)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UnchangedNotification(benchmark::State& state)
{
    Application();
    UI::EventLogDlg dialog(SharedEntries());
    Select(dialog, 0);
    ShowAndPaint(dialog);
    dialog.GetEventList().OnColumnClick(2); // newest first, unlike the log
    int sorts = 0;
    for (auto* list : {static_cast<QAbstractItemModel*>(&dialog.GetEntryList()),
                       static_cast<QAbstractItemModel*>(&dialog.GetEventList())})
        QObject::connect(list, &QAbstractItemModel::modelReset, [&sorts] { ++sorts; });
    for (auto _ : state) {
        dialog.Reload();
        dialog.repaint();
    }
    state.counters["sorts"] = sorts;
    state.SetLabel("reload of both lists and a repaint");
}
BENCHMARK(BM_UnchangedNotification)->Unit(benchmark::kMillisecond);

} // namespace
