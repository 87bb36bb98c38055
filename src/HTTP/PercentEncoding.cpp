#include "HTTP/PercentEncoding.hpp"

namespace Orvane::HTTP {

std::string PercentEncode(const std::string& text, bool (*keep)(unsigned char))
{
    static const char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const unsigned char c : text) {
        if (keep(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += Hex[c >> 4];
            out += Hex[c & 0xF];
        }
    }
    return out;
}

} // namespace Orvane::HTTP
