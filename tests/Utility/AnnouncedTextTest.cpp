#include "Utility/AnnouncedText.hpp"
#include "Utility/Sighting.hpp"
#include "Utility/TxtEntry.hpp"

#include <gtest/gtest.h>

using Orvane::Utility::AnnouncedText;

TEST(AnnouncedText, KeepsValidUtf8DropsTheRestAndCutsAtACharacterBoundary)
{
    struct Case
    {
        const char* what;
        std::string input;
        std::size_t max;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", "Office MFP", 255, "Office MFP"},
        {"multibyte kept", "\xE8\xA4\x87\xE5\x90\x88\xE6\xA9\x9F", 255, "\xE8\xA4\x87\xE5\x90\x88\xE6\xA9\x9F"},
        {"invalid bytes dropped", "ok\xFF\xFE-\xC3\x28z", 255, "ok-(z"},
        {"overlong and surrogate forms dropped",
         "a\xC0\xAF"
         "b\xED\xA0\x80"
         "c\xF4\x90\x80\x80",
         255, "abc"},
        {"truncated sequence at the end", "ab\xE8\xA4", 255, "ab"},
        {"control characters dropped", std::string("a\0b\nc\x7F", 6), 255, "abc"},
        {"cut before a character that does not fit", "ab\xE8\xA4\x87", 4, "ab"},
        {"cut", std::string(10000, 'x'), 255, std::string(255, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected, AnnouncedText(c.input.data(), c.input.size(), c.max));
    }
}

TEST(TxtEntry, TakesTheKnownKeysOnceWhateverTheirCase)
{
    Orvane::Utility::Sighting sighting;
    for (const std::string& entry : std::vector<std::string> {"TY=Example 4000", "ty=second wins nothing", "uuid=AB-12", "note=", "=no key",
                                    "adminurl", "unknown=x", "product=\xFF(MFP)"})
        Orvane::Utility::ReadTxtEntry(entry.data(), entry.size(), sighting);
    EXPECT_EQ("Example 4000", sighting.model);
    EXPECT_EQ("AB-12", sighting.uuid);
    EXPECT_EQ("", sighting.location);
    EXPECT_EQ("", sighting.adminUrl);
    EXPECT_EQ("(MFP)", sighting.product);
}
