#include "Engine.hpp"

#include "Config.hpp"
#include "MachineEvent/DetectedEventManager.hpp"
#include "MachineEvent/PopupEventManager.hpp"
#include "MachineEvent/PopupPresenter.hpp"
#include "Monitor/EventMonitorManager.hpp"
#include "Monitor/EventSignalReceiver.hpp"
#include "Monitor/MachineMonitorManager.hpp"
#include "Monitor/Subscriber.hpp"
#include "MonitoredEntry/EntryManager.hpp"

#include <chrono>
#include <mutex>

namespace Orvane {

namespace {

// What the unsubscriptions of one stop may take together: a device that answers slowly must not hold
// up the close sequence, which saves after the stop.
constexpr std::chrono::seconds UnsubscribeBudget(3);

// One run's parts, built at start and dropped after the stop, so every start begins afresh. Members
// are destroyed in reverse order: the queue outlives everything that uses it.
struct Run
{
    Run(MonitoredEntry::EntryManager& entries, MachineEvent::PopupPresenter* presenter)
        : queue(Config::GetCurrent().DetectedEventQueueSize)
        , detected(entries, queue)
        , eventMonitors(entries, queue)
        , machineMonitors(entries)
    {
        if (presenter)
            popups = std::make_unique<MachineEvent::PopupEventManager>(entries, *presenter);
    }

    MachineEvent::DetectedEventQueue queue;
    MachineEvent::DetectedEventManager detected;
    Monitor::EventMonitorManager eventMonitors;
    Monitor::MachineMonitorManager machineMonitors;
    std::unique_ptr<MachineEvent::PopupEventManager> popups;
    bool receiverStarted = false;
};

template <class Step>
bool Guarded(Step step)
{
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

struct Engine::Pimpl
{
    Pimpl(MonitoredEntry::EntryManager& manager, std::shared_ptr<MachineEvent::PopupPresenter> shower)
        : entries(manager)
        , presenter(std::move(shower))
    { }

    void Start();
    void StartReceiver();
    void Stop();
    void StopReceiver();
    void StopMonitors();

    MonitoredEntry::EntryManager& entries;
    const std::shared_ptr<MachineEvent::PopupPresenter> presenter;
    MachineEvent::NotifiableEventManager* listener = nullptr;
    std::unique_ptr<Run> run;
    // Serialises Start and Stop.
    mutable std::mutex mutex;
};

void Engine::Pimpl::Start()
{
    run = std::make_unique<Run>(entries, presenter.get());
    // Registering queues a notification: the first reconcile makes the monitors of monitored entries.
    entries.AddObserver(&run->machineMonitors);
    entries.AddObserver(&run->eventMonitors);
    MachineEvent::NotifiableEventManager* told = listener ? listener : run->popups.get();
    if (told)
        run->detected.SetListener(told);
    StartReceiver();
    if (run->popups)
        run->popups->start();
    run->detected.start();
}

void Engine::Pimpl::StartReceiver()
{
    // A port that cannot be bound leaves the monitors to their regular checks.
    Monitor::EventSignalObserver* observer = &run->eventMonitors;
    if (!Guarded([observer] { Monitor::EventSignalReceiver::Instance().AddObserver(observer); }))
        return;
    run->receiverStarted = Guarded([] { Monitor::EventSignalReceiver::Instance().Start(); });
}

void Engine::Pimpl::Stop()
{
    if (!run)
        return;
    if (run->popups)
        Guarded([this] { run->popups->stop(); });
    Guarded([this] { run->detected.ClearListener(); });
    StopReceiver();
    {
        const Monitor::Subscriber::UnsubscribeDeadline bounded(std::chrono::steady_clock::now() + UnsubscribeBudget);
        StopMonitors();
    }
    // Last: what the monitors queued before they ended is still logged.
    Guarded([this] { run->detected.stop(); });
    run.reset();
}

void Engine::Pimpl::StopReceiver()
{
    Monitor::EventSignalObserver* observer = &run->eventMonitors;
    if (run->receiverStarted && !Guarded([] { Monitor::EventSignalReceiver::Instance().Stop(); }))
        return;
    Guarded([observer] { Monitor::EventSignalReceiver::Instance().RemoveObserver(observer); });
}

void Engine::Pimpl::StopMonitors()
{
    // Unregistered before they are stopped: a reconcile after the stop would start new ones. Once
    // RemoveObserver has returned no reconcile runs, and the stops below wait for each subscriber to
    // unsubscribe.
    entries.RemoveObserver(&run->machineMonitors);
    run->machineMonitors.StopAll();
    entries.RemoveObserver(&run->eventMonitors);
    run->eventMonitors.StopAll();
}

Engine::Engine(MonitoredEntry::EntryManager& entries, std::shared_ptr<MachineEvent::PopupPresenter> presenter)
    : m_pimpl(std::make_shared<Pimpl>(entries, std::move(presenter)))
{ }

Engine::~Engine()
{
    Stop();
}

void Engine::SetListener(MachineEvent::NotifiableEventManager* listener)
{
    std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    m_pimpl->listener = listener;
}

void Engine::Start()
{
    std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    if (m_pimpl->run)
        return;
    try {
        m_pimpl->Start();
    } catch (...) {
        // Half-started parts are taken down again before the failure is passed on.
        m_pimpl->Stop();
        throw;
    }
}

void Engine::Stop()
{
    try {
        std::lock_guard<std::mutex> lock(m_pimpl->mutex);
        m_pimpl->Stop();
    } catch (...) {
        // Stopping must not fail: the close sequence goes on to save the entries.
    }
}

bool Engine::IsRunning() const
{
    std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    return static_cast<bool>(m_pimpl->run);
}

void Engine::OnSignal(const Monitor::Signal& signal)
{
    std::lock_guard<std::mutex> lock(m_pimpl->mutex);
    if (m_pimpl->run)
        m_pimpl->run->eventMonitors.OnSignal(signal);
}

} // namespace Orvane
