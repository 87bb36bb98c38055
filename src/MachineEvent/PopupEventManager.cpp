#include "MachineEvent/PopupEventManager.hpp"

#include "Config.hpp"
#include "MachineEvent/PopupPresenter.hpp"
#include "MonitoredEntry/EntryManager.hpp"

#include <boost/chrono/duration.hpp>
#include <boost/chrono/system_clocks.hpp>
#include <boost/optional/optional.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>

#include <algorithm>
#include <deque>

namespace Orvane::MachineEvent {

namespace {

using EventPair = NotifiableEventManager::EventPair;

// The popup for the pair, or nothing when the entry is gone, has Notice off or no longer logs the event.
boost::optional<Event> makeEvent(const MonitoredEntry::EntryManager& manager, const EventPair& pair)
{
    const MonitoredEntry::EntryManager::ScopedLock lock(manager);
    const MonitoredEntry::EntryDB& db = manager.GetDB();
    if (!db.Contains(pair.first))
        return boost::none;
    const MonitoredEntry::Entry& entry = db.GetEntry(pair.first);
    const MonitoredEntry::EntryProperty& property = entry.GetProperty();
    const MonitoredEntry::EventLog& log = entry.ReadEventLog();
    if (!property.GetConfig().IsNotice() || !log.Contains(pair.second))
        return boost::none;
    return Event(property.GetMFP(), property.GetUser(), log.GetEvent(pair.second).GetProperty());
}

void markRead(MonitoredEntry::EntryManager& manager, const EventPair& pair)
{
    MonitoredEntry::EntryManager::Transaction transaction(manager);
    if (!transaction.GetDB().Contains(pair.first))
        return;
    const std::shared_ptr<MonitoredEntry::Entry> entry = transaction.CopyEntry(pair.first);
    const std::shared_ptr<MonitoredEntry::EventLog> log = entry->GetEventLog();
    if (!log->Contains(pair.second))
        return;
    MonitoredEntry::Event event = log->GetEvent(pair.second);
    event.SetRead(true);
    log->SetEvent(event);
    entry->SetEventLog(log);
    transaction.SetEntry(entry);
    transaction.Commit();
}

} // namespace

struct PopupEventManager::Pimpl
{
    Pimpl(MonitoredEntry::EntryManager& manager, PopupPresenter& presenter, std::chrono::milliseconds popupInterval)
        : manager(manager)
        , presenter(presenter)
        , popupInterval(popupInterval)
        , pendingLimit(static_cast<std::size_t>(std::max(1, Config::GetCurrent().DetectedEventQueueSize)))
    { }

    boost::optional<EventPair> NextPair();
    void Present(const EventPair& pair, const Event& event);
    bool Pause();

    MonitoredEntry::EntryManager& manager;
    PopupPresenter& presenter;
    const std::chrono::milliseconds popupInterval;
    const std::size_t pendingLimit;
    // The manager's own stop flag, set under the lock so a waiting run cannot miss it.
    bool stopping = true;
    std::deque<EventPair> pending; // oldest first
    boost::condition_variable wake;
    // Guards stopping and pending; never held while a popup is shown.
    boost::mutex mutex;
};

boost::optional<EventPair> PopupEventManager::Pimpl::NextPair()
{
    boost::unique_lock<boost::mutex> lock(mutex);
    wake.wait(lock, [this] { return stopping || !pending.empty(); });
    if (stopping)
        return boost::none;
    const EventPair pair = pending.front();
    pending.pop_front();
    return pair;
}

void PopupEventManager::Pimpl::Present(const EventPair& pair, const Event& event)
{
    const PopupPresenter::Result result = presenter.Show({manager, pair.first, pair.second, event});
    if (result.code == PopupPresenter::ResultRead) {
        markRead(manager, pair);
    } else if (result.viewerRequested) {
        boost::lock_guard<boost::mutex> lock(mutex);
        pending.clear();
    }
}

bool PopupEventManager::Pimpl::Pause()
{
    const auto deadline = boost::chrono::steady_clock::now() + boost::chrono::milliseconds(popupInterval.count());
    boost::unique_lock<boost::mutex> lock(mutex);
    return !wake.wait_until(lock, deadline, [this] { return stopping; });
}

PopupEventManager::PopupEventManager(MonitoredEntry::EntryManager& manager, PopupPresenter& presenter,
                                     std::chrono::milliseconds popupInterval)
    : m_pimpl(std::make_shared<Pimpl>(manager, presenter, popupInterval))
{ }

PopupEventManager::~PopupEventManager()
{
    try {
        stop();
    } catch (...) {
        // A destructor has nobody to tell.
    }
}

std::size_t PopupEventManager::CountPending() const
{
    boost::lock_guard<boost::mutex> lock(m_pimpl->mutex);
    return m_pimpl->pending.size();
}

void PopupEventManager::Notify(EventPair pair)
{
    Pimpl& p = *m_pimpl;
    {
        boost::lock_guard<boost::mutex> lock(p.mutex);
        if (p.stopping)
            return;
        p.pending.push_back(pair);
        if (p.pending.size() > p.pendingLimit)
            p.pending.pop_front();
    }
    p.wake.notify_all();
}

void PopupEventManager::on_start()
{
    {
        boost::lock_guard<boost::mutex> lock(m_pimpl->mutex);
        m_pimpl->stopping = false;
    }
    m_pimpl->presenter.Reopen();
}

void PopupEventManager::on_stop_request()
{
    {
        boost::lock_guard<boost::mutex> lock(m_pimpl->mutex);
        m_pimpl->stopping = true;
    }
    m_pimpl->wake.notify_all();
    m_pimpl->presenter.Close();
}

int PopupEventManager::run()
{
    while (const auto pair = m_pimpl->NextPair()) {
        if (const auto event = makeEvent(m_pimpl->manager, *pair)) {
            m_pimpl->Present(*pair, *event);
            if (!m_pimpl->Pause())
                break;
        }
    }
    return 0;
}

} // namespace Orvane::MachineEvent
