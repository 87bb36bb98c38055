#include "MonitoredEntry/Conditions/Duplicate.hpp"
#include "MonitoredEntry/Distinction.hpp"
#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/PasswordCodec.hpp"

#include "MonitoredEntry/EntryFixtures.hpp"

#include <Config.hpp>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace Orvane::MonitoredEntry;
using OrvaneTest::validProperty;

MFP device(const std::wstring& host, boost::optional<std::int32_t> http, boost::optional<std::int32_t> https, bool ssl)
{
    MFP mfp;
    mfp.SetHost(host);
    mfp.SetHTTP(http);
    mfp.SetHTTPS(https);
    mfp.SetSSL(ssl);
    return mfp;
}

TEST(MFP, Validity)
{
    const struct
    {
        MFP mfp;
        bool valid;
    } cases[] = {
        {device(L"192.168.0.10", 80, boost::none, false), true},
        {device(L"192.168.0.10", 80, boost::none, true), false}, // SSL needs the HTTPS port
        {device(L"192.168.0.10", boost::none, 443, true), true},
        {device(L"192.168.0.10", boost::none, 443, false), false},
        {device(L"mfp-3f_east.example.co.jp", 0, 65535, false), true},
        {device(L"mfp", 65536, boost::none, false), false},
        {device(L"mfp", -1, boost::none, false), false},
        {device(L"mfp", 80, 65536, false), false}, // an unused port must still be a port
        {device(L"", 80, boost::none, false), false},
        {device(L"10.0.0.256", 80, boost::none, false), false},
        {device(L"10.0.0", 80, boost::none, false), false},
        {device(L"mfp..example", 80, boost::none, false), false},
        {device(L"-mfp", 80, boost::none, false), false},
        {device(L"mfp/cgi", 80, boost::none, false), false},
        {device(L"複合機", 80, boost::none, false), false},
        {device(std::wstring(256, L'a'), 80, boost::none, false), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, c.mfp.IsValid()) << c.mfp.GetHost().size();
}

TEST(MFP, NameAndEquality)
{
    MFP mfp = device(L"mfp", 80, boost::none, false);
    const MFP unnamed = mfp;
    mfp.SetName(std::wstring());
    EXPECT_FALSE(mfp.IsValid());
    EXPECT_NE(unnamed, mfp); // present-but-empty is not absent
    mfp.SetName(std::wstring(L"Printer"));
    EXPECT_TRUE(mfp.IsValid());

    EXPECT_EQ(unnamed, device(L"mfp", 80, boost::none, false));
    EXPECT_NE(unnamed, device(L"MFP", 80, boost::none, false));
    EXPECT_NE(unnamed, device(L"mfp", 8080, boost::none, false));
    EXPECT_NE(unnamed, device(L"mfp", 80, 443, false));
}

TEST(Password, Validity)
{
    EXPECT_TRUE(Password().IsValid());
    EXPECT_TRUE(Password(L"").IsValid());
    EXPECT_TRUE(Password(std::wstring(28, L'x')).IsValid());
    EXPECT_FALSE(Password(std::wstring(29, L'x')).IsValid());
    EXPECT_FALSE(Password(L"pass\u0080").IsValid());
    EXPECT_FALSE(Password(L"パスワード").IsValid());
    // Damaged cipher text from a file is answered as not valid, not raised.
    Password damaged;
    damaged.SetData({1, 2, 3});
    EXPECT_FALSE(damaged.IsValid());
}

TEST(Password, EqualityFollowsThePasswordNotTheNonce)
{
    const Password password(L"secret");
    EXPECT_EQ(L"secret", password.GetPlainText());
    EXPECT_NE(password.GetData(), Password(L"secret").GetData());
    EXPECT_EQ(password, Password(L"secret"));
    EXPECT_NE(password, Password(L"Secret"));
    EXPECT_NE(password, Password());
    EXPECT_EQ(Password(), Password());
    Password damaged;
    damaged.SetData({1, 2, 3});
    EXPECT_NE(password, damaged);
    EXPECT_EQ(damaged, damaged);
}

TEST(User, ValidityAndEquality)
{
    User user = validProperty().GetUser();
    EXPECT_TRUE(user.IsValid());
    User other = user;
    other.SetPassword(Password(L"secret")); // the same password entered again
    EXPECT_EQ(user, other);

    const struct
    {
        void (*change)(User&);
        bool valid;
    } cases[] = {
        {[](User& u) { u.SetName(std::wstring()); }, false},
        {[](User& u) { u.SetName(std::wstring(L"山田")); }, true},
        {[](User& u) { u.SetID(L""); }, false},
        {[](User& u) { u.SetPassword(Password(std::wstring(29, L'p'))); }, false},
    };
    for (const auto& c : cases) {
        User changed = user;
        c.change(changed);
        EXPECT_EQ(c.valid, changed.IsValid());
        EXPECT_NE(user, changed);
    }
}

class EntryConfig : public ::testing::Test
{
protected:
    void TearDown() override { Orvane::Config::SetCurrent(m_saved); }

    const Orvane::Config::Current m_saved = Orvane::Config::GetCurrent();
};

TEST_F(EntryConfig, ValidityUsesTheProcessWideRanges)
{
    const Config base = validProperty().GetConfig();
    ASSERT_TRUE(base.IsValid());
    const struct
    {
        void (*change)(Config&);
        bool valid;
    } cases[] = {
        {[](Config& c) { c.SetLogMax(0); }, false},
        {[](Config& c) { c.SetLogMax(1); }, true},
        {[](Config& c) { c.SetLogMax(50); }, true},
        {[](Config& c) { c.SetLogMax(51); }, false},
        {[](Config& c) { c.SetInterval(60000); }, true},
        {[](Config& c) { c.SetInterval(59999); }, false},
        {[](Config& c) { c.SetInterval(3600000); }, true},
        {[](Config& c) { c.SetInterval(3600001); }, false},
        {[](Config& c) { c.SetEraseTime(0); }, true},
        {[](Config& c) { c.SetEraseTime(-1); }, false},
        {[](Config& c) { c.SetEraseTime(100000001); }, false},
    };
    for (const auto& c : cases) {
        Config changed = base;
        c.change(changed);
        EXPECT_EQ(c.valid, changed.IsValid());
    }

    Orvane::Config::Current current = m_saved;
    current.EventLogMaxLimit = 10;
    Orvane::Config::SetCurrent(current);
    EXPECT_FALSE(base.IsValid()); // LogMax 25 is now above the limit
}

TEST_F(EntryConfig, InvertedRangeRaisesInsteadOfAnswering)
{
    const Config config = validProperty().GetConfig();
    const auto invert = [this](void (*change)(Orvane::Config::Current&)) {
        Orvane::Config::Current current = m_saved;
        change(current);
        Orvane::Config::SetCurrent(current);
    };
    invert([](Orvane::Config::Current& c) { c.RegularCheckIntervalMs = {70000, 60000}; });
    EXPECT_THROW(config.IsValid(), std::runtime_error);
    invert([](Orvane::Config::Current& c) { c.EventLogMaxLimit = 0; });
    EXPECT_THROW(config.IsValid(), std::runtime_error);
    EXPECT_THROW(validProperty().IsValid(), std::runtime_error);
}

TEST(EntryPropertyTest, ValidityIgnoresTheStatusValues)
{
    EntryProperty property = validProperty();
    property.SetMonitoring(false);
    property.SetSubscriptionState(EntryProperty::Unsubscribed);
    property.SetSubscriptionFailure(1);
    EXPECT_TRUE(property.IsValid());
    EXPECT_EQ(EntryProperty::Unknown, EntryProperty().GetSubscriptionState());
    property.SetMFP(MFP());
    EXPECT_FALSE(property.IsValid());
}

TEST(EntryTest, NewEntryHasAnEmptyLogSizedByItsSettings)
{
    const Entry entry(Entry::ID(7), validProperty());
    EXPECT_EQ(Entry::ID(7), entry.GetID());
    EXPECT_EQ(25, entry.ReadEventLog().GetMax());
    EXPECT_TRUE(entry.ReadEventLog().GetEventList().empty());
    EXPECT_FALSE(entry.GetLatestRSSFeed());
    EXPECT_TRUE(entry.IsValid());
    EXPECT_TRUE(entry.IsMonitoring());
}

TEST(EntryTest, CopiesShareTheLogUntilANewOneIsInstalled)
{
    Entry original(Entry::ID(1), validProperty());
    Entry copy = original;
    EXPECT_EQ(&original.ReadEventLog(), &copy.ReadEventLog());

    const auto log = copy.GetEventLog();
    EXPECT_NE(&copy.ReadEventLog(), log.get()); // a deep copy to change
    log->Append(OrvaneTest::eventProperty(L"doc1"));
    copy.SetEventLog(log);
    EXPECT_EQ(1u, copy.ReadEventLog().GetEventList().size());
    EXPECT_TRUE(original.ReadEventLog().GetEventList().empty());

    EntryProperty property = copy.GetProperty();
    property.SetMonitoring(false);
    copy.SetProperty(property);
    EXPECT_TRUE(original.IsMonitoring());
    EXPECT_THROW(copy.SetEventLog(nullptr), std::invalid_argument);
}

TEST(EntryTest, InvalidWhenTheLogOverflowsOrTheFeedIsBad)
{
    Entry entry(Entry::ID(1), validProperty());
    auto log = entry.GetEventLog();
    log->SetMax(1);
    log->Append(OrvaneTest::eventProperty(L"doc1"));
    log->SetMax(2);
    log->Append(OrvaneTest::eventProperty(L"doc2"));
    log->SetMax(1); // lowered without trimming
    entry.SetEventLog(log);
    EXPECT_FALSE(entry.IsValid());
    log->Trim(1);
    EXPECT_TRUE(entry.IsValid());

    entry.SetLatestRSSFeed(Orvane::RSS::RSSFeed("t", "l", "", {}));
    EXPECT_FALSE(entry.IsValid());
    entry.SetLatestRSSFeed(Orvane::RSS::RSSFeed("t", "l", "Mon, 01 Apr 2024 10:00:00 GMT", {}));
    EXPECT_TRUE(entry.IsValid());
}

TEST(DistinctionTest, NoticesAnotherDeviceOrAccount)
{
    const Entry entry(Entry::ID(1), validProperty());
    const Distinction started(entry);
    Entry same = entry;
    EntryProperty property = same.GetProperty();
    User user = property.GetUser();
    user.SetPassword(Password(L"secret"));
    property.SetUser(user);
    property.SetMonitoring(false);
    same.SetProperty(property);
    EXPECT_EQ(started, Distinction(same)); // settings and a re-entered password do not count

    user.SetID(L"user02");
    property.SetUser(user);
    same.SetProperty(property);
    EXPECT_NE(started, Distinction(same));
    EXPECT_NE(started, Distinction(Entry(Entry::ID(1), validProperty(L"192.168.0.11"))));
}

TEST(Duplicates, SameHostRules)
{
    const Entry monitored(Entry::ID(1), validProperty(L"mfp.example", true));
    const struct
    {
        Entry stored;
        bool duplicateEntry;
        bool duplicateProperty;
    } cases[] = {
        {Entry(Entry::ID(2), validProperty(L"mfp.example", true)), true, true},
        {Entry(Entry::ID(2), validProperty(L"mfp.example", false)), false, true},
        {Entry(Entry::ID(1), validProperty(L"mfp.example", true)), false, true}, // itself
        {Entry(Entry::ID(2), validProperty(L"MFP.example", true)), false, false}, // case counts
        {Entry(Entry::ID(2), validProperty(L"other.example", true)), false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.duplicateEntry, Conditions::Duplicate<Entry>(monitored)(c.stored));
        EXPECT_EQ(c.duplicateProperty, Conditions::Duplicate<EntryProperty>(monitored.GetProperty())(c.stored));
    }
    // An entry that is not monitored has no monitored duplicate.
    const Entry idle(Entry::ID(3), validProperty(L"mfp.example", false));
    EXPECT_FALSE(Conditions::Duplicate<Entry>(idle)(cases[0].stored));
}

} // namespace
