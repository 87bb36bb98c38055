#include "HTTP/AttributeParser.hpp"

#include <boost/xpressive/xpressive_static.hpp>

namespace Orvane::HTTP::XML {

namespace xp = boost::xpressive;

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Trimmed, with every inner run of white space made one space; one pass, so long values stay cheap.
std::string Normalised(const std::string& value)
{
    std::string out;
    bool pendingSpace = false;
    for (const char c : value) {
        if (IsSpace(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace)
            out += ' ';
        pendingSpace = false;
        out += c;
    }
    return out;
}

} // namespace

std::map<std::string, std::string> AttributeParser::Parse(const std::string& text)
{
    // Letters, digits and white space are spelled out rather than taken from the locale: device markup
    // is ASCII-delimited. A name starts where a run of name characters starts (the last run of "data-x"
    // is "x"); saying so keeps the search linear, as it never retries from inside a run that failed.
    static const xp::sregex Attribute
        = ~xp::after(xp::set[xp::range('a', 'z') | xp::range('A', 'Z') | xp::range('0', '9')])
        >> (xp::s1 = +xp::set[xp::range('a', 'z') | xp::range('A', 'Z') | xp::range('0', '9')])
        >> *xp::set[xp::as_xpr(' ') | '\t' | '\n' | '\r' | '\f' | '\v'] >> '='
        >> *xp::set[xp::as_xpr(' ') | '\t' | '\n' | '\r' | '\f' | '\v'] >> '"' >> (xp::s2 = +~xp::as_xpr('"')) >> '"';
    std::map<std::string, std::string> attributes;
    for (xp::sregex_iterator match(text.begin(), text.end(), Attribute), end; match != end; ++match)
        attributes[(*match)[1].str()] = Normalised((*match)[2].str());
    return attributes;
}

} // namespace Orvane::HTTP::XML
