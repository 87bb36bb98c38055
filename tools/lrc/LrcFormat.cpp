#include "LrcFormat.hpp"

#include <cstring>
#include <limits>

namespace OrvaneLrc {

namespace {

constexpr std::uint32_t kHeaderSize = 152;
constexpr std::uint32_t kStringSection = 1;
constexpr std::uint32_t kStringSectionHeaderSize = 28;
constexpr std::size_t kEntryHeaderSize = 12;
constexpr std::uint16_t kKindAccelerator = 5;
constexpr std::uint16_t kKnownFlags = 0x1F;
constexpr std::size_t kNotInterpreted = 128; // header bytes 8-135

void put16(std::string& out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void put32(std::string& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t get16(const std::string& in, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(in[at]) | static_cast<unsigned char>(in[at + 1]) << 8);
}

std::uint32_t get32(const std::string& in, std::size_t at)
{
    return get16(in, at) | static_cast<std::uint32_t>(get16(in, at + 2)) << 16;
}

std::string idText(std::uint32_t id)
{
    return "string " + std::to_string(id);
}

// The text is stored with a closing NUL, so that even an empty text has the length the format asks.
std::string encodeEntry(const LrcEntry& entry)
{
    if (entry.flags & ~kKnownFlags)
        throw FormatError(idText(entry.id) + ": unknown flags");
    const std::size_t textBytes = (entry.text.size() + 1) * 2;
    if (textBytes > std::numeric_limits<std::uint16_t>::max())
        throw FormatError(idText(entry.id) + ": text too long");
    std::string out;
    put32(out, entry.id);
    put16(out, entry.text.find(u'\t') == std::u16string::npos ? 0 : kKindAccelerator);
    put16(out, entry.flags);
    put16(out, 2); // extra data: the mnemonic only
    put16(out, static_cast<std::uint16_t>(textBytes));
    put16(out, entry.mnemonic);
    for (char16_t unit : entry.text + u'\0')
        put16(out, unit);
    return out;
}

// Reads the entry at `at`, which must end at or before `end`; returns where the next one starts.
std::size_t decodeEntry(const std::string& in, std::size_t at, std::size_t end, LrcEntry& entry)
{
    if (end - at < kEntryHeaderSize)
        throw FormatError("truncated entry");
    const std::size_t extra = get16(in, at + 8);
    const std::size_t textBytes = get16(in, at + 10);
    if (extra < 2 || textBytes == 0 || textBytes % 2 || kEntryHeaderSize + extra + textBytes > end - at)
        throw FormatError("bad entry sizes at offset " + std::to_string(at));
    entry.id = get32(in, at);
    entry.flags = get16(in, at + 6);
    entry.mnemonic = static_cast<char16_t>(get16(in, at + kEntryHeaderSize));
    entry.text.clear();
    const std::size_t text = at + kEntryHeaderSize + extra;
    for (std::size_t i = 0; i < textBytes && get16(in, text + i) != 0; i += 2)
        entry.text += static_cast<char16_t>(get16(in, text + i));
    return text + textBytes;
}

void checkHeader(const std::string& in)
{
    if (in.size() < kHeaderSize + kStringSectionHeaderSize || in.compare(0, 4, "CRMM") != 0)
        throw FormatError("not a language resource file");
    if (get32(in, 136) != kHeaderSize || get32(in, 140) != in.size() - kHeaderSize || get32(in, 144) != kStringSection)
        throw FormatError("bad file header");
    const std::size_t section = kHeaderSize;
    if (get32(in, section) != kStringSection || get32(in, section + 4) != kStringSectionHeaderSize
        || get32(in, section + 8) != in.size() - kHeaderSize - kStringSectionHeaderSize || get32(in, section + 20) != 1)
        throw FormatError("bad string section header");
}

} // namespace

std::string LrcFormat::Encode(const LrcTable& table)
{
    if (table.entries.empty())
        throw FormatError("no entries");
    std::string data;
    for (const LrcEntry& entry : table.entries)
        data += encodeEntry(entry);
    std::string section;
    put32(section, kStringSection);
    put32(section, kStringSectionHeaderSize);
    put32(section, static_cast<std::uint32_t>(data.size()));
    put32(section, 0);
    put32(section, table.charset);
    put32(section, 1);
    put32(section, static_cast<std::uint32_t>(table.entries.size()));

    std::string file = "CRMM";
    for (std::uint8_t part : table.version)
        file += static_cast<char>(part);
    file += std::string(kNotInterpreted, '\0');
    put32(file, kHeaderSize);
    put32(file, static_cast<std::uint32_t>(section.size() + data.size()));
    put32(file, kStringSection); // the section mask
    put32(file, 0);
    return file + section + data;
}

LrcTable LrcFormat::Decode(const std::string& in)
{
    checkHeader(in);
    LrcTable table;
    for (std::size_t i = 0; i < 4; ++i)
        table.version[i] = static_cast<std::uint8_t>(in[4 + i]);
    table.charset = get32(in, kHeaderSize + 16);
    const std::uint32_t count = get32(in, kHeaderSize + 24);
    std::size_t at = kHeaderSize + kStringSectionHeaderSize;
    for (std::uint32_t i = 0; i < count; ++i)
        at = decodeEntry(in, at, in.size(), table.entries.emplace_back());
    if (count == 0 || at != in.size())
        throw FormatError("entries do not fill the string section");
    return table;
}

} // namespace OrvaneLrc
