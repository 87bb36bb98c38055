#include "System/Text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Text, RoundTripsJapaneseAndAscii)
{
    for (const std::wstring& text : {std::wstring(L"scan.pdf"), std::wstring(L"複合機 ユーザー"), std::wstring()})
        EXPECT_EQ(text, Orvane::System::FromANSI(Orvane::System::ToANSI(text)));
}

TEST(Text, LongTextConvertsWhole)
{
    const std::wstring text(10000, L'漢');
    EXPECT_EQ(text, Orvane::System::FromANSI(Orvane::System::ToANSI(text)));
}

TEST(Text, WhatCannotBeConvertedIsDroppedNotFatal)
{
    if (Orvane::System::ANSICodeset() != "UTF-8")
        GTEST_SKIP() << "locale is not UTF-8";
    const std::pair<std::string, std::wstring> narrow[] = {
        {std::string("a\xff\xfe"
                     "b"),
         L"ab"},
        {"ab\xe6\xbc", L"ab"}, // cut off inside a character
        {"\xe6\xbc\xa2\x80x", L"漢x"},
    };
    for (const auto& [bytes, wide] : narrow)
        EXPECT_EQ(wide, Orvane::System::FromANSI(bytes)) << bytes;
    // A lone surrogate and a value beyond Unicode have no narrow form.
    const std::wstring wide = {L'a', static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0x110000), L'b'};
    EXPECT_EQ("ab", Orvane::System::ToANSI(wide));
}

} // namespace
