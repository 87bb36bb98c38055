#include "Utility/TxtEntry.hpp"

#include "Utility/AnnouncedText.hpp"
#include "Utility/Sighting.hpp"

#include <boost/algorithm/string/predicate.hpp>

#include <cstring>
#include <string_view>

namespace Orvane::Utility {

namespace {

std::string* Field(std::string_view key, Sighting& sighting)
{
    struct Key
    {
        const char* name;
        std::string Sighting::*field;
    };
    static const Key keys[] = {{"ty", &Sighting::model},
                               {"product", &Sighting::product},
                               {"note", &Sighting::location},
                               {"adminurl", &Sighting::adminUrl},
                               {"UUID", &Sighting::uuid}};
    for (const Key& known : keys)
        if (boost::algorithm::iequals(key, std::string_view(known.name)))
            return &(sighting.*known.field);
    return nullptr;
}

} // namespace

void ReadTxtEntry(const void* data, std::size_t size, Sighting& sighting)
{
    const auto* text = static_cast<const char*>(data);
    const void* equals = std::memchr(text, '=', size);
    if (!equals || equals == text)
        return;
    const std::size_t keyLength = static_cast<const char*>(equals) - text;
    std::string* field = Field(std::string_view(text, keyLength), sighting);
    if (!field || !field->empty())
        return;
    *field = AnnouncedText(text + keyLength + 1, size - keyLength - 1, AnnouncedTextMax);
}

} // namespace Orvane::Utility
