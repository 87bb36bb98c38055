#include "MonitoredEntry/EntryDB.hpp"
#include "MonitoredEntry/Conditions/Duplicate.hpp"
#include "MonitoredEntry/Exceptions.hpp"

#include "MonitoredEntry/EntryFixtures.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace Orvane::MonitoredEntry;
using OrvaneTest::validProperty;

std::vector<std::int32_t> ids(const SearchResult& result)
{
    std::vector<std::int32_t> out;
    for (const Entry& entry : result)
        out.push_back(entry.GetID().GetValue());
    return out;
}

std::vector<std::int32_t> ids(const EntryDB& db)
{
    return ids(*db.Search([](const Entry&) { return true; }));
}

std::wstring host(int i)
{
    return L"mfp" + std::to_wstring(i) + L".example";
}

TEST(EntryDBTest, EmptyStore)
{
    EntryDB db;
    EXPECT_THROW(db.GetEntry(Entry::ID(0)), MissingEntry);
    EXPECT_THROW(db.CopyEntry(Entry::ID(0)), MissingEntry);
    EXPECT_FALSE(db.Remove(Entry::ID(0)));
    EXPECT_FALSE(db.Contains(Entry::ID(0)));
    EXPECT_TRUE(db.Search([](const Entry&) { return true; })->empty());
    EXPECT_EQ(0u, db.CountUnread());
    EXPECT_EQ(0u, db.Size());
}

TEST(EntryDBTest, IdentifiersAreNotReused)
{
    EntryDB db;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Entry::ID(i), db.Append(validProperty(host(i))));
    EXPECT_TRUE(db.Remove(Entry::ID(1)));
    EXPECT_EQ(Entry::ID(3), db.Append(validProperty(host(3))));
    EXPECT_EQ((std::vector<std::int32_t> {0, 2, 3}), ids(db));
    EXPECT_EQ(host(2), db.GetEntry(Entry::ID(2)).GetProperty().GetMFP().GetHost());
}

TEST(EntryDBTest, AfterTheCounterWrapsNewEntriesComeFirstAndSkipUsedIdentifiers)
{
    const std::int32_t largest = std::numeric_limits<std::int32_t>::max();
    const EntryDB::EntryList stored {std::make_shared<Entry>(Entry::ID(1), validProperty(host(1))),
                                     std::make_shared<Entry>(Entry::ID(5), validProperty(host(5)))};
    EntryDB db(Entry::ID(largest), stored);
    EXPECT_EQ(Entry::ID(largest), db.Append(validProperty(host(6))));
    EXPECT_EQ(Entry::ID(0), db.Append(validProperty(host(7))));
    EXPECT_EQ(Entry::ID(2), db.Append(validProperty(host(8)))); // 1 is still stored
    EXPECT_EQ((std::vector<std::int32_t> {0, 1, 2, 5, largest}), ids(db));
}

TEST(EntryDBTest, InvalidAppendChangesNothing)
{
    EntryDB db;
    db.Append(validProperty(host(0)));
    EntryProperty property = validProperty(host(1));
    MFP mfp = property.GetMFP();
    mfp.SetSSL(true); // without an HTTPS port
    property.SetMFP(mfp);
    EXPECT_THROW(db.Append(property), InvalidEntry);
    EXPECT_EQ(1u, db.Size());
    EXPECT_EQ(Entry::ID(1), db.GetNextID());
}

TEST(EntryDBTest, SetEntryReplacesOnlyValidKnownEntries)
{
    EntryDB db;
    const Entry::ID id = db.Append(validProperty(host(0)));
    const std::shared_ptr<const Entry> before = db.GetEntryList().front();

    auto copy = db.CopyEntry(id);
    auto log = copy->GetEventLog();
    log->Append(OrvaneTest::eventProperty(L"doc1"));
    copy->SetEventLog(log);
    EXPECT_EQ(0u, db.CountUnread()); // the copy is not stored yet
    db.SetEntry(copy);
    EXPECT_EQ(1u, db.CountUnread());
    EXPECT_TRUE(before->ReadEventLog().GetEventList().empty()); // what a reader held stays as it was

    auto overfull = db.CopyEntry(id);
    auto fullLog = overfull->GetEventLog();
    fullLog->Append(OrvaneTest::eventProperty(L"doc2"));
    fullLog->SetMax(1);
    overfull->SetEventLog(fullLog);
    EXPECT_THROW(db.SetEntry(overfull), InvalidEntry);

    // Invalid is reported before missing.
    auto strangerInvalid = std::make_shared<Entry>(Entry::ID(42), EntryProperty());
    EXPECT_THROW(db.SetEntry(strangerInvalid), InvalidEntry);
    EXPECT_THROW(db.SetEntry(std::make_shared<Entry>(Entry::ID(42), validProperty())), MissingEntry);
    EXPECT_THROW(db.SetEntry(nullptr), InvalidEntry);
    EXPECT_EQ(1u, db.CountUnread());
}

TEST(EntryDBTest, SearchFindsDuplicatesAndMonitoredEntries)
{
    EntryDB db;
    db.Append(validProperty(host(0), true));
    db.Append(validProperty(host(1), false));
    db.Append(validProperty(host(0), false));
    EXPECT_EQ((std::vector<std::int32_t> {0, 2}),
              ids(*db.Search(Conditions::Duplicate<EntryProperty>(validProperty(host(0))))));
    auto turnedOn = db.CopyEntry(Entry::ID(2));
    EntryProperty property = turnedOn->GetProperty();
    property.SetMonitoring(true);
    turnedOn->SetProperty(property);
    EXPECT_EQ((std::vector<std::int32_t> {0}), ids(*db.Search(Conditions::Duplicate<Entry>(*turnedOn))));
    EXPECT_EQ((std::vector<std::int32_t> {0}), ids(*db.Search([](const Entry& e) { return e.IsMonitoring(); })));
}

TEST(EntryDBTest, SearchResultOutlivesLaterChanges)
{
    EntryDB db;
    db.Append(validProperty(host(0)));
    db.Append(validProperty(host(1)));
    const auto result = db.Search([](const Entry&) { return true; });
    db.Remove(Entry::ID(0));
    db.Append(validProperty(host(2)));
    EXPECT_EQ((std::vector<std::int32_t> {0, 1}), ids(*result));
}

TEST(EntryDBTest, RestoredStoreIsSortedAndHasDistinctIdentifiers)
{
    auto entry = [](int id) { return std::make_shared<Entry>(Entry::ID(id), validProperty(host(id))); };
    const EntryDB db(Entry::ID(9), {entry(4), entry(1), entry(7)});
    EXPECT_EQ((std::vector<std::int32_t> {1, 4, 7}), ids(db));
    EXPECT_TRUE(db.Contains(Entry::ID(4)));
    EXPECT_THROW(EntryDB(Entry::ID(9), {entry(1), entry(1)}), InvalidEntry);
    EXPECT_THROW(EntryDB(Entry::ID(9), {entry(1), nullptr}), InvalidEntry);
}

TEST(EntryDBTest, CopiesAreSnapshots)
{
    EntryDB db;
    db.Append(validProperty(host(0)));
    EntryDB snapshot = db;
    snapshot.Append(validProperty(host(1)));
    snapshot.Remove(Entry::ID(0));
    EXPECT_EQ((std::vector<std::int32_t> {0}), ids(db));
    EXPECT_EQ(Entry::ID(1), db.GetNextID());
}

} // namespace
