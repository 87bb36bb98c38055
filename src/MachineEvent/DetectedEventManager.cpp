#include "MachineEvent/DetectedEventManager.hpp"

#include "Config.hpp"
#include "MachineEvent/NotifiableEventManager.hpp"
#include "MonitoredEntry/EntryManager.hpp"

#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>

#include <algorithm>
#include <exception>
#include <vector>

namespace Orvane::MachineEvent {

namespace {

using Batch = std::vector<std::shared_ptr<const DetectedEvent>>;
using PairList = std::vector<NotifiableEventManager::EventPair>;

// Logs one event through the transaction and answers its pair, or nothing when the entry is gone or
// its log refuses the event.
boost::optional<NotifiableEventManager::EventPair> appendEvent(MonitoredEntry::EntryManager::Transaction& transaction,
                                                               const DetectedEvent& event)
{
    const MonitoredEntry::Entry::ID& entryID = event.GetEntryID();
    if (!transaction.GetDB().Contains(entryID))
        return boost::none;
    try {
        const std::shared_ptr<MonitoredEntry::Entry> entry = transaction.CopyEntry(entryID);
        const std::shared_ptr<MonitoredEntry::EventLog> log = entry->GetEventLog();
        // Raises DuplicateEvent for an event already logged, also by this batch.
        const MonitoredEntry::Event::ID eventID = log->Append(event.GetEventProperty());
        entry->SetEventLog(log);
        transaction.SetEntry(entry);
        return NotifiableEventManager::EventPair(entryID, eventID);
    } catch (const std::exception&) {
        // A duplicate, a time the log cannot compare, an entry the store refuses: this event alone is
        // lost, the batch goes on.
        return boost::none;
    }
}

} // namespace

struct DetectedEventManager::Pimpl
{
    Pimpl(MonitoredEntry::EntryManager& manager, DetectedEventQueue& queue)
        : manager(manager)
        , queue(queue)
        , batchLimit(static_cast<std::size_t>(std::max(1, Config::GetCurrent().DetectedEventQueueSize)))
    { }

    bool Collect(Batch& batch);
    PairList Append(const Batch& batch);
    void Notify(const PairList& appended);

    MonitoredEntry::EntryManager& manager;
    DetectedEventQueue& queue;
    // A queue that never stays idle long must not grow the batch without end nor hold its events back.
    const std::size_t batchLimit;
    NotifiableEventManager* listener = nullptr;
    // Guards the listener and is held while it is told.
    boost::mutex listenerMutex;
};

// Waits without end for a batch's first event, so an idle engine sleeps until something is detected;
// the wait is where a stop ends the run, with nothing taken from the queue. The rest of the batch is
// gathered with interruption off: popped events are logged whatever happens to the thread meanwhile.
bool DetectedEventManager::Pimpl::Collect(Batch& batch)
{
    const boost::posix_time::milliseconds idle(BatchIdleTime.count());
    try {
        std::shared_ptr<const DetectedEvent> current;
        queue.pop(current);
        const boost::this_thread::disable_interruption uninterrupted;
        batch.push_back(current);
        while (batch.size() < batchLimit && queue.pop(current, idle))
            batch.push_back(current);
        return true;
    } catch (const kestle::sync_queue_disabled&) {
        return false;
    }
}

PairList DetectedEventManager::Pimpl::Append(const Batch& batch)
{
    PairList appended;
    MonitoredEntry::EntryManager::Transaction transaction(manager);
    for (const auto& event : batch) {
        if (const auto pair = appendEvent(transaction, *event))
            appended.push_back(*pair);
    }
    transaction.Commit();
    return appended;
}

void DetectedEventManager::Pimpl::Notify(const PairList& appended)
{
    boost::lock_guard<boost::mutex> lock(listenerMutex);
    if (!listener)
        return;
    for (const auto& pair : appended)
        listener->Notify(pair);
}

DetectedEventManager::DetectedEventManager(MonitoredEntry::EntryManager& manager, DetectedEventQueue& queue)
    : m_pimpl(std::make_shared<Pimpl>(manager, queue))
{ }

DetectedEventManager::~DetectedEventManager()
{
    try {
        stop();
    } catch (...) {
        // A destructor has nobody to tell.
    }
}

void DetectedEventManager::SetListener(NotifiableEventManager* listener)
{
    boost::lock_guard<boost::mutex> lock(m_pimpl->listenerMutex);
    m_pimpl->listener = listener;
}

void DetectedEventManager::ClearListener()
{
    SetListener(nullptr);
}

int DetectedEventManager::run()
{
    for (;;) {
        Batch batch;
        const bool queueEnabled = m_pimpl->Collect(batch);
        if (!batch.empty()) {
            const boost::this_thread::disable_interruption uninterrupted;
            m_pimpl->Notify(m_pimpl->Append(batch));
        }
        if (!queueEnabled)
            return 0;
    }
}

} // namespace Orvane::MachineEvent
