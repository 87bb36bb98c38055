#include "Utility/AnnouncedText.hpp"

namespace Orvane::Utility {

namespace {

// The length of the UTF-8 sequence starting at text[0] (at most size bytes), or 0 when it is not one.
std::size_t SequenceLength(const unsigned char* text, std::size_t size)
{
    const unsigned char lead = text[0];
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
    } else
        return 0;
    if (size < length || text[1] < low || text[1] > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (text[i] < 0x80 || text[i] > 0xBF)
            return 0;
    return length;
}

bool IsControl(const unsigned char* text, std::size_t length)
{
    return length == 1 && (text[0] < 0x20 || text[0] == 0x7F);
}

} // namespace

std::string AnnouncedText(const void* data, std::size_t size, std::size_t maxBytes)
{
    std::string result;
    const auto* text = static_cast<const unsigned char*>(data);
    for (std::size_t at = 0; at < size;) {
        const std::size_t length = SequenceLength(text + at, size - at);
        if (length == 0) {
            ++at;
            continue;
        }
        if (result.size() + length > maxBytes)
            break;
        if (!IsControl(text + at, length))
            result.append(reinterpret_cast<const char*>(text + at), length);
        at += length;
    }
    return result;
}

} // namespace Orvane::Utility

#include <boost/locale/encoding_utf.hpp>

namespace Orvane::Utility {

std::wstring WideText(const std::string& utf8)
{
    return boost::locale::conv::utf_to_utf<wchar_t>(utf8);
}

std::string Utf8Text(const std::wstring& wide)
{
    return boost::locale::conv::utf_to_utf<char>(wide);
}

} // namespace Orvane::Utility
