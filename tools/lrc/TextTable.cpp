#include "TextTable.hpp"

#include "Utf.hpp"

#include <cstdlib>
#include <set>

namespace OrvaneLrc {

namespace {

constexpr std::uint16_t kHasMnemonic = 0x01;
constexpr std::uint16_t kKnownFlags = 0x1F;
const char* const kBlanks = " \t";

// Splits off the next blank-separated field of `line` from `at`; empty at the end of the line.
std::string nextField(const std::string& line, std::size_t& at)
{
    const std::size_t start = line.find_first_not_of(kBlanks, at);
    if (start == std::string::npos) {
        at = line.size();
        return {};
    }
    const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
    at = line.find_first_not_of(kBlanks, end);
    if (at == std::string::npos)
        at = line.size();
    return line.substr(start, end - start);
}

std::optional<unsigned long> number(const std::string& field, unsigned long max)
{
    if (field.empty() || field[0] == '-' || field[0] == '+')
        return std::nullopt;
    char* end = nullptr;
    const unsigned long value = std::strtoul(field.c_str(), &end, 0);
    if (*end != '\0' || value > max)
        return std::nullopt;
    return value;
}

std::optional<std::string> unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 's':
            out += ' ';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

std::string escape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (c == ' ' && (i == 0 || i + 1 == text.size()))
            out += "\\s";
        else
            out += c;
    }
    return out;
}

char16_t mnemonicOf(const std::string& field)
{
    if (field == "-")
        return 0;
    const std::optional<std::u16string> units = Utf8ToUtf16(field);
    if (!units || units->size() != 1 || (*units)[0] == u'&')
        throw TableError("the mnemonic must be one character (of the basic plane) or -");
    return (*units)[0];
}

LrcEntry parseLine(const std::string& line)
{
    std::size_t at = 0;
    LrcEntry entry;
    const std::optional<unsigned long> id = number(nextField(line, at), 0xFFFFFFFFul);
    const std::optional<unsigned long> flags = number(nextField(line, at), kKnownFlags);
    if (!id || !flags)
        throw TableError("expected <id> <flags> <mnemonic> <text>, flags at most 0x1F");
    entry.id = static_cast<std::uint32_t>(*id);
    entry.flags = static_cast<std::uint16_t>(*flags);
    entry.mnemonic = mnemonicOf(nextField(line, at));
    if ((entry.mnemonic != 0) != ((entry.flags & kHasMnemonic) != 0))
        throw TableError("flag 0x01 and a mnemonic go together");
    const std::optional<std::string> text = unescape(line.substr(at));
    const std::optional<std::u16string> units = text ? Utf8ToUtf16(*text) : std::nullopt;
    if (!units || units->find(u'\0') != std::u16string::npos)
        throw TableError("the text must be UTF-8 without NUL, escapes \\t \\n \\s \\\\ only");
    entry.text = *units;
    return entry;
}

} // namespace

std::vector<LrcEntry> TextTable::Parse(std::istream& in, const std::string& name)
{
    std::vector<LrcEntry> entries;
    std::set<std::uint32_t> ids;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(kBlanks) == std::string::npos || line[0] == '#')
            continue;
        try {
            entries.push_back(parseLine(line));
            if (!ids.insert(entries.back().id).second)
                throw TableError("string " + std::to_string(entries.back().id) + " is given twice");
        } catch (const TableError& error) {
            throw TableError(name + ":" + std::to_string(number) + ": " + error.what());
        }
    }
    return entries;
}

void TextTable::Write(std::ostream& out, const std::vector<LrcEntry>& entries)
{
    for (const LrcEntry& entry : entries) {
        char flags[8];
        std::snprintf(flags, sizeof flags, "0x%02X", entry.flags);
        const std::optional<std::string> mnemonic = Utf16ToUtf8(std::u16string(1, entry.mnemonic));
        const std::optional<std::string> text = Utf16ToUtf8(entry.text);
        if (!text || (entry.mnemonic && !mnemonic))
            throw TableError("string " + std::to_string(entry.id) + " is not valid UTF-16");
        out << entry.id << '\t' << flags << '\t' << (entry.mnemonic ? *mnemonic : "-") << '\t' << escape(*text) << '\n';
    }
}

} // namespace OrvaneLrc
