#pragma once

#include <string>

namespace Orvane {

// What "orvane --version" prints: the program's version and the language file's version text, the
// latter with " !" when the file lacks any built-in string (as the About box shows it).
class VersionText
{
public:
    static std::string Get();
};

} // namespace Orvane
