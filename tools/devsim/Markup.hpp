#pragma once

#include <string>

namespace OrvaneDevSim {

// Text escaping for the XML, HTML and URLs the device writes.
class Markup
{
public:
    static std::string escape(const std::string& text);
    static std::string percentEncode(const std::string& text);
};

} // namespace OrvaneDevSim
