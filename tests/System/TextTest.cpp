#include "System/Text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Text, RoundTripsJapaneseAndAscii)
{
    for (const std::wstring& text : {std::wstring(L"scan.pdf"), std::wstring(L"複合機 ユーザー"), std::wstring()})
        EXPECT_EQ(text, Orvane::System::FromANSI(Orvane::System::ToANSI(text)));
}

TEST(Text, InvalidNarrowBytesAreDroppedNotFatal)
{
    if (Orvane::System::ANSICodeset() != "UTF-8")
        GTEST_SKIP() << "locale is not UTF-8";
    EXPECT_EQ(L"ab",
              Orvane::System::FromANSI(std::string("a\xff\xfe"
                                                   "b")));
}

} // namespace
