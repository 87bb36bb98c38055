#include "core/StoreFixtures.hpp"
#include "core/StoreXml.hpp"

#include "Config.hpp"
#include "Exceptions.hpp"
#include "MonitoredEntry/Serialization/LegacyConfig.hpp"
#include "Serializer.hpp"
#include "System/Folders.hpp"
#include "support/TestSupport.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

namespace {

namespace fs = boost::filesystem;
using namespace Orvane::MonitoredEntry;
using OrvaneTest::readFile;
using OrvaneTest::StoreXml;
using OrvaneTest::writeFile;

std::string fixture(const std::string& name)
{
    return readFile(fs::path(ORVANE_TEST_DATA_DIR) / "store" / name);
}

unsigned mode(const fs::path& path)
{
    struct stat info
    { };
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::vector<fs::path> setAside(const fs::path& folder)
{
    std::vector<fs::path> found;
    for (const auto& item : fs::directory_iterator(folder)) {
        if (item.path().filename().string().rfind("data.dat.unreadable-", 0) == 0)
            found.push_back(item.path());
    }
    return found;
}

const Entry& onlyEntry(const Orvane::Serializer& serializer)
{
    const EntryDB& db = serializer.GetEntryManager().GetDB();
    EXPECT_EQ(1u, db.Size());
    return *db.GetEntryList().front();
}

class SerializerTest : public ::testing::Test
{
protected:
    void SetUp() override { Orvane::Config::Instance().Load(); }

    // Writes `content` as the store, loads and saves it; answers the saved document.
    std::string resave(const std::string& content)
    {
        writeFile(m_dir / "data.dat", content);
        Orvane::Load(m_serializer);
        Orvane::Save(m_serializer);
        return readFile(m_dir / "data.dat");
    }

    OrvaneTest::TempDir m_dir;
    Orvane::Serializer m_serializer {m_dir.path().string()};
};

TEST_F(SerializerTest, WorkedExampleLoadsAndSavesTheSameDocument)
{
    const std::string golden = fixture("worked-example.dat");
    const std::string saved = resave(golden);
    ASSERT_TRUE(StoreXml(saved).IsValid());
    EXPECT_EQ(StoreXml(golden).Outline(), StoreXml(saved).Outline());
    EXPECT_EQ(golden, readFile(m_dir / "data.dat.bak")); // taken at the load
    EXPECT_NE(std::string::npos, saved.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>"));
    EXPECT_NE(std::string::npos, saved.find("<!DOCTYPE boost_serialization>"));

    const Entry& entry = onlyEntry(m_serializer);
    const MFP& mfp = entry.GetProperty().GetMFP();
    EXPECT_EQ(std::wstring(L"複合機 <3F> & \"Sales\""), mfp.GetName().value_or(L""));
    EXPECT_EQ(443, mfp.GetHTTPS().value_or(0));
    EXPECT_EQ((Password::Data {7, 0, 128, 255}), entry.GetProperty().GetUser().GetPassword().GetData());
    const Event& event = entry.ReadEventLog().GetEventList().at(0);
    EXPECT_FALSE(event.IsRead());
    EXPECT_EQ(L"/thumbnail?id=0001&size=s", event.GetProperty().GetThumbNailURL().value_or(L""));
    EXPECT_EQ("Mon, 02 Jun 2025 10:15:00 +0900", event.GetProperty().GetTime().GetText());
    EXPECT_EQ("http://192.168.10.20/rss?user=yamada&lang=ja", entry.GetLatestRSSFeed()->GetLink());
    EXPECT_EQ(u8"スキャン", entry.GetLatestRSSFeed()->GetItemList().at(0).GetTitle());
}

TEST_F(SerializerTest, StoreFilesArePrivateAndNoTemporaryIsLeft)
{
    Orvane::Serializer inAppFolder;
    writeFile(m_dir / "data.dat.tmp", "stale");
    fs::permissions(m_dir / "data.dat.tmp", fs::perms(0644));
    Orvane::Save(m_serializer);
    Orvane::Save(inAppFolder);
    Orvane::Load(inAppFolder);
    const fs::path appFolder = Orvane::System::GetAppDataDir();
    EXPECT_EQ(0700u, mode(appFolder));
    for (const fs::path& file : {appFolder / "data.dat", appFolder / "data.dat.bak", m_dir / "data.dat"})
        EXPECT_EQ(0600u, mode(file)) << file;
    EXPECT_FALSE(fs::exists(m_dir / "data.dat.tmp"));
    EXPECT_FALSE(fs::exists(appFolder / "data.dat.tmp"));
}

TEST_F(SerializerTest, NoStoreGivesAnEmptyManagerAndWritesNothing)
{
    Orvane::Load(m_serializer);
    EXPECT_EQ(0u, m_serializer.GetEntryManager().GetDB().Size());
    EXPECT_TRUE(Orvane::LoadOnStartUp(m_serializer));
    EXPECT_TRUE(fs::is_empty(m_dir.path()));
}

TEST_F(SerializerTest, OlderFormatLoadsOnTheRetryWithTheConfiguredDefaults)
{
    const Orvane::Config config = Orvane::Config::Instance();
    writeFile(m_dir / "data.dat", fixture("older-format.dat"));
    EXPECT_ANY_THROW(Orvane::Load(m_serializer));
    Serialization::SetLegacyConfig(false);

    ASSERT_TRUE(Orvane::LoadOnStartUp(m_serializer));
    const Config& settings = onlyEntry(m_serializer).GetProperty().GetConfig();
    EXPECT_EQ(25, settings.GetLogMax());
    EXPECT_EQ(config.GetPopupEventEraseIntervalMs(), settings.GetEraseTime());
    EXPECT_EQ(config.IsEntryDefaultEnableEventRead(), settings.IsEventRead());
    EXPECT_EQ(config.IsEntryDefaultEnableDeleteMsg(), settings.IsDeleteMsg());
    EXPECT_FALSE(Serialization::IsLegacyConfig());
    EXPECT_TRUE(setAside(m_dir.path()).empty());

    // The switch is off again: a store of the current format reads as such.
    writeFile(m_dir / "data.dat", fixture("worked-example.dat"));
    Orvane::Load(m_serializer);
    EXPECT_FALSE(onlyEntry(m_serializer).GetProperty().GetConfig().IsDeleteMsg());
}

TEST_F(SerializerTest, SchemaOfAbsentValuesAndTheEmptyStore)
{
    const OrvaneTest::StoreTexts plain {L"", ""};
    struct Case
    {
        const char* name;
        EntryDB::EntryList entries;
        const char* element;
        std::string outline;
    };
    const Case cases[] = {
        {"empty store",
         {},
         "EntryList",
         "EntryList class_id=\"3\" tracking_level=\"0\" version=\"0\"\n  count [0]\n  item_version [1]\n"},
        {"no device name",
         {OrvaneTest::storedEntry(0, plain, false, true)},
         "MFP",
         "MFP class_id=\"7\" tracking_level=\"0\" version=\"0\"\n"
         "  Name class_id=\"8\" tracking_level=\"0\" version=\"0\"\n    initialized [0]\n"
         "  Host class_id=\"9\" tracking_level=\"0\" version=\"0\"\n    string [host0.]\n"
         "  HTTP class_id=\"10\" tracking_level=\"0\" version=\"0\"\n    initialized [1]\n    item_version [0]\n"
         "    value [80]\n"
         "  HTTPS\n    initialized [1]\n    item_version [0]\n    value [443]\n  SSL [0]\n"},
        {"no feed",
         {OrvaneTest::storedEntry(0, plain, true, false)},
         "LatestRSSFeed",
         "LatestRSSFeed class_id=\"20\" tracking_level=\"0\" version=\"0\"\n  initialized [0]\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OrvaneTest::writeStore(m_dir.path(), c.entries);
        const std::string written = readFile(m_dir / "data.dat");
        EXPECT_EQ(c.outline, StoreXml(written).Find(c.element));
        EXPECT_EQ(written, resave(written));
    }
}

TEST_F(SerializerTest, SecondEntryRefersToTheClassesOfTheFirst)
{
    const OrvaneTest::StoreTexts plain {L"", ""};
    OrvaneTest::writeStore(
        m_dir.path(), {OrvaneTest::storedEntry(0, plain, true, true), OrvaneTest::storedEntry(1, plain, true, true)});
    const std::string written = readFile(m_dir / "data.dat");
    EXPECT_NE(std::string::npos, written.find("<item>\n\t\t\t\t<px class_id_reference=\"5\" object_id=\"_3\">"));
    EXPECT_EQ(written, resave(written));
    EXPECT_EQ(2u, m_serializer.GetEntryManager().GetDB().Size());
}

TEST_F(SerializerTest, SpecialCharactersAndJapaneseSurviveInEveryField)
{
    const OrvaneTest::StoreTexts texts {L" <a href=\"x\">&amp;</a> 'q' 日本語 ", u8" <b>&lt;</b> \"q\" 'q' 日本語 "};
    OrvaneTest::writeStore(m_dir.path(), {OrvaneTest::storedEntry(0, texts, true, true)});
    Orvane::Load(m_serializer);
    const Entry& entry = onlyEntry(m_serializer);
    const auto expected = OrvaneTest::storedEntry(0, texts, true, true);
    const EntryProperty& property = entry.GetProperty();
    EXPECT_EQ(expected->GetProperty().GetMFP(), property.GetMFP());
    EXPECT_TRUE(expected->GetProperty().GetUser().GetName() == property.GetUser().GetName());
    EXPECT_EQ(expected->GetProperty().GetUser().GetID(), property.GetUser().GetID());
    EXPECT_TRUE(expected->ReadEventLog().GetEventList().at(0).GetProperty()
                == entry.ReadEventLog().GetEventList().at(0).GetProperty());
    const Orvane::RSS::RSSFeed& feed = *entry.GetLatestRSSFeed();
    const Orvane::RSS::RSSFeed& sent = *expected->GetLatestRSSFeed();
    EXPECT_EQ(sent.GetTitle(), feed.GetTitle());
    EXPECT_EQ(sent.GetLink(), feed.GetLink());
    EXPECT_EQ(sent.GetDate(), feed.GetDate());
    const Orvane::RSS::Item& item = feed.GetItemList().at(0);
    const Orvane::RSS::Item& sentItem = sent.GetItemList().at(0);
    EXPECT_EQ(sentItem.GetTitle(), item.GetTitle());
    EXPECT_EQ(sentItem.GetDescription(), item.GetDescription());
    EXPECT_EQ(sentItem.GetCategory(), item.GetCategory());
    EXPECT_EQ(sentItem.GetGuid(), item.GetGuid());
}

TEST_F(SerializerTest, StoreWithoutTheClosingTrailerLoads)
{
    std::string golden = fixture("worked-example.dat");
    boost::algorithm::replace_last(golden, "</boost_serialization>\n", "");
    writeFile(m_dir / "data.dat", golden);
    EXPECT_TRUE(Orvane::LoadOnStartUp(m_serializer));
    EXPECT_EQ(1u, m_serializer.GetEntryManager().GetDB().Size());
}

// A store that cannot be read is moved aside before the run goes on, the backup of the last good
// start stays, and the entries already held stay too.
TEST_F(SerializerTest, UnreadableStoresAreSetAsideAndNothingIsLost)
{
    const std::string golden = fixture("worked-example.dat");
    const auto broken = [&](const std::string& from, const std::string& to) {
        return boost::algorithm::replace_first_copy(golden, from, to);
    };
    const std::pair<const char*, std::string> cases[] = {
        {"not XML", "data store"},
        {"truncated", golden.substr(0, golden.size() / 2)},
        {"wrong element", broken("<Max>25</Max>", "<Min>25</Min>")},
        {"missing element", broken("<SSL>0</SSL>", "")},
        {"not a number", broken("<value>80</value>", "<value>eighty</value>")},
        {"invalid UTF-8", broken("yamada", "yam\xff\xfe")},
        {"huge count", broken("<count>1</count>", "<count>18446744073709551615</count>")},
        {"byte out of range", broken("<item>255</item>", "<item>256</item>")},
        {"object given as a reference", broken("object_id=\"_1\"", "object_id_reference=\"_0\"")},
        {"bad event time", broken("<string>Mon, 02 Jun 2025", "<string>someday, 02 Jun 2025")},
        {"two entries with one identifier",
         broken("</item>\n\t\t</EntryList>",
                "</item>\n\t\t\t<item>" + golden.substr(golden.find("<px"), golden.find("</px>") - golden.find("<px"))
                    + "</px></item>\n\t\t</EntryList>")},
    };
    writeFile(m_dir / "data.dat", golden);
    Orvane::Load(m_serializer);
    for (const auto& [name, content] : cases) {
        SCOPED_TRACE(name);
        writeFile(m_dir / "data.dat", content);
        EXPECT_FALSE(Orvane::LoadOnStartUp(m_serializer));
        EXPECT_EQ(1u, m_serializer.GetEntryManager().GetDB().Size());
        EXPECT_FALSE(fs::exists(m_dir / "data.dat"));
        const auto aside = setAside(m_dir.path());
        ASSERT_EQ(1u, aside.size());
        EXPECT_EQ(content, readFile(aside.front()));
        fs::remove(aside.front());
        EXPECT_EQ(golden, readFile(m_dir / "data.dat.bak"));
        EXPECT_FALSE(Serialization::IsLegacyConfig());
    }
}

TEST_F(SerializerTest, SetAsideNamesNeverReplaceEachOther)
{
    for (int round = 0; round < 3; ++round) {
        writeFile(m_dir / "data.dat", "garbage " + std::to_string(round));
        EXPECT_FALSE(Orvane::LoadOnStartUp(m_serializer));
    }
    EXPECT_EQ(3u, setAside(m_dir.path()).size());
}

// Save and Load share one bound: a store Load would refuse is not written, the old one stays, and
// what fits is written and read back.
TEST_F(SerializerTest, StoreBeyondTheBoundIsNotWrittenAndTheOldOneStays)
{
    constexpr std::size_t bound = 256 * 1024;
    OrvaneTest::writeStore(m_dir.path(), {OrvaneTest::storedEntry(0, {L"x", "x"}, true, true)});
    Orvane::Serializer bounded(m_dir.path().string(), bound);
    Orvane::Load(bounded);
    const std::string before = readFile(m_dir / "data.dat");
    const auto setTitle = [&](std::size_t length) {
        EntryManager::Transaction transaction(bounded.GetEntryManager());
        auto copy = transaction.CopyEntry(Entry::ID(0));
        // Escaped on the way out, each '&' takes five bytes.
        const std::string title(length, '&');
        copy->SetLatestRSSFeed(Orvane::RSS::RSSFeed(
            title, "http://h/rss", "Mon, 02 Jun 2025 10:15:00 +0900",
            {Orvane::RSS::Item(title, "", "cat", "guid", "Mon, 02 Jun 2025 10:15:00 +0900")}));
        transaction.SetEntry(copy);
        transaction.Commit();
    };

    setTitle(bound / 8);
    EXPECT_THROW(Orvane::Save(bounded), Orvane::SystemError);
    EXPECT_EQ(before, readFile(m_dir / "data.dat"));
    EXPECT_FALSE(fs::exists(m_dir / "data.dat.tmp"));

    setTitle(bound / 12);
    Orvane::Save(bounded);
    EXPECT_GT(fs::file_size(m_dir / "data.dat"), bound / 2);
    Orvane::Serializer reread(m_dir.path().string(), bound);
    EXPECT_TRUE(Orvane::LoadOnStartUp(reread));
    EXPECT_EQ(bound / 12, onlyEntry(reread).GetLatestRSSFeed()->GetTitle().size());
}

// No room for the load backup, for the length of one call: file writes beyond `limit` bytes fail.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved {};
    void (*m_handler)(int) = SIG_DFL;
};

// A good store stays the store when its backup cannot be written, and the previous backup stays
// whole.
TEST_F(SerializerTest, ABackupThatCannotBeWrittenLeavesTheStoreInPlace)
{
    const std::string golden = fixture("worked-example.dat");
    const std::string oldBackup = "the backup of an earlier start";
    const struct
    {
        const char* name;
        rlim_t fileSizeLimit;
        bool folderInTheWay;
    } cases[] = {
        {"no room on the disk", golden.size() / 2, false},
        {"backup path taken by a folder", RLIM_INFINITY, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(m_dir / "data.dat", golden);
        if (c.folderInTheWay)
            fs::create_directories(m_dir / "data.dat.bak" / "inside");
        else
            writeFile(m_dir / "data.dat.bak", oldBackup);
        Orvane::Serializer serializer(m_dir.path().string());
        {
            const FileSizeLimit limit(c.fileSizeLimit);
            EXPECT_TRUE(Orvane::LoadOnStartUp(serializer));
        }
        EXPECT_EQ(1u, serializer.GetEntryManager().GetDB().Size());
        EXPECT_EQ(golden, readFile(m_dir / "data.dat"));
        EXPECT_TRUE(setAside(m_dir.path()).empty());
        EXPECT_FALSE(fs::exists(m_dir / "data.dat.bak.tmp"));
        if (!c.folderInTheWay) {
            EXPECT_EQ(oldBackup, readFile(m_dir / "data.dat.bak"));
        }
        Orvane::Save(serializer);
        fs::remove_all(m_dir / "data.dat.bak");
    }
}

// A store that cannot be read (here a folder in its place: EISDIR) is no proof of a bad store: it is
// left where it is, and nothing is saved over it until a load succeeds.
TEST_F(SerializerTest, AStoreThatCannotBeReadStaysAndIsNotSavedOver)
{
    fs::create_directories(m_dir / "data.dat");
    EXPECT_FALSE(Orvane::LoadOnStartUp(m_serializer));
    EXPECT_TRUE(fs::is_directory(m_dir / "data.dat"));
    EXPECT_TRUE(setAside(m_dir.path()).empty());
    EXPECT_THROW(Orvane::Save(m_serializer), Orvane::SystemError);
    EXPECT_TRUE(fs::is_directory(m_dir / "data.dat"));

    fs::remove(m_dir / "data.dat");
    writeFile(m_dir / "data.dat", fixture("worked-example.dat"));
    Orvane::Load(m_serializer);
    Orvane::Save(m_serializer);
    EXPECT_EQ(1u, onlyEntry(m_serializer).GetEventLog()->GetEventList().size());
}

} // namespace
