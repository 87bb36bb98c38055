#pragma once

#include <map>
#include <string>

namespace Orvane::HTTP::XML {

// Reads name="value" pairs out of the attribute text of a start tag.
class AttributeParser
{
public:
    // Names are runs of letters and digits; values are double-quoted and not empty. Each value is
    // trimmed and its inner white space runs become one space; a later name overwrites an earlier one.
    static std::map<std::string, std::string> Parse(const std::string& text);
};

} // namespace Orvane::HTTP::XML
