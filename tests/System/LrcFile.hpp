#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace OrvaneTest {

// Builds language resource files: valid ones by default, with every size and count derived from
// the content, so a test changes only the one thing it is about.
class LrcFile
{
public:
    struct Entry
    {
        std::uint32_t id;
        std::uint16_t kind;
        std::uint16_t flags;
        std::string extra; // raw bytes; its first two are the mnemonic
        std::string text; // raw bytes, UTF-16LE
    };

    static std::string le16(std::uint16_t value)
    {
        return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    }
    static std::string le32(std::uint32_t value)
    {
        return le16(static_cast<std::uint16_t>(value)) + le16(static_cast<std::uint16_t>(value >> 16));
    }
    static std::string utf16(const std::u16string& text)
    {
        std::string bytes;
        for (char16_t unit : text)
            bytes += le16(unit);
        return bytes;
    }
    static Entry entry(std::uint32_t id, const std::u16string& text, std::uint16_t flags = 0, char16_t mnemonic = 0,
                       std::uint16_t kind = 0)
    {
        return {id, kind, flags, le16(mnemonic), utf16(text)};
    }
    // Overwrites bytes of a built file in place.
    static void put32(std::string& file, std::size_t offset, std::uint32_t value)
    {
        file.replace(offset, 4, le32(value));
    }
    static void put16(std::string& file, std::size_t offset, std::uint16_t value)
    {
        file.replace(offset, 2, le16(value));
    }

    std::string build() const
    {
        std::string payload;
        std::uint32_t mask = 0;
        for (const auto& [type, data] : otherSections) {
            payload += le32(type) + le32(16) + le32(static_cast<std::uint32_t>(data.size())) + le32(0) + data;
            mask |= type;
        }
        if (withStrings) {
            std::string data;
            for (const Entry& e : entries)
                data += le32(e.id) + le16(e.kind) + le16(e.flags) + le16(static_cast<std::uint16_t>(e.extra.size()))
                    + le16(static_cast<std::uint16_t>(e.text.size())) + e.extra + e.text;
            payload += le32(1) + le32(28) + le32(static_cast<std::uint32_t>(data.size())) + le32(0) + le32(charset)
                + le32(1) + le32(static_cast<std::uint32_t>(entries.size())) + data;
            mask |= 1;
        }
        std::string header = "CRMM";
        for (std::uint8_t part : version)
            header += static_cast<char>(part);
        header += std::string(128, '\0') + le32(152) + le32(static_cast<std::uint32_t>(payload.size())) + le32(mask)
            + le32(0); // 148-151 unused
        return header + payload;
    }

    std::array<std::uint8_t, 4> version {1, 2, 3, 4};
    std::uint32_t charset = 128; // Japanese, covered by the installed CJK fonts
    bool withStrings = true;
    std::vector<Entry> entries {entry(100, u"Open", 0x01, u'o'), entry(101, u"Print\tCtrl+P", 0x04, 0, 5)};
    std::vector<std::pair<std::uint32_t, std::string>> otherSections;
};

// Offsets in a file built with the defaults: the string section right after the header.
namespace LrcOffset {
constexpr std::size_t HeaderSize = 136;
constexpr std::size_t PayloadSize = 140;
constexpr std::size_t Mask = 144;
constexpr std::size_t Section = 152;
constexpr std::size_t SectionHeaderSize = Section + 4;
constexpr std::size_t SectionDataSize = Section + 8;
constexpr std::size_t One = Section + 20;
constexpr std::size_t Count = Section + 24;
constexpr std::size_t Entry = Section + 28;
constexpr std::size_t EntryTextLength = Entry + 10;
} // namespace LrcOffset

} // namespace OrvaneTest
