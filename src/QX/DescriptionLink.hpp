#pragma once

#include <optional>
#include <string>

namespace Orvane::QX {

// The document link of a feed item: the href of the first A element of the item's HTML description.
class DescriptionLink
{
public:
    // The link, or "" when the description has none.
    static std::string Of(const std::string& description);

    // The link read by a full lenient HTML parse of the description.
    static std::string Parsed(const std::string& description);

    // The link read by scanning the plain markup devices write (simple tags, double-quoted values,
    // ASCII up to the end of the A tag), without building a document; nothing when the description
    // holds anything else, whose reading only the full parse settles. Where it answers, it answers as
    // Parsed does.
    static std::optional<std::string> Scanned(const std::string& description);
};

} // namespace Orvane::QX
