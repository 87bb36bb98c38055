#include "HTTP/Node.hpp"

#include "HTTP/AttributeParser.hpp"
#include "HTTP/DocumentText.hpp"
#include "HTTP/ElementTable.hpp"
#include "HTTP/Exceptions.hpp"

#include <boost/optional.hpp>
#include <boost/throw_exception.hpp>

#include <charconv>

namespace Orvane::HTTP::XML {

namespace {

// Only the node's own text and CDATA children count. Entity references are never followed: their
// expansion is what a hostile document would use to blow up in size.
boost::optional<std::string> OwnText(const xmlNode* children)
{
    boost::optional<std::string> text;
    for (const xmlNode* child = children; child; child = child->next) {
        if (child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE)
            continue;
        if (!text)
            text.emplace();
        if (child->content)
            *text += reinterpret_cast<const char*>(child->content);
    }
    return text;
}

bool IsElement(const xmlNode* node)
{
    return node && node->type == XML_ELEMENT_NODE;
}

std::string QualifiedName(const xmlAttr* attribute)
{
    std::string name;
    if (attribute->ns && attribute->ns->prefix)
        name = reinterpret_cast<const char*>(attribute->ns->prefix) + std::string(":");
    return name + reinterpret_cast<const char*>(attribute->name);
}

// The start tag's attribute text as the device wrote it, give or take quoting and spacing.
std::string AttributeText(const xmlNode* element)
{
    std::string text;
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        std::string value = OwnText(attribute->children).value_or(std::string());
        for (std::size_t at = value.find('"'); at != std::string::npos; at = value.find('"', at))
            value.replace(at, 1, "&quot;");
        text += (text.empty() ? "" : " ") + QualifiedName(attribute) + "=\"" + value + '"';
    }
    return text;
}

std::string Trimmed(const std::string& text)
{
    const char* const space = " \t\r\n";
    const auto first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

} // namespace

long Node::GetDecimal() const
{
    const std::string text = Trimmed(GetString());
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        BOOST_THROW_EXCEPTION(InvalidContentType());
    return value;
}

std::string Node::GetString() const
{
    const auto text = IsElement(m_handle) ? OwnText(m_handle->children) : boost::none;
    if (!text)
        BOOST_THROW_EXCEPTION(InvalidContentType());
    return DocumentText::FromDocument(*text);
}

std::string Node::GetStringOrEmpty() const
{
    if (IsElement(m_handle) && !m_handle->children)
        return std::string();
    return GetString();
}

std::string Node::GetName() const
{
    if (!IsElement(m_handle))
        return std::string();
    const char* name = reinterpret_cast<const char*>(m_handle->name);
    const int id = ElementTable::IdOfIgnoringCase(name);
    return id == ElementTable::Unknown ? DocumentText::FromDocument(name) : ElementTable::NameOf(id);
}

std::map<std::string, std::string> Node::GetAttributes() const
{
    if (!IsElement(m_handle))
        return {};
    return AttributeParser::Parse(DocumentText::FromDocument(AttributeText(m_handle)));
}

} // namespace Orvane::HTTP::XML
