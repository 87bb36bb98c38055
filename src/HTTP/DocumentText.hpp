#pragma once

#include <string>

namespace Orvane::HTTP {

// Documents are UTF-8 inside; the rest of the program speaks the narrow character set of the process.
class DocumentText
{
public:
    // Narrow text to UTF-8 holding only characters XML 1.0 allows, so a written document stays well-formed.
    static std::string ToDocument(const std::string& narrow);

    // UTF-8 text of a parsed document to the narrow character set.
    static std::string FromDocument(const std::string& utf8);
};

} // namespace Orvane::HTTP
