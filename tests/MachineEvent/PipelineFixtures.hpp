#pragma once

#include "MonitoredEntry/EntryFixtures.hpp"

#include "Config.hpp"
#include "MachineEvent/NotifiableEventManager.hpp"
#include "MachineEvent/PopupPresenter.hpp"
#include "MonitoredEntry/EntryManager.hpp"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace OrvaneTest {

using Orvane::MonitoredEntry::Entry;
using Orvane::MonitoredEntry::EntryManager;
using EventID = Orvane::MonitoredEntry::Event::ID;

// Changes the process-wide log limit for one test.
class LogLimit
{
public:
    explicit LogLimit(std::int32_t max)
        : m_saved(Orvane::Config::GetCurrent())
    {
        Orvane::Config::Current current = m_saved;
        current.EventLogMaxLimit = max;
        Orvane::Config::SetCurrent(current);
    }
    ~LogLimit() { Orvane::Config::SetCurrent(m_saved); }

private:
    const Orvane::Config::Current m_saved;
};

inline Entry::ID addEntry(EntryManager& manager, const std::wstring& host, bool notice = true, std::int32_t logMax = 25)
{
    auto property = validProperty(host);
    auto config = property.GetConfig();
    config.SetNotice(notice);
    config.SetLogMax(logMax);
    property.SetConfig(config);
    EntryManager::Transaction transaction(manager);
    const Entry::ID id = transaction.Append(property);
    transaction.Commit();
    return id;
}

inline void removeEntry(EntryManager& manager, const Entry::ID& id)
{
    EntryManager::Transaction transaction(manager);
    transaction.Remove(id);
    transaction.Commit();
}

inline EventID logEvent(EntryManager& manager, const Entry::ID& entryID, const std::wstring& docID)
{
    EntryManager::Transaction transaction(manager);
    auto entry = transaction.CopyEntry(entryID);
    auto log = entry->GetEventLog();
    const EventID id = log->Append(eventProperty(docID));
    entry->SetEventLog(log);
    transaction.SetEntry(entry);
    transaction.Commit();
    return id;
}

inline std::vector<std::wstring> loggedDocIDs(const EntryManager& manager, const Entry::ID& entryID)
{
    const EntryManager::ScopedLock lock(manager);
    std::vector<std::wstring> docIDs;
    for (const auto& event : manager.GetDB().GetEntry(entryID).ReadEventLog().GetEventList())
        docIDs.push_back(*event.GetProperty().GetDocID());
    return docIDs;
}

inline bool isRead(const EntryManager& manager, const Entry::ID& entryID, const EventID& eventID)
{
    const EntryManager::ScopedLock lock(manager);
    return manager.GetDB().GetEntry(entryID).ReadEventLog().GetEvent(eventID).IsRead();
}

// Stands in for the headless run's listener: keeps every pair it is told of.
class RecordingListener : public Orvane::MachineEvent::NotifiableEventManager
{
public:
    void Notify(EventPair pair) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pairs.push_back(pair);
    }

    std::vector<EventPair> pairs() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_pairs;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<EventPair> m_pairs;
};

// Stands in for the popup window: records what it was asked to show and keeps each popup open until
// the test answers it (answers given beforehand are used in order), or answers all with one result.
class ScriptedPresenter : public Orvane::MachineEvent::PopupPresenter
{
public:
    struct Shown
    {
        Entry::ID entryID;
        EventID eventID;
        std::wstring host;
        std::wstring userID;
        std::wstring docID;
    };

    Result Show(const Request& request) override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_closed)
            return {};
        m_shown.push_back({request.entryID, request.eventID, request.event.GetMFP().GetHost(),
                           request.event.GetUser().GetID(), *request.event.GetEventProperty().GetDocID()});
        m_open = true;
        m_changed.wait(lock, [this] { return m_closed || m_answerAll || !m_answers.empty(); });
        m_open = false;
        // An answer given before the close is the one the user gave.
        if (!m_answers.empty()) {
            const Result result = m_answers.front();
            m_answers.pop_front();
            return result;
        }
        return m_closed || !m_answerAll ? Result {} : *m_answerAll;
    }

    void Close() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        ++m_closeCalls;
        m_changed.notify_all();
    }

    void Reopen() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = false;
    }

    void answer(const Result& result)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answers.push_back(result);
        m_changed.notify_all();
    }

    void answerAll(const Result& result)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answerAll = result;
        m_changed.notify_all();
    }

    std::vector<Shown> shown() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_shown;
    }

    std::vector<std::wstring> shownDocIDs() const
    {
        std::vector<std::wstring> docIDs;
        for (const auto& shown : shown())
            docIDs.push_back(shown.docID);
        return docIDs;
    }

    // The n-th popup (counting from 1) is open.
    bool isShowing(std::size_t n) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_open && m_shown.size() == n;
    }

    bool isOpen() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_open;
    }

    int closeCalls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_closeCalls;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Shown> m_shown;
    std::deque<Result> m_answers;
    boost::optional<Result> m_answerAll;
    bool m_open = false;
    bool m_closed = false;
    int m_closeCalls = 0;
};

} // namespace OrvaneTest
