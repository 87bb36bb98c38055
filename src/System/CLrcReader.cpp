#include "System/CLrcReader.hpp"

#include "System/FileDescriptor.hpp"
#include "System/Fonts.hpp"

#include <boost/locale/encoding_utf.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <vector>

namespace Orvane::System {

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kFileHeaderSize = 152;
// Real files hold a few thousand short texts; anything far larger is not one, and is refused
// before it is read rather than allocated blindly.
constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;
constexpr std::size_t kMinSectionHeaderSize = 16;
constexpr std::size_t kMinStringSectionHeaderSize = 28; // the section header plus charset, 1, count
constexpr std::size_t kEntryHeaderSize = 12;
constexpr std::uint32_t kStringSection = 1;

namespace Offset {
constexpr std::size_t Version = 4;
constexpr std::size_t HeaderSize = 136;
constexpr std::size_t PayloadSize = 140;
constexpr std::size_t SectionMask = 144;
// In a section header.
constexpr std::size_t SectionHeaderSize = 4;
constexpr std::size_t DataSize = 8;
constexpr std::size_t Charset = 16;
constexpr std::size_t One = 20;
constexpr std::size_t EntryCount = 24;
// In an entry.
constexpr std::size_t Kind = 4;
constexpr std::size_t Flags = 6;
constexpr std::size_t ExtraLength = 8;
constexpr std::size_t TextLength = 10;
} // namespace Offset

constexpr std::uint16_t kKindAccelerator = 5;
enum Flag : std::uint16_t {
    HasMnemonic = 0x01,
    AppendColon = 0x02,
    AppendEllipsis = 0x04,
    AppendSpace = 0x08,
    MnemonicAsSuffix = 0x10,
};

// Callers check that the bytes lie inside the block first.
std::uint16_t u16(const Bytes& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t u32(const Bytes& bytes, std::size_t at)
{
    return u16(bytes, at) | static_cast<std::uint32_t>(u16(bytes, at + 2)) << 16;
}

struct Section
{
    std::uint32_t type;
    std::size_t start;
    std::size_t headerSize;
    std::size_t end;
};

struct EntryRef
{
    std::uint32_t id;
    std::size_t offset;
};

struct Table
{
    Bytes block;
    std::vector<EntryRef> index; // by id; among equal ids in file order, so the first one wins
};

std::optional<Bytes> readRegularFile(const std::string& path)
{
    // Non-blocking, so that a FIFO put in the file's place cannot hang the start-up.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info
    { };
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)
        || info.st_size < static_cast<off_t>(kFileHeaderSize) || info.st_size > static_cast<off_t>(kMaxFileSize))
        return std::nullopt;
    Bytes bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (got == 0 || (got < 0 && errno != EINTR))
            return std::nullopt;
        done += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    return bytes;
}

bool headerValid(const Bytes& file)
{
    const std::size_t payload = file.size() - kFileHeaderSize;
    return std::memcmp(file.data(), "CRMM", 4) == 0 && u32(file, Offset::HeaderSize) == kFileHeaderSize
        && u32(file, Offset::PayloadSize) == payload && (payload == 0 || u32(file, Offset::SectionMask) != 0);
}

bool singleBit(std::uint32_t value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

// The sections must tile the payload exactly, one per bit of the mask. Sizes are added in 64 bits
// so that a header size near 4 GiB cannot wrap around to a small step.
std::optional<std::vector<Section>> readSections(const Bytes& file)
{
    const std::uint32_t mask = u32(file, Offset::SectionMask);
    std::uint32_t seen = 0;
    std::vector<Section> sections;
    for (std::size_t at = kFileHeaderSize; at < file.size();) {
        const std::uint64_t left = file.size() - at;
        if (left < kMinSectionHeaderSize)
            return std::nullopt;
        const std::uint32_t type = u32(file, at);
        const std::uint64_t headerSize = u32(file, at + Offset::SectionHeaderSize);
        const std::uint64_t dataSize = u32(file, at + Offset::DataSize);
        if (!singleBit(type) || !(type & mask) || (type & seen) || headerSize < kMinSectionHeaderSize || dataSize == 0
            || headerSize + dataSize > left)
            return std::nullopt;
        seen |= type;
        const std::size_t end = at + static_cast<std::size_t>(headerSize + dataSize);
        sections.push_back({type, at, static_cast<std::size_t>(headerSize), end});
        at = end;
    }
    if (seen != mask)
        return std::nullopt;
    return sections;
}

// Checks one entry starting at `at` and inside the section's data; returns where the next starts.
std::optional<std::size_t> checkEntry(const Bytes& file, std::size_t at, std::size_t end)
{
    if (end - at < kEntryHeaderSize)
        return std::nullopt;
    const std::size_t extra = u16(file, at + Offset::ExtraLength);
    const std::size_t text = u16(file, at + Offset::TextLength);
    if (extra < 2 || text == 0 || text % 2 != 0 || kEntryHeaderSize + extra + text > end - at)
        return std::nullopt;
    return at + kEntryHeaderSize + extra + text;
}

// The string section's own fields lie past the common 16-byte header, so it must be long enough to
// hold them; the entries must then number exactly the count and fill the data exactly.
std::optional<std::vector<EntryRef>> indexStrings(const Bytes& file, const Section& section)
{
    if (section.headerSize < kMinStringSectionHeaderSize || u32(file, section.start + Offset::One) != 1)
        return std::nullopt;
    const std::uint32_t count = u32(file, section.start + Offset::EntryCount);
    std::vector<EntryRef> index;
    std::size_t at = section.start + section.headerSize;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::optional<std::size_t> next = checkEntry(file, at, section.end);
        if (!next)
            return std::nullopt;
        index.push_back({u32(file, at), at});
        at = *next;
    }
    if (count == 0 || at != section.end || !IsCharsetFontInstalled(u32(file, section.start + Offset::Charset)))
        return std::nullopt;
    std::stable_sort(index.begin(), index.end(), [](const EntryRef& a, const EntryRef& b) { return a.id < b.id; });
    return index;
}

std::optional<Table> parse(Bytes file)
{
    if (!headerValid(file))
        return std::nullopt;
    const std::optional<std::vector<Section>> sections
        = file.size() == kFileHeaderSize ? std::vector<Section>() : readSections(file);
    if (!sections)
        return std::nullopt;
    Table table;
    for (const Section& section : *sections) {
        if (section.type != kStringSection)
            continue;
        std::optional<std::vector<EntryRef>> index = indexStrings(file, section);
        if (!index)
            return std::nullopt;
        table.index = std::move(*index);
    }
    table.block = std::move(file);
    return table;
}

// Text up to its first NUL; unpaired surrogates are dropped.
std::wstring decodeText(const Bytes& block, std::size_t at, std::size_t length)
{
    std::u16string units;
    for (std::size_t i = 0; i < length && u16(block, at + i) != 0; i += 2)
        units.push_back(static_cast<char16_t>(u16(block, at + i)));
    return boost::locale::conv::utf_to_utf<wchar_t>(units, boost::locale::conv::skip);
}

bool isSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

std::wstring withMnemonic(std::wstring scanned, char16_t mnemonic, bool mayInsert)
{
    if (scanned.find(L'&') != std::wstring::npos)
        return scanned;
    const wchar_t upper = static_cast<wchar_t>(std::towupper(mnemonic));
    const wchar_t lower = static_cast<wchar_t>(std::towlower(mnemonic));
    if (mayInsert) {
        std::size_t at = scanned.find(upper);
        if (at == std::wstring::npos)
            at = scanned.find(lower);
        if (at != std::wstring::npos)
            return scanned.insert(at, 1, L'&');
    }
    return scanned + L"(&" + upper + L")";
}

// Marks the mnemonic and adds the suffixes the flags ask for; for an accelerator entry this
// applies to the part before the tab, and the tab and accelerator text follow unchanged.
std::wstring compose(const std::wstring& text, std::uint16_t kind, std::uint16_t flags, char16_t mnemonic)
{
    const std::size_t scanEnd = kind == kKindAccelerator ? std::min(text.find(L'\t'), text.size()) : text.size();
    std::wstring result = text.substr(0, scanEnd);
    if ((flags & HasMnemonic) && mnemonic != 0 && !isSurrogate(mnemonic))
        result = withMnemonic(std::move(result), mnemonic, !(flags & MnemonicAsSuffix));
    if (flags & AppendSpace)
        result += L' ';
    if (flags & AppendEllipsis)
        result += L"...";
    if (flags & AppendColon)
        result += L':';
    return result + text.substr(scanEnd);
}

std::wstring composeEntry(const Bytes& block, std::size_t at)
{
    const std::size_t extra = u16(block, at + Offset::ExtraLength);
    return compose(decodeText(block, at + kEntryHeaderSize + extra, u16(block, at + Offset::TextLength)),
                   u16(block, at + Offset::Kind), u16(block, at + Offset::Flags),
                   static_cast<char16_t>(u16(block, at + kEntryHeaderSize)));
}

std::string programPath()
{
    std::vector<char> path(PATH_MAX);
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return "";
    return std::string(path.data(), static_cast<std::size_t>(length));
}

// The language of the environment's first setting; a LANGUAGE list gives one per item.
std::vector<std::string> environmentLanguages(const CLrcReader::Environment& environment)
{
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = environment(name);
        if (!value || !*value)
            continue;
        std::vector<std::string> languages;
        std::string text = value;
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find(':', start), text.size());
            languages.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return languages;
    }
    return {};
}

// "en_US.UTF-8@euro" names "en_US", then "en". Only plain names become file names, so that no
// setting can point outside the folder.
std::vector<std::string> fileLanguages(std::string locale)
{
    locale = locale.substr(0, locale.find_first_of(".@"));
    const bool plain = !locale.empty() && std::all_of(locale.begin(), locale.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_' || c == '-';
    });
    if (!plain)
        return {};
    const std::string language = locale.substr(0, locale.find_first_of("_-"));
    if (language == locale)
        return {language};
    return {locale, language};
}

bool isBuiltInLanguage(const std::string& locale)
{
    const std::string language = locale.substr(0, locale.find_first_of("_-.@"));
    return language.empty() || language == "C" || language == "POSIX" || language == "ja";
}

} // namespace

struct CLrcReader::Pimpl
{
    std::optional<Table> table;
    mutable std::atomic<bool> incomplete {false};
};

CLrcReader::CLrcReader()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

CLrcReader::~CLrcReader() = default;

CLrcReader& CLrcReader::Instance()
{
    static CLrcReader instance;
    return instance;
}

std::string CLrcReader::DefaultPath()
{
    const std::string program = programPath();
    return program.empty() ? program : program + ".lrc";
}

std::string CLrcReader::LanguageFolder()
{
    const std::string program = programPath();
    const std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? "" : program.substr(0, slash) + "/../share/orvane";
}

std::vector<std::string> CLrcReader::LanguagePaths(const std::string& folder, const Environment& environment)
{
    std::vector<std::string> paths;
    for (const std::string& locale : environmentLanguages(environment)) {
        if (locale.empty())
            continue;
        // The first built-in language in a preference list wins over the ones after it.
        if (isBuiltInLanguage(locale))
            break;
        for (const std::string& language : fileLanguages(locale))
            paths.push_back(folder + "/orvane." + language + ".lrc");
    }
    return paths;
}

bool CLrcReader::Load()
{
    if (Load(DefaultPath()))
        return true;
    const std::string folder = LanguageFolder();
    if (folder.empty())
        return false;
    for (const std::string& path : LanguagePaths(folder, [](const char* name) { return std::getenv(name); }))
        if (Load(path))
            return true;
    return false;
}

bool CLrcReader::Load(const std::string& path)
{
    Release();
    try {
        std::optional<Bytes> file = readRegularFile(path);
        if (file)
            m_pimpl->table = parse(std::move(*file));
    } catch (const std::bad_alloc&) {
        m_pimpl->table.reset(); // without memory for it the file is ignored like a broken one
    }
    return IsLoaded();
}

void CLrcReader::Release()
{
    m_pimpl->table.reset();
    m_pimpl->incomplete = false;
}

bool CLrcReader::IsLoaded() const
{
    return m_pimpl->table.has_value();
}

std::optional<std::wstring> CLrcReader::GetString(std::uint32_t id) const
{
    if (!m_pimpl->table)
        return std::nullopt;
    const std::vector<EntryRef>& index = m_pimpl->table->index;
    const auto found = std::lower_bound(index.begin(), index.end(), id,
                                        [](const EntryRef& entry, std::uint32_t wanted) { return entry.id < wanted; });
    if (found == index.end() || found->id != id) {
        m_pimpl->incomplete = true;
        return std::nullopt;
    }
    return composeEntry(m_pimpl->table->block, found->offset);
}

bool CLrcReader::IsIncomplete() const
{
    return m_pimpl->incomplete;
}

std::wstring CLrcReader::GetVersionText() const
{
    if (!m_pimpl->table)
        return L"-";
    std::wstring text;
    for (std::size_t i = 0; i < 4; ++i)
        text += (i ? L"." : L"") + std::to_wstring(m_pimpl->table->block[Offset::Version + i]);
    return m_pimpl->incomplete ? text + L" !" : text;
}

} // namespace Orvane::System
