#include "Utility/EventTimeText.hpp"

#include "RSS/EventTime.hpp"
#include "Utility/FileVersion.hpp"

#include <gtest/gtest.h>

using Orvane::RSS::EventTime;
using Orvane::Utility::EventTimeText;

namespace {

TEST(EventTimeTextTest, SecondsShownOnlyWhenTheTimeHasThem)
{
    const std::vector<std::pair<std::string, std::wstring>> cases = {
        {"Tue, 05 Mar 2024 09:07:02 +0900", L"2024/03/05 09:07:02"},
        {"5 Mar 2024 09:07 GMT", L"2024/03/05 09:07"},
        {"31 Dec 1999 23:59:00 Z", L"1999/12/31 23:59:00"},
    };
    for (const auto& [rfc822, text] : cases)
        EXPECT_EQ(text, EventTimeText(EventTime(rfc822))) << rfc822;
}

TEST(FileVersionTest, IsTheVersionTheProgramWasBuiltAs)
{
    const std::string built = ORVANE_VERSION_TEXT;
    EXPECT_EQ(std::wstring(built.begin(), built.end()), Orvane::Utility::GetFileVersion());
}

} // namespace
