// Popups of new documents on the desktop. DocumentToPopupOnScreen: from a document added on the
// simulator to its popup shown with the thumbnail painted, through subscription, change datagram,
// feed read, the 300 ms batching window, the popup manager and the presenter; median and 95th
// percentile over 20 documents. PopupsShownAndErased: 200 popups (with thumbnails) shown and erased
// in a row with a short erase time; growth of resident memory and of open file descriptors after
// a warm-up of the given number of popups. Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise
// (xcb under Xvfb shows real mapped windows).

#include "BenchDevice.hpp"
#include "MachineEvent/PopupEventManager.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "UI/PopupEventDlg.hpp"
#include "UI/PopupWindows.hpp"
#include "UI/UiThreadPresenter.hpp"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <boost/filesystem/operations.hpp>

#include <fstream>

static void RegisterResources()
{
    Q_INIT_RESOURCE(orvane);
}

namespace {

using namespace OrvaneBench;
using namespace Orvane;
using MonitoredEntry::EntryManager;

QApplication& Application()
{
    static int argc = 1;
    static char name[] = "bench_popups";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    RegisterResources();
    return application;
}

bool WaitWithEvents(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const Clock::time_point end = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

UI::PopupEventDlg* OpenPopup()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<UI::PopupEventDlg*>(widget); popup && popup->isVisible())
            return popup;
    return nullptr;
}

// When the thumbnail of a popup was first painted.
class PaintWatcher : public QObject
{
public:
    PaintWatcher() { qApp->installEventFilter(this); }
    ~PaintWatcher() override { qApp->removeEventFilter(this); }
    std::optional<Clock::time_point> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted && watched->objectName() == QLatin1String("thumbnail")
            && !static_cast<QLabel*>(watched)->pixmap().isNull())
            painted = Clock::now();
        return false;
    }
};

// How many popups have been shown.
class ShowCounter : public QObject
{
public:
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<UI::PopupEventDlg*>(watched))
            ++shown;
        return false;
    }
};

// The configuration every run needs: a free signal port and erase times down to 10 ms.
void Configure()
{
    Orvane::Config::Current current = Orvane::Config::GetCurrent();
    current.Port = FreeUdpPort();
    current.RegularCheckIntervalMs = {1, 3600000};
    current.PopupEventEraseIntervalMs = {0, 3600000};
    Orvane::Config::SetCurrent(current);
}

MonitoredEntry::Entry::ID AddEntry(EntryManager& entries, const BenchDevice& device, int eraseTime)
{
    MonitoredEntry::EntryProperty property
        = BenchProperty(L"127.0.0.1", device.HttpPort(), L"alice", L"alice-pass", 3600000);
    MonitoredEntry::Config config = property.GetConfig();
    config.SetNotice(true);
    config.SetEraseTime(eraseTime);
    property.SetConfig(config);
    EntryManager::Transaction transaction(entries);
    const MonitoredEntry::Entry::ID id = transaction.Append(property);
    transaction.Commit();
    return id;
}

bool Subscribed(const EntryManager& entries)
{
    const EntryManager::ScopedLock lock(entries);
    return entries.GetDB().GetEntryList().front()->GetProperty().GetSubscriptionState() == 1;
}

void DocumentToPopupOnScreen(benchmark::State& state)
{
    constexpr int documents = 20;
    Application();
    Configure();
    BenchDevice device;
    EntryManager entries;
    AddEntry(entries, device, 0);
    QObject ui;
    auto presenter = std::make_shared<UI::UiThreadPresenter>(ui, std::make_shared<UI::PopupWindows>(), nullptr);
    Engine engine(entries, presenter);
    engine.Start();
    if (!WaitWithEvents([&] { return Subscribed(entries); }))
        return state.SkipWithError("the engine did not subscribe");
    std::vector<double> latencies;
    for (auto _ : state) {
        latencies.clear();
        for (int i = 0; i < documents; ++i) {
            PaintWatcher watcher;
            const Clock::time_point added = Clock::now();
            device.AddDocument("Document " + std::to_string(i));
            if (!WaitWithEvents([&] { return watcher.painted.has_value(); }))
                return state.SkipWithError("no popup");
            latencies.push_back(std::chrono::duration<double, std::milli>(*watcher.painted - added).count());
            OpenPopup()->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
            // More than the two seconds the engine keeps between reads asked for by datagrams.
            const Clock::time_point next = Clock::now() + std::chrono::milliseconds(2100);
            WaitWithEvents([&] { return Clock::now() > next; }, std::chrono::seconds(3));
        }
    }
    engine.Stop();
    state.counters["median_ms"] = Percentile(latencies, 0.5);
    state.counters["p95_ms"] = Percentile(latencies, 0.95);
    state.counters["max_ms"] = Percentile(latencies, 1.0);
}
BENCHMARK(DocumentToPopupOnScreen)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

long ResidentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long OpenDescriptors()
{
    return std::distance(boost::filesystem::directory_iterator("/proc/self/fd"),
                         boost::filesystem::directory_iterator());
}

void PopupsShownAndErased(benchmark::State& state)
{
    const int warmUp = static_cast<int>(state.range(0));
    constexpr int popups = 200;
    Application();
    Configure();
    BenchDevice device;
    EntryManager entries;
    const MonitoredEntry::Entry::ID entry = AddEntry(entries, device, 50);
    ShowCounter counter;
    QObject ui;
    UI::UiThreadPresenter presenter(ui, std::make_shared<UI::PopupWindows>(), nullptr);
    MachineEvent::PopupEventManager manager(entries, presenter, std::chrono::milliseconds(0));
    manager.start();
    auto showOne = [&](int n) -> bool {
        MonitoredEntry::Event::ID eventID;
        {
            EntryManager::Transaction transaction(entries); // holds the entry lock while it lives
            const auto copy = transaction.CopyEntry(entry);
            const auto log = copy->GetEventLog();
            eventID = log->Append(MonitoredEntry::EventProperty(
                L"Scan", L"Document " + std::to_wstring(n),
                L"http://127.0.0.1:" + std::to_wstring(device.HttpPort()) + L"/thumbnail.jpg?DC=DOC1",
                L"DOC" + std::to_wstring(n), RSS::EventTime("Mon, 01 Apr 2024 10:00:00 +0900")));
            copy->SetEventLog(log);
            transaction.SetEntry(copy);
            transaction.Commit();
        }
        const int before = counter.shown;
        manager.Notify({entry, eventID});
        return WaitWithEvents([&] { return counter.shown > before; })
            && WaitWithEvents([] { return OpenPopup() == nullptr; });
    };
    device.AddDocument("Thumbnail");
    long memoryBefore = 0, descriptorsBefore = 0;
    for (auto _ : state) {
        int n = 0;
        for (; n < warmUp; ++n)
            if (!showOne(n))
                return state.SkipWithError("a warm-up popup did not come and go");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        memoryBefore = ResidentKiB();
        descriptorsBefore = OpenDescriptors();
        for (; n < warmUp + popups; ++n)
            if (!showOne(n))
                return state.SkipWithError("a popup did not come and go");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    manager.stop();
    state.counters["rss_growth_kib"] = static_cast<double>(ResidentKiB() - memoryBefore);
    state.counters["fd_growth"] = static_cast<double>(OpenDescriptors() - descriptorsBefore);
}
// Warm-up of 20, and of 300 popups once the program's and the display's caches have settled.
BENCHMARK(PopupsShownAndErased)->Arg(20)->Arg(300)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
