#include "MonitoredEntry/EntryFixtures.hpp"
#include "support/TestSupport.hpp"

#include "Config.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "MonitoredEntry/Exceptions.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace Orvane::MonitoredEntry;
using OrvaneTest::validProperty;
using OrvaneTest::waitUntil;

namespace {

// Sets the process-wide entry limit for one test.
class EntryLimit
{
public:
    explicit EntryLimit(std::int32_t max)
        : m_saved(Orvane::Config::GetCurrent())
    {
        Orvane::Config::Current current = m_saved;
        current.EntryMax = max;
        Orvane::Config::SetCurrent(current);
    }
    ~EntryLimit() { Orvane::Config::SetCurrent(m_saved); }

private:
    Orvane::Config::Current m_saved;
};

// Remembers the next entry identifier of the last database it was told about.
class RecordingObserver : public Observer
{
public:
    void Update(const EntryManager& manager) override
    {
        const EntryManager::ScopedLock lock(manager);
        lastNextID = manager.GetDB().GetNextID().GetValue();
        ++calls;
    }

    std::atomic<int> calls {0};
    std::atomic<std::int32_t> lastNextID {-1};
};

Entry::ID appendCommitted(EntryManager& manager, const std::wstring& host, bool monitoring = true)
{
    EntryManager::Transaction transaction(manager);
    const Entry::ID id = transaction.Append(validProperty(host, monitoring));
    transaction.Commit();
    return id;
}

} // namespace

TEST(EntryManagerTest, AppendChecksTheLimitBeforeDuplicates)
{
    const EntryLimit limit(2);
    EntryManager manager;
    appendCommitted(manager, L"10.0.0.1", false);
    EntryManager::Transaction transaction(manager);
    EXPECT_THROW(transaction.Append(validProperty(L"10.0.0.1")), DuplicateEntry); // even when not monitored
    transaction.Append(validProperty(L"10.0.0.2"));
    EXPECT_THROW(transaction.Append(validProperty(L"10.0.0.1")), OverLimitEntryCount);
    EXPECT_THROW(transaction.Append(validProperty(L"10.0.0.3")), OverLimitEntryCount);
}

TEST(EntryManagerTest, SetEntryRefusesASecondMonitoredEntryForAHost)
{
    EntryManager manager;
    appendCommitted(manager, L"10.0.0.1");
    const Entry::ID second = appendCommitted(manager, L"10.0.0.2");
    EntryManager::Transaction transaction(manager);
    auto copy = transaction.CopyEntry(second);
    EntryProperty property = copy->GetProperty();
    MFP mfp = property.GetMFP();
    mfp.SetHost(L"10.0.0.1");
    property.SetMFP(mfp);
    copy->SetProperty(property);
    EXPECT_THROW(transaction.SetEntry(copy), DuplicateEntry);
    property.SetMonitoring(false);
    copy->SetProperty(property);
    transaction.SetEntry(copy);
    EXPECT_EQ(L"10.0.0.1", transaction.GetDB().GetEntry(second).GetProperty().GetMFP().GetHost());
    EXPECT_THROW(transaction.CopyEntry(Entry::ID(99)), MissingEntry);
}

TEST(EntryManagerTest, UncommittedTransactionsPutTheDatabaseBack)
{
    EntryManager manager;
    const Entry::ID kept = appendCommitted(manager, L"10.0.0.1");
    const Entry::ID nextID = manager.GetDB().GetNextID();
    {
        EntryManager::Transaction transaction(manager);
        transaction.Append(validProperty(L"10.0.0.2"));
        transaction.Remove(kept);
    }
    try {
        EntryManager::Transaction transaction(manager);
        transaction.Append(validProperty(L"10.0.0.3"));
        throw std::runtime_error("abandoned");
    } catch (const std::runtime_error&) { }
    EXPECT_EQ(1u, manager.GetDB().Size());
    EXPECT_TRUE(manager.GetDB().Contains(kept));
    EXPECT_EQ(nextID, manager.GetDB().GetNextID());
}

TEST(EntryManagerTest, CopiesOfATransactionEndTogether)
{
    EntryManager manager;
    auto copy = std::make_unique<EntryManager::Transaction>(manager);
    {
        EntryManager::Transaction transaction(manager);
        *copy = transaction;
        transaction.Append(validProperty(L"10.0.0.1"));
    }
    std::atomic<bool> locked {true};
    std::thread reader([&] {
        const EntryManager::ScopedLock lock(manager);
        locked = false;
    });
    copy->Commit();
    EXPECT_TRUE(locked); // the copy still holds the lock
    copy.reset();
    reader.join();
    EXPECT_EQ(1u, manager.GetDB().Size());
}

TEST(EntryManagerTest, ObserverRegistrationAnswersAndFirstNotification)
{
    EntryManager manager;
    RecordingObserver observer;
    EXPECT_TRUE(manager.AddObserver(&observer));
    EXPECT_FALSE(manager.AddObserver(&observer));
    EXPECT_TRUE(waitUntil([&] { return observer.calls > 0; }));
    EXPECT_TRUE(manager.RemoveObserver(&observer));
    EXPECT_FALSE(manager.RemoveObserver(&observer));
    const int calls = observer.calls;
    appendCommitted(manager, L"10.0.0.1");
    RecordingObserver witness; // registered after the commit, so told after it
    manager.AddObserver(&witness);
    EXPECT_TRUE(waitUntil([&] { return witness.calls > 0; }));
    EXPECT_EQ(calls, observer.calls);
    manager.RemoveObserver(&witness);
}

TEST(EntryManagerTest, ARolledBackTransactionTellsNobody)
{
    EntryManager manager;
    RecordingObserver observer;
    manager.AddObserver(&observer);
    ASSERT_TRUE(waitUntil([&] { return observer.calls == 1; }));
    {
        EntryManager::Transaction transaction(manager);
        transaction.Append(validProperty(L"10.0.0.1"));
    }
    appendCommitted(manager, L"10.0.0.2");
    ASSERT_TRUE(waitUntil([&] { return observer.lastNextID == 1; }));
    EXPECT_EQ(2, observer.calls);
    manager.RemoveObserver(&observer);
}

// Writers, readers and observers coming and going at once: every observer still registered hears of
// the last commit, and nothing races (this test also runs under ThreadSanitizer).
TEST(EntryManagerTest, ConcurrentTransactionsReadersAndObservers)
{
    const EntryLimit limit(1000);
    EntryManager manager;
    std::vector<std::unique_ptr<RecordingObserver>> staying(3);
    for (auto& observer : staying) {
        observer = std::make_unique<RecordingObserver>();
        manager.AddObserver(observer.get());
    }
    std::atomic<bool> writing {true};
    std::vector<std::thread> threads;
    for (int writer = 0; writer < 4; ++writer) {
        threads.emplace_back([&manager, writer] {
            for (int round = 0; round < 100; ++round) {
                EntryManager::Transaction transaction(manager);
                const std::wstring host = L"10.0." + std::to_wstring(writer) + L"." + std::to_wstring(round);
                const Entry::ID id = transaction.Append(validProperty(host));
                if (round % 3 == 0)
                    continue; // rolled back
                if (round % 2 == 0)
                    transaction.Remove(id);
                transaction.Commit();
            }
        });
    }
    threads.emplace_back([&] {
        while (writing) {
            const EntryManager::ScopedLock lock(manager);
            for (const auto& entry : manager.GetDB().GetEntryList())
                EXPECT_FALSE(entry->GetProperty().GetMFP().GetHost().empty());
        }
    });
    threads.emplace_back([&] {
        while (writing) {
            auto passing = std::make_unique<RecordingObserver>();
            manager.AddObserver(passing.get());
            manager.RemoveObserver(passing.get()); // it may go at once
        }
    });
    for (int writer = 0; writer < 4; ++writer)
        threads[static_cast<std::size_t>(writer)].join();
    writing = false;
    for (std::size_t other = 4; other < threads.size(); ++other)
        threads[other].join();

    appendCommitted(manager, L"10.9.9.9");
    std::int32_t last;
    {
        const EntryManager::ScopedLock lock(manager);
        last = manager.GetDB().GetNextID().GetValue();
    }
    for (auto& observer : staying) {
        EXPECT_TRUE(waitUntil([&] { return observer->lastNextID == last; }));
        manager.RemoveObserver(observer.get());
    }
}
