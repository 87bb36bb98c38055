#include "Config.hpp"

#include "MonitoredEntry/EntryProperty.hpp"
#include "System/Folders.hpp"
#include "support/TestSupport.hpp"

#include <kestle/exception.hpp>

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <sys/stat.h>

namespace {

namespace fs = boost::filesystem;
using Orvane::Config;

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    boost::algorithm::split(out, text, boost::is_any_of("\n"));
    if (!out.empty() && out.back().empty())
        out.pop_back();
    return out;
}

// The file's text with the line of `key` replaced by `line`, or removed when `line` is empty.
std::string withLine(const std::string& text, const std::string& key, const std::string& line)
{
    std::string out;
    for (const std::string& current : lines(text)) {
        if (current.compare(0, key.size() + 1, key + " ") == 0)
            out += line.empty() ? "" : line + "\n";
        else
            out += current + "\n";
    }
    return out;
}

class ConfigTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = Orvane::System::GetAppDataDir();
        for (const char* name : {"config.dat", "config.bak", "config.tmp"})
            fs::remove(m_folder / name);
    }
    void TearDown() override
    {
        Config::SetCurrent(m_savedCurrent);
        Orvane::QX::SetConfig(m_savedTable);
    }

    fs::path file() const { return m_folder / "config.dat"; }
    fs::path backup() const { return m_folder / "config.bak"; }

    // Creates the default file, then loads again with one line changed.
    std::string loadWithLine(const std::string& key, const std::string& line)
    {
        Config::Instance().Load();
        const std::string changed = withLine(OrvaneTest::readFile(file()), key, line);
        OrvaneTest::writeFile(file(), changed);
        Config::Instance().Load();
        return changed;
    }

    fs::path m_folder;
    const Config::Current m_savedCurrent = Config::GetCurrent();
    const Orvane::QX::Config m_savedTable = Orvane::QX::GetConfig();
};

TEST_F(ConfigTest, FirstLoadWritesEveryKeyInOrder)
{
    fs::remove_all(m_folder);
    Config::Instance().Load();
    EXPECT_EQ(file().string(), Config::Instance().GetPath());
    const std::vector<std::string> written = lines(OrvaneTest::readFile(file()));
    ASSERT_EQ(47u, written.size());
    EXPECT_TRUE(std::is_sorted(written.begin(), written.end()));
    EXPECT_NE(written.end(), std::find(written.begin(), written.end(), "VERSION = 1.00"));
    EXPECT_NE(written.end(), std::find(written.begin(), written.end(), "PORT = 61000"));
    EXPECT_NE(written.end(), std::find(written.begin(), written.end(), "ENTRY_DEFAULT_SSL = 0"));
    EXPECT_FALSE(fs::exists(backup()));

    struct stat status;
    ASSERT_EQ(0, ::stat(file().c_str(), &status));
    EXPECT_EQ(0600u, status.st_mode & 0777);
    ASSERT_EQ(0, ::stat(m_folder.c_str(), &status));
    EXPECT_EQ(0700u, status.st_mode & 0777);
}

TEST_F(ConfigTest, DefaultsAndWhatIsBuiltFromThem)
{
    Config config = Config::Instance();
    config.Load();
    EXPECT_EQ(61000, config.GetPort());
    EXPECT_EQ(3, config.GetEntryMax());
    EXPECT_EQ(50, config.GetEventLogMaxLimit());
    EXPECT_EQ(50, config.GetDetectedEventQueueSize());
    EXPECT_EQ(300000, config.GetRegularSerializeIntervalMs());
    EXPECT_EQ(1800000, config.GetSubscribeIntervalMs());
    EXPECT_EQ(300000, config.GetRetrySubscribeIntervalMs());
    EXPECT_EQ(600000, config.GetMachineMonitorIntervalMs());
    EXPECT_EQ(10000, config.GetPopupEventEraseIntervalMs());
    EXPECT_FALSE(config.IsEntryDefaultEnableEventRead());
    EXPECT_TRUE(config.IsEntryDefaultEnableDeleteMsg());
    EXPECT_EQ(180000, config.GetSubscribeWaitLimitMs());
    EXPECT_EQ(60000, config.GetRegularCheckIntervalRange().Min);
    EXPECT_EQ(3600000, config.GetRegularCheckIntervalRange().Max);
    EXPECT_EQ(0, config.GetPopupEventEraseIntervalRange().Min);
    EXPECT_EQ(100000000, config.GetPopupEventEraseIntervalRange().Max);
    for (int set = 0; set < Orvane::QX::Config::SetCount; ++set)
        EXPECT_EQ((Orvane::HTTP::Timeout {30000, 1, 30000, 30000}),
                  config.GetTimeout(static_cast<Orvane::QX::Config::Set>(set)));

    const Orvane::MonitoredEntry::EntryProperty& property = config.GetDefaultEntryProperty();
    EXPECT_TRUE(property.IsMonitoring());
    EXPECT_EQ(80, property.GetMFP().GetHTTP().value_or(0));
    EXPECT_EQ(443, property.GetMFP().GetHTTPS().value_or(0));
    EXPECT_FALSE(property.GetMFP().IsSSL());
    EXPECT_EQ(25, property.GetConfig().GetLogMax());
    EXPECT_EQ(1800000, property.GetConfig().GetInterval());
    EXPECT_TRUE(property.GetConfig().IsNotice());
    EXPECT_EQ(10000, property.GetConfig().GetEraseTime());
    EXPECT_FALSE(property.GetConfig().IsEventRead());
    EXPECT_TRUE(property.GetConfig().IsDeleteMsg());
    EXPECT_TRUE(property.GetConfig().IsValid());
}

TEST_F(ConfigTest, EachTimeoutRowReadsItsOwnKeys)
{
    Config::Instance().Load();
    std::string text = OrvaneTest::readFile(file());
    text = withLine(text, "HTTP_CONNECT_TIMEOUT_MS", "HTTP_CONNECT_TIMEOUT_MS = 1000");
    text = withLine(text, "HTTP_RETRY", "HTTP_RETRY = 3");
    text = withLine(text, "HTTP_RECV_TIMEOUT_MS", "HTTP_RECV_TIMEOUT_MS = 11");
    text = withLine(text, "QX_PRINT_SEND_TIMEOUT_MS", "QX_PRINT_SEND_TIMEOUT_MS = 66");
    text = withLine(text, "QX_SUBSCRIBE_RECV_TIMEOUT_MS", "QX_SUBSCRIBE_RECV_TIMEOUT_MS = 88");
    OrvaneTest::writeFile(file(), text);
    Config config = Config::Instance();
    config.Load();
    EXPECT_EQ((Orvane::HTTP::Timeout {1000, 3, 30000, 11}), config.GetTimeout(Orvane::QX::Config::RSSFeed));
    EXPECT_EQ((Orvane::HTTP::Timeout {1000, 3, 66, 30000}), config.GetTimeout(Orvane::QX::Config::Print));
    EXPECT_EQ((Orvane::HTTP::Timeout {1000, 3, 30000, 88}), config.GetTimeout(Orvane::QX::Config::Subscribe));
    EXPECT_EQ((Orvane::HTTP::Timeout {1000, 3, 30000, 30000}), config.GetTimeout(Orvane::QX::Config::Delete));
    EXPECT_EQ((1000 + 30000 + 88) * 3 * 2, config.GetSubscribeWaitLimitMs());
}

TEST_F(ConfigTest, MissingKeyIsHealedWithABackup)
{
    const std::string damaged = loadWithLine("PORT", "");
    EXPECT_EQ(damaged, OrvaneTest::readFile(backup()));
    const std::vector<std::string> healed = lines(OrvaneTest::readFile(file()));
    EXPECT_EQ(47u, healed.size());
    EXPECT_NE(healed.end(), std::find(healed.begin(), healed.end(), "PORT = 61000"));
    EXPECT_EQ(61000, Config::Instance().GetPort());
}

TEST_F(ConfigTest, ValueThatIsNotANumberIsTreatedAsMissing)
{
    const struct
    {
        const char* key;
        const char* value;
        const char* healed;
    } cases[] = {
        {"PORT", "abc", "PORT = 61000"},
        {"PORT", "61000x", "PORT = 61000"},
        {"ENTRY_MAX", "", "ENTRY_MAX = 3"},
        {"EVENT_LOG_MAX_LIMIT", "1.5", "EVENT_LOG_MAX_LIMIT = 50"},
        {"HTTP_RETRY", "99999999999", "HTTP_RETRY = 1"}, // beyond 32 bits
        {"ENTRY_DEFAULT_SSL", "2", "ENTRY_DEFAULT_SSL = 0"},
        {"ENTRY_DEFAULT_ENABLE_NOTICE", "yes", "ENTRY_DEFAULT_ENABLE_NOTICE = 1"},
    };
    for (const auto& c : cases) {
        const std::string damaged = loadWithLine(c.key, std::string(c.key) + " = " + c.value);
        const std::vector<std::string> healed = lines(OrvaneTest::readFile(file()));
        EXPECT_NE(healed.end(), std::find(healed.begin(), healed.end(), c.healed)) << c.key << " " << c.value;
        EXPECT_EQ(damaged, OrvaneTest::readFile(backup())) << c.key;
    }
    EXPECT_EQ(1, Config::Instance().GetTimeout(Orvane::QX::Config::Subscribe).Retry);
}

TEST_F(ConfigTest, GoodFileIsLeftAsItIs)
{
    const std::string custom = loadWithLine("ENTRY_MAX", "ENTRY_MAX = 5");
    EXPECT_EQ(5, Config::Instance().GetEntryMax());
    EXPECT_EQ(custom, OrvaneTest::readFile(file()));
    EXPECT_FALSE(fs::exists(backup()));
}

TEST_F(ConfigTest, InvertedRangeStopsTheLoadAndKeepsTheFile)
{
    for (const char* key : {"REGULAR_CHECK_INTERVAL_MS_MIN", "POPUP_EVENT_ERASE_INTERVAL_MS_MIN"}) {
        Config::Instance().Load();
        const std::string inverted = withLine(OrvaneTest::readFile(file()), key, std::string(key) + " = 2000000000");
        OrvaneTest::writeFile(file(), inverted);
        try {
            Config::Instance().Load();
            ADD_FAILURE() << key;
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ("boost::interval: empty interval created", error.what());
        }
        EXPECT_EQ(inverted, OrvaneTest::readFile(file()));
        fs::remove(file());
    }
}

TEST_F(ConfigTest, UnsupportedVersionIsRaisedAndTheFileKept)
{
    Config::Instance().Load();
    const std::string future = withLine(OrvaneTest::readFile(file()), "VERSION", "VERSION = 2.00");
    OrvaneTest::writeFile(file(), future);
    EXPECT_THROW(Config::Instance().Load(), kestle::nonsupport_version);
    EXPECT_EQ(future, OrvaneTest::readFile(file()));
}

TEST_F(ConfigTest, WaitLimitNeverWrapsAndCountsOneAttemptAtLeast)
{
    const struct
    {
        const char* retry;
        std::int32_t limit;
    } cases[] = {
        {"0", 180000},
        {"2", 360000},
        {"100000", std::numeric_limits<std::int32_t>::max()},
    };
    for (const auto& c : cases) {
        loadWithLine("HTTP_RETRY", std::string("HTTP_RETRY = ") + c.retry);
        EXPECT_EQ(c.limit, Config::Instance().GetSubscribeWaitLimitMs()) << c.retry;
    }
}

TEST_F(ConfigTest, PublishFillsTheProcessWideCopies)
{
    loadWithLine("ENTRY_MAX", "ENTRY_MAX = 7");
    const Config config = Config::Instance();
    config.Publish();
    const Config::Current current = Config::GetCurrent();
    EXPECT_EQ(7, current.EntryMax);
    EXPECT_EQ(61000, current.Port);
    EXPECT_EQ(1800000, current.SubscribeIntervalMs);
    EXPECT_EQ(300000, current.RetrySubscribeIntervalMs);
    EXPECT_EQ(600000, current.MachineMonitorIntervalMs);
    EXPECT_EQ(50, current.EventLogMaxLimit);
    EXPECT_EQ(60000, current.RegularCheckIntervalMs.Min);
    EXPECT_EQ(100000000, current.PopupEventEraseIntervalMs.Max);
    EXPECT_EQ(50, current.DetectedEventQueueSize);
    EXPECT_EQ(10000, current.PopupEventEraseIntervalMsDefault);
    EXPECT_EQ(180000, current.SubscribeWaitLimitMs);
    EXPECT_EQ(config.GetTimeout(Orvane::QX::Config::Print), Orvane::QX::GetConfig().Get(Orvane::QX::Config::Print));
}

TEST_F(ConfigTest, InstallModePublishesOnlyTheLimits)
{
    Config::Current before = Config::GetCurrent();
    before.Port = 1234;
    Config::SetCurrent(before);
    loadWithLine("EVENT_LOG_MAX_LIMIT", "EVENT_LOG_MAX_LIMIT = 9");
    Config::Instance().PublishLimits();
    EXPECT_EQ(9, Config::GetCurrent().EventLogMaxLimit);
    EXPECT_EQ(1234, Config::GetCurrent().Port);
}

TEST(ConfigRange, ContainsItsBoundsAndRefusesToBeInverted)
{
    const Config::Range range {10, 20};
    EXPECT_TRUE(range.Contains(10));
    EXPECT_TRUE(range.Contains(20));
    EXPECT_FALSE(range.Contains(9));
    EXPECT_FALSE(range.Contains(21));
    EXPECT_THROW((Config::Range {2, 1}.Contains(1)), std::runtime_error);
}

} // namespace
