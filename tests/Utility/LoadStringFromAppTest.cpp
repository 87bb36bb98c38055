#include "Utility/LoadStringFromApp.hpp"

#include "ConsoleMessage.hpp"
#include "Exceptions.hpp"
#include "System/CLrcReader.hpp"
#include "System/LrcFile.hpp"
#include "Utility/StringId.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <fontconfig/fontconfig.h>

using Orvane::Utility::LoadStringFromApp;
using OrvaneTest::LrcFile;
namespace Id = Orvane::Utility::StringId;

namespace {

// Fontconfig keeps its loaded configuration until FcFini, which a leak checker otherwise reports.
class FontconfigRelease : public ::testing::Environment
{
public:
    void TearDown() override { FcFini(); }
};

const ::testing::Environment* const kFontconfigRelease = ::testing::AddGlobalTestEnvironment(new FontconfigRelease);

// Every string id a window, menu, list or message of the program asks for, by where it is used.
const std::vector<std::uint32_t> kUsedIds = {
    // start-up, data store, tray icon and menu
    57344, 175, 113, 116, 185, 183, 128, 181, 162,
    // monitored users dialog and entry settings
    126, 106, 191, 188, 187, 190, 189, 192, 115, 147, 200, 201, 202, 164, 163, 121, 130, 131, 132, 193, 122, 108, 109,
    150, 151, 152, 153, 165, 204, 203, 205, 206, 207, 180,
    // wizard
    104, 110, 186, 114, 112, 107, 105, 194, 120, 161, 182,
    // event log viewer and list columns
    155, 111, 127, 195, 196, 134, 135, 136, 137, 123, 124, 125, 133, 144, 145, 146,
    // event details and document actions
    117, 210, 211, 166, 167, 172, 212, 213, 214, 215, 177, 178, 168, 169,
    // about box, integer fields
    184, 0xF110};

class LoadStringFromAppTest : public ::testing::Test
{
protected:
    void TearDown() override { Orvane::System::CLrcReader::Instance().Release(); }

    void loadLanguageFile(const LrcFile& file)
    {
        const auto path = m_dir / "orvane.lrc";
        OrvaneTest::writeFile(path, file.build());
        ASSERT_TRUE(Orvane::System::CLrcReader::Instance().Load(path.string()));
    }

    OrvaneTest::TempDir m_dir;
};

TEST_F(LoadStringFromAppTest, EveryUsedIdHasABuiltInText)
{
    for (std::uint32_t id : kUsedIds)
        EXPECT_FALSE(LoadStringFromApp(id).empty()) << id;
}

TEST_F(LoadStringFromAppTest, BuiltInTextsAreTheJapaneseOnes)
{
    const std::vector<std::pair<std::uint32_t, std::wstring>> cases = {
        {Id::ApplicationTitle, L"Orvane"},
        {Id::NoUsers, L"機器にユーザーが登録されていません。\nQuexhallにログインして、ユーザーを登録してください。"},
        {Id::DuplicateDevice, L"同じ機器のユーザーは１人しか登録できません。 ウィザードを終了しますか？"},
        {Id::ViewerEventColumnWidths, L"36,180,150,285"},
        {Id::NoticeOn, L"\u25CB"},
        {Id::NoticeOff, L"\u00D7"},
        {Id::MenuSettings, L"設定(&S)..."},
        {Id::ParseInteger, L"Please enter an integer."},
    };
    for (const auto& [id, text] : cases)
        EXPECT_EQ(text, LoadStringFromApp(id)) << id;
}

TEST_F(LoadStringFromAppTest, LanguageFileTextWinsAndTheOthersFallBack)
{
    LrcFile file;
    file.entries
        = {LrcFile::entry(Id::InitFailure, u"Start-up failed."), LrcFile::entry(Id::Close, u"Close", 0x01, u'c')};
    loadLanguageFile(file);

    EXPECT_EQ(L"Start-up failed.", LoadStringFromApp(Id::InitFailure));
    EXPECT_EQ(L"&Close", LoadStringFromApp(Id::Close));
    EXPECT_EQ("Start-up failed.", Orvane::ConsoleMessage::GetText(Id::InitFailure));
    EXPECT_EQ(L"設定の保存に失敗しました。", LoadStringFromApp(Id::SaveFailure));
    EXPECT_EQ(L"1.2.3.4 !", Orvane::System::CLrcReader::Instance().GetVersionText());
}

TEST_F(LoadStringFromAppTest, IdWithoutAnyTextRaisesNotFound)
{
    for (std::uint32_t id : {0u, 99u, 57345u}) {
        try {
            LoadStringFromApp(id);
            ADD_FAILURE() << id;
        } catch (const Orvane::SystemError& error) {
            EXPECT_EQ(ENOENT, error.code().value());
        }
    }
    EXPECT_EQ("", Orvane::ConsoleMessage::GetText(99));
}

} // namespace
