#include "Utility/IntegerList.hpp"

#include "Utility/StringId.hpp"

#include <boost/lexical_cast.hpp>

#include <gtest/gtest.h>

using Orvane::Utility::LoadIntegerList;
using Orvane::Utility::ParseIntegerList;
namespace Id = Orvane::Utility::StringId;

namespace {

TEST(IntegerListTest, ItemsInOrderWithEmptyOnesSkipped)
{
    const std::vector<std::pair<std::wstring, std::vector<int>>> cases = {
        {L"36,140,70", {36, 140, 70}},
        {L"50,,410", {50, 410}},
        {L",7,", {7}},
        {L" 12 , -3", {12, -3}},
        {L"", {}},
        {L", ,", {}},
    };
    for (const auto& [text, numbers] : cases)
        EXPECT_EQ(numbers, ParseIntegerList(text)) << text.size();
}

TEST(IntegerListTest, ItemThatIsNotAnIntRaisesConversionError)
{
    for (const wchar_t* text : {L"36,x,70", L"1.5", L"12px", L"99999999999"})
        EXPECT_THROW(ParseIntegerList(text), boost::bad_lexical_cast) << text;
}

TEST(IntegerListTest, ColumnWidthStringsGiveOneWidthPerColumn)
{
    EXPECT_EQ((std::vector<int> {36, 140, 70}), LoadIntegerList(Id::ViewerEntryColumnWidths));
    EXPECT_EQ((std::vector<int> {36, 180, 150, 285}), LoadIntegerList(Id::ViewerEventColumnWidths));
    EXPECT_EQ((std::vector<int> {275, 100, 170, 80}), LoadIntegerList(Id::EntryManagerColumnWidths));
    EXPECT_EQ((std::vector<int> {50, 410}), LoadIntegerList(Id::WizardUserColumnWidths));
}

} // namespace
