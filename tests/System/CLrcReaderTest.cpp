#include "System/CLrcReader.hpp"

#include "LrcFile.hpp"
#include "ScopedEnvironment.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = boost::filesystem;
using Orvane::System::CLrcReader;
using OrvaneTest::LrcFile;
namespace Offset = OrvaneTest::LrcOffset;

using namespace std::string_literals;

namespace {

// Fontconfig keeps its loaded configuration until FcFini, which a leak checker otherwise reports.
class FontconfigRelease : public ::testing::Environment
{
public:
    void TearDown() override { FcFini(); }
};

const ::testing::Environment* const kFontconfigRelease = ::testing::AddGlobalTestEnvironment(new FontconfigRelease);

class CLrcReaderTest : public ::testing::Test
{
protected:
    bool load(const std::string& content)
    {
        OrvaneTest::writeFile(m_path, content);
        return m_reader.Load(m_path.string());
    }

    OrvaneTest::TempDir m_dir;
    fs::path m_path = m_dir / "orvane.lrc";
    CLrcReader m_reader;
};

TEST_F(CLrcReaderTest, WithoutFileNothingIsLoadedAndVersionIsDash)
{
    EXPECT_FALSE(m_reader.Load((m_dir / "missing.lrc").string()));
    EXPECT_FALSE(m_reader.IsLoaded());
    EXPECT_FALSE(m_reader.GetString(100));
    EXPECT_EQ(L"-", m_reader.GetVersionText());
}

TEST_F(CLrcReaderTest, LoadsStringsAndMarksMissedLookupsInTheVersionText)
{
    LrcFile file;
    file.version = {255, 0, 10, 7};
    file.entries.push_back(LrcFile::entry(102, u"ファイル\0", 0x01, u'f'));
    file.entries.push_back(LrcFile::entry(103, u"\U00020BB7 first"));
    file.entries.push_back(LrcFile::entry(103, u"second"));
    ASSERT_TRUE(load(file.build()));
    EXPECT_EQ(L"255.0.10.7", m_reader.GetVersionText());
    EXPECT_EQ(L"&Open", m_reader.GetString(100));
    EXPECT_EQ(L"Print...\tCtrl+P", m_reader.GetString(101));
    EXPECT_EQ(L"ファイル(&F)", m_reader.GetString(102));
    EXPECT_EQ(L"\U00020BB7 first", m_reader.GetString(103)) << "the first of equal ids wins";
    EXPECT_FALSE(m_reader.IsIncomplete());
    EXPECT_FALSE(m_reader.GetString(104));
    EXPECT_TRUE(m_reader.IsIncomplete());
    EXPECT_EQ(L"255.0.10.7 !", m_reader.GetVersionText());

    ASSERT_TRUE(load(file.build()));
    EXPECT_EQ(L"255.0.10.7", m_reader.GetVersionText()) << "a new table starts complete";
    EXPECT_FALSE(load("CRMM"));
    EXPECT_FALSE(m_reader.GetString(100)) << "a failed load leaves no table";
    EXPECT_EQ(L"-", m_reader.GetVersionText());
}

TEST_F(CLrcReaderTest, HeaderOnlyFileIsAcceptedWithoutStrings)
{
    LrcFile file;
    file.withStrings = false;
    std::string bytes = file.build();
    LrcFile::put32(bytes, Offset::Mask, 0x8001);
    ASSERT_TRUE(load(bytes));
    EXPECT_FALSE(m_reader.GetString(100));
    EXPECT_EQ(L"1.2.3.4 !", m_reader.GetVersionText());
}

TEST_F(CLrcReaderTest, OtherSectionsAreCheckedForSizeOnly)
{
    LrcFile file;
    file.otherSections = {{4, "anything"}, {0x80000000u, std::string(3, '\xff')}};
    ASSERT_TRUE(load(file.build()));
    EXPECT_EQ(L"&Open", m_reader.GetString(100));
}

TEST_F(CLrcReaderTest, LoadWithoutPathReadsTheFileNextToTheProgram)
{
    const std::string path = CLrcReader::DefaultPath();
    ASSERT_EQ("test_System.lrc", fs::path(path).filename().string());
    OrvaneTest::writeFile(path, LrcFile().build());
    const bool loaded = m_reader.Load();
    fs::remove(path);
    EXPECT_TRUE(loaded);
}

struct Corruption
{
    const char* name;
    std::function<std::string()> make;
};

std::string changed(const std::function<void(std::string&)>& change, LrcFile file = LrcFile())
{
    std::string bytes = file.build();
    change(bytes);
    return bytes;
}

std::string withFile(const std::function<void(LrcFile&)>& change)
{
    LrcFile file;
    change(file);
    return file.build();
}

LrcFile::Entry rawEntry(std::string extra, std::string text)
{
    return {100, 0, 0, std::move(extra), std::move(text)};
}

const Corruption kCorruptions[] = {
    {"empty file", [] { return std::string(); }},
    {"shorter than the header", [] { return LrcFile().build().substr(0, 151); }},
    {"bad magic", [] { return changed([](std::string& b) { b[3] = 'X'; }); }},
    {"header size not 152", [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::HeaderSize, 148); }); }},
    {"payload size one too large",
     [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::PayloadSize, b.size() - 151); }); }},
    {"payload size one too small",
     [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::PayloadSize, b.size() - 153); }); }},
    {"payload size huge", [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::PayloadSize, ~0u); }); }},
    {"trailing byte after the sections",
     [] {
         return changed([](std::string& b) {
             b += '\0';
             LrcFile::put32(b, Offset::PayloadSize, b.size() - 152);
         });
     }},
    {"mask 0 with a payload", [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::Mask, 0); }); }},
    {"mask bit without a section", [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::Mask, 3); }); }},
    {"section type with two bits",
     [] {
         return changed([](std::string& b) {
             LrcFile::put32(b, Offset::Mask, 3);
             LrcFile::put32(b, Offset::Section, 3);
         });
     }},
    {"section type not in the mask",
     [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::Section, 2); }); }},
    {"two sections of one type", [] { return withFile([](LrcFile& f) {
                                          f.otherSections = {{2, "a"}, {2, "b"}};
                                      }); }},
    {"section header below 16",
     [] {
         return changed([](std::string& b) {
             LrcFile::put32(b, Offset::SectionHeaderSize, 12);
             LrcFile::put32(b, Offset::SectionDataSize, b.size() - 152 - 12);
         });
     }},
    {"section data size 0", [] { return withFile([](LrcFile& f) {
                                     f.otherSections = {{2, ""}};
                                 }); }},
    {"section runs past the end",
     [] {
         return changed([](std::string& b) { LrcFile::put32(b, Offset::SectionDataSize, b.size() - 152 - 28 + 1); });
     }},
    {"section sizes wrap around in 32 bits",
     [] {
         return changed([](std::string& b) {
             LrcFile::put32(b, Offset::SectionHeaderSize, 0xFFFFFFF0u);
             LrcFile::put32(b, Offset::SectionDataSize, b.size() - 152 + 0x10);
         });
     }},
    {"section header cut short by the end",
     [] {
         return changed([](std::string& b) {
             b += std::string(8, '\0');
             LrcFile::put32(b, Offset::PayloadSize, b.size() - 152);
         });
     }},
    // A string section with a 16-byte header at the very end: its charset, 1 and count fields
    // would lie past the end of the file.
    {"string section header too short for its fields",
     [] {
         LrcFile file;
         file.withStrings = false;
         file.otherSections = {{1, "abcd"}};
         return file.build();
     }},
    {"string section field not 1", [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::One, 2); }); }},
    {"entry count 0", [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::Count, 0); }); }},
    {"more entries counted than present",
     [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::Count, 3); }); }},
    {"fewer entries counted than present",
     [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::Count, 1); }); }},
    {"entry count huge", [] { return changed([](std::string& b) { LrcFile::put32(b, Offset::Count, ~0u); }); }},
    {"entry text runs past the section",
     [] { return changed([](std::string& b) { LrcFile::put16(b, Offset::EntryTextLength, 0xFFFE); }); }},
    {"entry header cut short",
     [] {
         return changed([](std::string& b) {
             b += std::string(6, '\0');
             LrcFile::put32(b, Offset::PayloadSize, b.size() - 152);
             LrcFile::put32(b, Offset::SectionDataSize, b.size() - 152 - 28);
             LrcFile::put32(b, Offset::Count, 3);
         });
     }},
    {"extra length below 2", [] { return withFile([](LrcFile& f) { f.entries = {rawEntry("m", "a\0"s)}; }); }},
    {"text length 0", [] { return withFile([](LrcFile& f) { f.entries = {rawEntry("mm", "")}; }); }},
    {"odd text length", [] { return withFile([](LrcFile& f) { f.entries = {rawEntry("mm", "abc")}; }); }},
    {"unknown character set", [] { return withFile([](LrcFile& f) { f.charset = 3; }); }},
};

TEST_F(CLrcReaderTest, DefectiveFileIsIgnoredWhole)
{
    for (const Corruption& corruption : kCorruptions) {
        SCOPED_TRACE(corruption.name);
        EXPECT_FALSE(load(corruption.make()));
        EXPECT_FALSE(m_reader.GetString(100));
        EXPECT_EQ(L"-", m_reader.GetVersionText());
    }
}

TEST_F(CLrcReaderTest, SomethingOtherThanARegularFileIsRefusedWithoutBlocking)
{
    ASSERT_EQ(0, ::mkfifo((m_dir / "fifo").c_str(), 0600));
    EXPECT_FALSE(m_reader.Load((m_dir / "fifo").string()));
    EXPECT_FALSE(m_reader.Load(m_dir.path().string()));
}

TEST_F(CLrcReaderTest, OversizedFileIsRefusedBeforeItIsRead)
{
    LrcFile file;
    file.withStrings = false;
    file.otherSections = {{2, "x"}};
    std::string header = file.build().substr(0, 152);
    const std::uint32_t size = 64 * 1024 * 1024;
    LrcFile::put32(header, Offset::PayloadSize, size - 152);
    OrvaneTest::writeFile(m_path, header + LrcFile::le32(2) + LrcFile::le32(16) + LrcFile::le32(size - 152 - 16));
    ASSERT_EQ(0, ::truncate(m_path.c_str(), size)); // sparse: costs no disk
    EXPECT_FALSE(m_reader.Load(m_path.string()));
}

// Fontconfig reads its configuration once per process, so the font-less setup runs in a fresh
// process of this test program.
TEST_F(CLrcReaderTest, CharsetWithoutInstalledFontIsIgnored)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    OrvaneTest::writeFile(m_dir / "fonts.conf",
                          "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" + m_dir.path().string()
                              + "/cache</cachedir></fontconfig>\n");
    OrvaneTest::writeFile(m_path, LrcFile().build());
    EXPECT_EXIT(
        {
            ::setenv("FONTCONFIG_FILE", (m_dir / "fonts.conf").c_str(), 1);
            const bool loaded = m_reader.Load(m_path.string());
            FcFini();
            std::exit(loaded ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(m_reader.Load(m_path.string())) << "with the installed fonts the same file is taken";
}

struct Composition
{
    std::u16string text;
    std::uint16_t kind;
    std::uint16_t flags;
    char16_t mnemonic;
    std::wstring expected;
};

const Composition kCompositions[] = {
    {u"Open", 0, 0x01, u'o', L"&Open"},
    {u"Open", 0, 0x01, u'x', L"Open(&X)"},
    {u"Open", 0, 0x11, u'o', L"Open(&O)"},
    {u"open", 0, 0x01, u'O', L"&open"},
    {u"fOo", 0, 0x01, u'o', L"f&Oo"},
    {u"Save &As", 0, 0x01, u's', L"Save &As"},
    {u"Open", 0, 0x00, u'o', L"Open"},
    {u"Open", 0, 0x01, 0, L"Open"},
    {u"Print\tCtrl+P", 5, 0x04, 0, L"Print...\tCtrl+P"},
    {u"Print\tCtrl+P", 5, 0x05, u'p', L"&Print...\tCtrl+P"},
    {u"Open\tCtrl+O", 5, 0x03, u'x', L"Open(&X):\tCtrl+O"},
    {u"Go\tCtrl+&G", 5, 0x01, u'g', L"&Go\tCtrl+&G"},
    {u"Copy", 5, 0x01, u'y', L"Cop&y"},
    {u"A\tB", 0, 0x02, 0, L"A\tB:"},
    {u"Name", 0, 0x0E, 0, L"Name ...:"},
    {u"設定", 0, 0x09, u's', L"設定(&S) "},
};

TEST_F(CLrcReaderTest, ComposesMnemonicAndSuffixes)
{
    LrcFile file;
    file.entries.clear();
    for (std::size_t i = 0; i < std::size(kCompositions); ++i) {
        const Composition& c = kCompositions[i];
        file.entries.push_back(LrcFile::entry(static_cast<std::uint32_t>(i), c.text, c.flags, c.mnemonic, c.kind));
    }
    ASSERT_TRUE(load(file.build()));
    for (std::size_t i = 0; i < std::size(kCompositions); ++i)
        EXPECT_EQ(kCompositions[i].expected, m_reader.GetString(static_cast<std::uint32_t>(i))) << "case " << i;
}

} // namespace

namespace {

TEST(CLrcReaderLanguage, LanguageFilesFollowTheFirstLanguageSettingOfTheEnvironment)
{
    const struct
    {
        std::map<std::string, std::string> environment;
        std::vector<std::string> languages;
    } cases[] = {
        {{}, {}},
        {{{"LANG", "en_US.UTF-8"}}, {"en_US", "en"}},
        {{{"LANG", "ja_JP.UTF-8"}}, {}},
        {{{"LANG", "C.UTF-8"}}, {}},
        {{{"LANG", "POSIX"}}, {}},
        {{{"LANG", "de"}}, {"de"}},
        {{{"LANG", "sr_RS@latin"}}, {"sr_RS", "sr"}},
        {{{"LANG", "ja_JP.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, {"en_GB", "en"}},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LC_ALL", "ja_JP.UTF-8"}}, {}},
        {{{"LC_ALL", ""}, {"LANG", "fr_FR"}}, {"fr_FR", "fr"}},
        {{{"LANGUAGE", "fr:en_US"}, {"LANG", "ja_JP.UTF-8"}}, {"fr", "en_US", "en"}},
        {{{"LANGUAGE", "::fr"}}, {"fr"}},
        {{{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}, {}},
        {{{"LANGUAGE", "fr:ja_JP:en"}}, {"fr"}},
        {{{"LANG", "../../etc/x"}}, {}},
        {{{"LANGUAGE", "a/b:en"}}, {"en"}},
    };
    for (const auto& c : cases) {
        const auto environment = [&c](const char* name) {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        };
        std::vector<std::string> expected;
        for (const std::string& language : c.languages)
            expected.push_back("/share/orvane/orvane." + language + ".lrc");
        EXPECT_EQ(expected, CLrcReader::LanguagePaths("/share/orvane", environment))
            << (c.environment.empty() ? "" : c.environment.begin()->second);
    }
}

// The installed layout: bin/orvane finds share/orvane/orvane.<language>.lrc, and a file next to the
// program still wins.
TEST_F(CLrcReaderTest, LoadWithoutPathFallsBackToTheFileOfTheEnvironmentsLanguage)
{
    const fs::path folder = CLrcReader::LanguageFolder();
    EXPECT_EQ(fs::path(CLrcReader::DefaultPath()).parent_path() / ".." / "share" / "orvane", folder);
    fs::create_directories(folder);
    LrcFile english;
    english.version = {9, 9, 9, 9};
    OrvaneTest::writeFile(folder / "orvane.zz.lrc", english.build());
    const OrvaneTest::ScopedEnvironment language("LANGUAGE", std::nullopt);
    const OrvaneTest::ScopedEnvironment all("LC_ALL", std::nullopt);
    const OrvaneTest::ScopedEnvironment messages("LC_MESSAGES", std::nullopt);
    const OrvaneTest::ScopedEnvironment lang("LANG", "zz_ZZ.UTF-8");
    const bool loaded = m_reader.Load();
    const std::wstring version = m_reader.GetVersionText();

    OrvaneTest::writeFile(CLrcReader::DefaultPath(), LrcFile().build());
    const bool nextToProgram = m_reader.Load();
    const std::wstring besideVersion = m_reader.GetVersionText();
    fs::remove(CLrcReader::DefaultPath());
    fs::remove(folder / "orvane.zz.lrc");
    EXPECT_TRUE(loaded);
    EXPECT_EQ(L"9.9.9.9", version);
    EXPECT_TRUE(nextToProgram);
    EXPECT_EQ(L"1.2.3.4", besideVersion);
    EXPECT_FALSE(m_reader.Load()) << "without either file";
}

} // namespace
