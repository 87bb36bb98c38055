#include "HTTP/DocumentText.hpp"

#include "System/Text.hpp"

#include <boost/locale/encoding_utf.hpp>

#include <algorithm>

namespace Orvane::HTTP {

namespace {

bool IsXmlCharacter(wchar_t c)
{
    const auto code = static_cast<std::uint32_t>(c);
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF)
        || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

bool NarrowIsUtf8()
{
    return System::ANSICodeset() == "UTF-8";
}

} // namespace

std::string DocumentText::ToDocument(const std::string& narrow)
{
    // UTF-8 is decoded directly, dropping broken sequences as FromANSI would, only much faster.
    std::wstring wide = NarrowIsUtf8() ? boost::locale::conv::utf_to_utf<wchar_t>(narrow) : System::FromANSI(narrow);
    wide.erase(std::remove_if(wide.begin(), wide.end(), [](wchar_t c) { return !IsXmlCharacter(c); }), wide.end());
    return boost::locale::conv::utf_to_utf<char>(wide);
}

std::string DocumentText::FromDocument(const std::string& utf8)
{
    if (NarrowIsUtf8())
        return utf8;
    return System::ToANSI(boost::locale::conv::utf_to_utf<wchar_t>(utf8));
}

} // namespace Orvane::HTTP
