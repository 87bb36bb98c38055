#include "QX/DescriptionLink.hpp"

#include "HTTP/AttributeParser.hpp"
#include "HTTP/Parser.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace Orvane::QX {

namespace {

using HTTP::XML::AttributeParser;
using HTTP::XML::Parser;

std::string HrefOf(const std::map<std::string, std::string>& attributes)
{
    const auto href = attributes.find("href");
    return href == attributes.end() ? std::string() : href->second;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameChar(char c)
{
    return IsLetter(c) || (c >= '0' && c <= '9') || c == '-';
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Elements whose content the HTML parser does not read as markup, or that can change how it reads
// the rest: the scan leaves a description holding one to the full parse.
bool IsSpecial(const std::string& name)
{
    static const std::array<const char*, 12> names {"script", "style",    "textarea", "title",  "xmp",  "iframe",
                                                    "noembed", "noframes", "noscript", "plaintext", "meta", "base"};
    return std::any_of(names.begin(), names.end(), [&name](const char* special) { return name == special; });
}

// Reads the markup from a '<' up to its '>'; every question the scan cannot settle ends it empty.
class TagScanner
{
public:
    TagScanner(const std::string& text, std::size_t at)
        : m_text(text)
        , m_at(at)
    { }

    // The start or end tag at the position: its lower-case name and, for a start tag, its attributes
    // as the parser reports them (name="value", one space apart). False for anything else.
    bool Read(std::string& name, std::string& attributes, bool& end)
    {
        ++m_at; // '<'
        end = Peek() == '/';
        if (end)
            ++m_at;
        if (!IsLetter(Peek()) || !ReadName(name))
            return false;
        std::vector<std::string> seen;
        for (;;) {
            SkipSpace();
            if (Peek() == '>') {
                ++m_at;
                return true;
            }
            if (end)
                return false;
            std::string attribute, value;
            if (!IsLetter(Peek()) || !ReadName(attribute) || !ReadValue(value))
                return false;
            // The parser keeps the first of two equal names, the attribute reader the last.
            if (std::find(seen.begin(), seen.end(), attribute) != seen.end())
                return false;
            seen.push_back(attribute);
            attributes += (attributes.empty() ? "" : " ") + attribute + "=\"" + value + '"';
        }
    }

    std::size_t Position() const { return m_at; }

private:
    char Peek() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }

    void SkipSpace()
    {
        while (IsSpace(Peek()))
            ++m_at;
    }

    bool ReadName(std::string& name)
    {
        while (IsNameChar(Peek()))
            name += Lower(m_text[m_at++]);
        const char next = Peek();
        return IsSpace(next) || next == '>' || next == '=';
    }

    // ="value", with "&amp;" read as '&' and no other reference.
    bool ReadValue(std::string& value)
    {
        SkipSpace();
        if (Peek() != '=')
            return false;
        ++m_at;
        SkipSpace();
        if (Peek() != '"')
            return false;
        for (++m_at; m_at < m_text.size() && m_text[m_at] != '"'; ++m_at) {
            const char c = m_text[m_at];
            if (c == '<' || c == '\r' || (c != '\t' && c != '\n' && (c < ' ' || c > '~')))
                return false;
            if (c == '&') {
                if (m_text.compare(m_at, 5, "&amp;") != 0)
                    return false;
                m_at += 4;
            }
            value += c;
        }
        if (Peek() != '"')
            return false;
        ++m_at;
        return true;
    }

    const std::string& m_text;
    std::size_t m_at;
};

// Text between tags is skipped, as long as it is plain: no references, nothing beyond ASCII.
bool PlainText(const std::string& text, std::size_t from, std::size_t to)
{
    for (std::size_t at = from; at < to; ++at) {
        const char c = text[at];
        if (c == '&' || c == '\r' || (c != '\t' && c != '\n' && (c < ' ' || c > '~')))
            return false;
    }
    return true;
}

} // namespace

std::string DescriptionLink::Of(const std::string& description)
{
    if (const auto scanned = Scanned(description))
        return *scanned;
    return Parsed(description);
}

std::string DescriptionLink::Parsed(const std::string& description)
{
    Parser fragment;
    if (!fragment.Parse(std::vector<char>(description.begin(), description.end())))
        return std::string();
    const Parser::Iterator anchor = fragment.Search("A");
    if (anchor == fragment.End())
        return std::string();
    return HrefOf(anchor->GetAttributes());
}

std::optional<std::string> DescriptionLink::Scanned(const std::string& description)
{
    for (std::size_t at = 0;;) {
        const std::size_t open = description.find('<', at);
        // Text alone makes no element.
        if (open == std::string::npos)
            return std::string();
        if (!PlainText(description, at, open))
            return std::nullopt;
        std::string name, attributes;
        bool end = false;
        TagScanner tag(description, open);
        if (!tag.Read(name, attributes, end) || IsSpecial(name))
            return std::nullopt;
        if (name == "a" && !end)
            return HrefOf(AttributeParser::Parse(attributes));
        at = tag.Position();
    }
}

} // namespace Orvane::QX
