#include "UI/DataExchange.hpp"

#include "MessageBoxRecorder.hpp"
#include "UI/InvalidInteger.hpp"
#include "Utility/StringId.hpp"

#include <boost/optional/optional_io.hpp>

#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

using Orvane::UI::DDX_Text;
using Orvane::UI::Exchange;
using Orvane::UI::InvalidInteger;

namespace {

TEST(DataExchangeTest, OptionalTextAbsentIsAnEmptyField)
{
    QLineEdit edit;
    boost::optional<std::wstring> value = std::wstring(L"機器 A");
    DDX_Text(Exchange::Load, edit, value);
    EXPECT_EQ(QStringLiteral("機器 A"), edit.text());
    value = boost::none;
    DDX_Text(Exchange::Load, edit, value);
    EXPECT_TRUE(edit.text().isEmpty());

    for (const auto& [text, expected] : std::vector<std::pair<QString, boost::optional<std::wstring>>> {
             {QString(), boost::none},
             {QStringLiteral(" "), std::wstring(L" ")},
             {QStringLiteral("host"), std::wstring(L"host")}}) {
        edit.setText(text);
        DDX_Text(Exchange::Save, edit, value);
        EXPECT_TRUE(expected == value) << text.toStdString(); // wide texts do not print
    }
}

TEST(DataExchangeTest, OptionalNumberSavesEmptyAsAbsentAndNumbersAsThemselves)
{
    QLineEdit edit;
    const std::vector<std::pair<QString, boost::optional<std::int32_t>>> cases = {{QString(), boost::none},
                                                                                  {QStringLiteral("12"), 12},
                                                                                  {QStringLiteral(" 8080 "), 8080},
                                                                                  {QStringLiteral("-1"), -1},
                                                                                  {QStringLiteral("0"), 0}};
    for (const auto& [text, expected] : cases) {
        boost::optional<std::int32_t> value = 99;
        edit.setText(text);
        DDX_Text(Exchange::Save, edit, value);
        EXPECT_EQ(expected, value) << text.toStdString();
    }
}

TEST(DataExchangeTest, OptionalNumberLoadsAbsentAsEmpty)
{
    QLineEdit edit(QStringLiteral("old"));
    boost::optional<std::int32_t> value = 443;
    DDX_Text(Exchange::Load, edit, value);
    EXPECT_EQ(QStringLiteral("443"), edit.text());
    value = boost::none;
    DDX_Text(Exchange::Load, edit, value);
    EXPECT_TRUE(edit.text().isEmpty());
}

TEST(DataExchangeTest, TextThatIsNotAnIntRaisesAndKeepsTheValue)
{
    QLineEdit edit;
    for (const char* text : {"x", "12a", "1.5", "4294967296", " "}) {
        boost::optional<std::int32_t> value = 7;
        edit.setText(QString::fromLatin1(text));
        try {
            DDX_Text(Exchange::Save, edit, value);
            ADD_FAILURE() << text;
        } catch (const InvalidInteger& error) {
            EXPECT_EQ(&edit, &error.GetEdit());
        }
        EXPECT_EQ(boost::make_optional<std::int32_t>(7), value) << text;
    }
}

TEST(DataExchangeTest, ReportingTellsTheUserOverTheFieldsWindowAndSelectsTheField)
{
    QWidget window;
    auto* edit = new QLineEdit(QStringLiteral("abc"), &window);
    OrvaneTest::MessageBoxRecorder boxes;
    InvalidInteger(*edit).Report();
    const std::vector<OrvaneTest::MessageBoxRecorder::Shown> shown
        = {{Orvane::Utility::StringId::ParseInteger, Orvane::UI::MessageBoxSeam::Icon::Exclamation}};
    EXPECT_EQ(shown, boxes.shown);
    EXPECT_EQ(&window, boxes.parents.front());
    EXPECT_EQ(QStringLiteral("abc"), edit->selectedText());
}

} // namespace
