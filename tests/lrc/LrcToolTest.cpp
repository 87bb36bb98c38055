#include "LrcFormat.hpp"
#include "System/CLrcReader.hpp"
#include "TextTable.hpp"
#include "Utility/StringTable.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>
#include <functional>
#include <sstream>

using Orvane::System::CLrcReader;
using namespace OrvaneLrc;

namespace {

class FontconfigRelease : public ::testing::Environment
{
public:
    void TearDown() override { FcFini(); }
};

const ::testing::Environment* const kFontconfigRelease = ::testing::AddGlobalTestEnvironment(new FontconfigRelease);

const std::string kEnglishTable = ORVANE_LANGUAGE_TABLE_DIR "/en.txt";

std::vector<LrcEntry> parse(const std::string& text)
{
    std::istringstream in(text);
    return TextTable::Parse(in, "table");
}

std::vector<LrcEntry> parseEnglish()
{
    std::istringstream in(OrvaneTest::readFile(kEnglishTable));
    return TextTable::Parse(in, kEnglishTable);
}

class LrcToolTest : public ::testing::Test
{
protected:
    bool load(const std::string& bytes)
    {
        OrvaneTest::writeFile(m_path, bytes);
        return m_reader.Load(m_path.string());
    }
    bool load(const LrcTable& table) { return load(LrcFormat::Encode(table)); }

    OrvaneTest::TempDir m_dir;
    boost::filesystem::path m_path = m_dir / "orvane.lrc";
    CLrcReader m_reader;
};

TEST_F(LrcToolTest, CompiledEntriesComposeThroughTheReader)
{
    const struct
    {
        const char* line;
        const wchar_t* composed;
    } cases[] = {
        {"1 0x01 o Open", L"&Open"},
        {"2 0x01 x Open", L"Open(&X)"},
        {"3 0x11 o Open", L"Open(&O)"},
        {"4 0x04 - Print\\tCtrl+P", L"Print...\tCtrl+P"},
        {"5 0x05 p Print\\tCtrl+P", L"&Print...\tCtrl+P"},
        {"6 0x0E - Name", L"Name ...:"},
        {"7 0x00 - Two\\nlines, \\\\ and\\s", L"Two\nlines, \\ and "},
        {"8\t0x01\ts\t設定", L"設定(&S)"},
        {"9 0x00 - \\s\U00020BB7", L" \U00020BB7"},
        {"10 0x00 -", L""},
    };
    std::string text = "# comment\n\n";
    for (const auto& c : cases)
        text += std::string(c.line) + "\r\n";
    LrcTable table;
    table.version = {1, 2, 3, 250};
    table.entries = parse(text);
    ASSERT_TRUE(load(table));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].composed, m_reader.GetString(static_cast<std::uint32_t>(i + 1))) << cases[i].line;
    EXPECT_EQ(L"1.2.3.250", m_reader.GetVersionText());
}

TEST_F(LrcToolTest, MalformedTableLinesAreRefusedWithTheirLine)
{
    const char* const lines[] = {
        "x 0x00 - Text",          "1 0x20 - Text",  "1 -1 - Text",       "1 0x01 - Text",
        "1 0x00 o Text",          "1 0x01 oo Text", "1 0x01 & Text",     "1 0x00 - Bad\\q",
        "1 0x00 - End\\",         "1 0x00 - \xC3(", "1 0x00 - \xC0\xAF", "1 0x00 - \xED\xA0\x80",
        "4294967296 0x00 - Text",
    };
    for (const char* line : lines) {
        try {
            parse(std::string("# first\n") + line + "\n");
            ADD_FAILURE() << "accepted: " << line;
        } catch (const TableError& error) {
            EXPECT_EQ(0, std::string(error.what()).rfind("table:2: ", 0)) << error.what();
        }
    }
    EXPECT_THROW(parse("7 0x00 - A\n7 0x00 - B\n"), TableError) << "an id given twice";
}

TEST_F(LrcToolTest, FilesTheReaderMustRefuseAreRefused)
{
    LrcTable table;
    table.entries = parse("1 0x01 o Open\n2 0x00 - Print\\tCtrl+P\n");
    const std::string good = LrcFormat::Encode(table);
    ASSERT_TRUE(load(good));
    const struct
    {
        const char* name;
        std::function<void(std::string&)> change;
    } corruptions[] = {
        {"magic", [](std::string& f) { f[0] = 'X'; }},
        {"payload size", [](std::string& f) { f[140] += 1; }},
        {"no mask", [](std::string& f) { f[144] = 0; }},
        {"entry count", [](std::string& f) { f[152 + 24] += 1; }},
        {"odd text length", [](std::string& f) { f[152 + 28 + 10] += 1; }},
        {"truncated", [](std::string& f) { f.pop_back(); }},
        {"trailing byte", [](std::string& f) { f += '\0'; }},
    };
    for (const auto& c : corruptions) {
        std::string bytes = good;
        c.change(bytes);
        EXPECT_FALSE(load(bytes)) << c.name;
        EXPECT_THROW(LrcFormat::Decode(bytes), FormatError) << c.name;
    }
    table.charset = 0xABCD;
    EXPECT_FALSE(load(table)) << "a character set without font";
    EXPECT_THROW(LrcFormat::Encode(LrcTable()), FormatError) << "no entries";
    table.entries[0].text.assign(40000, u'x');
    EXPECT_THROW(LrcFormat::Encode(table), FormatError) << "a text over 64 KiB";
}

TEST_F(LrcToolTest, EnglishTableRoundTripsExactly)
{
    LrcTable table;
    table.version = {ORVANE_VERSION_MAJOR, ORVANE_VERSION_MINOR, ORVANE_VERSION_PATCH, 0};
    table.entries = parseEnglish();
    const std::string bytes = LrcFormat::Encode(table);
    const LrcTable decoded = LrcFormat::Decode(bytes);
    EXPECT_EQ(table.entries, decoded.entries);
    EXPECT_EQ(table.version, decoded.version);
    std::ostringstream written;
    TextTable::Write(written, decoded.entries);
    EXPECT_EQ(table.entries, parse(written.str()));
    EXPECT_EQ(bytes, OrvaneTest::readFile(ORVANE_LANGUAGE_DIR "/orvane.en.lrc")) << "the built file is stale";
}

// The About box shows " !" for any string the file lacks; and an English mnemonic that is not a
// letter of its text would show as "(&X)", which reads as a mistake.
TEST_F(LrcToolTest, EnglishFileTranslatesEveryBuiltInStringWithMarkedMnemonics)
{
    ASSERT_TRUE(m_reader.Load(ORVANE_LANGUAGE_DIR "/orvane.en.lrc"));
    int translated = 0;
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
        if (!Orvane::Utility::StringTable::Find(id))
            continue;
        const std::optional<std::wstring> text = m_reader.GetString(id);
        ASSERT_TRUE(text) << "string " << id;
        EXPECT_EQ(std::wstring::npos, text->find(L"(&")) << "string " << id;
        ++translated;
    }
    EXPECT_GT(translated, 0);
    EXPECT_FALSE(m_reader.IsIncomplete());
    EXPECT_EQ(std::wstring::npos, m_reader.GetVersionText().find(L'!'));
}

} // namespace
