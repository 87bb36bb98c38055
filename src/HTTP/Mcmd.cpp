#include "HTTP/Mcmd.hpp"

#include "../Exceptions.hpp"
#include "HTTP/DocumentText.hpp"
#include "HTTP/ElementTable.hpp"
#include "HTTP/Exceptions.hpp"
#include "HTTP/PercentEncoding.hpp"
#include "System/Text.hpp"

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/xmlIO.h>

#include <boost/throw_exception.hpp>

#include <cerrno>
#include <climits>
#include <mutex>
#include <utility>
#include <vector>

namespace Orvane::HTTP {

namespace {

// Nothing a device sends may make us read a file or the network.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr)
{
    return nullptr;
}

void InitialiseLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
    });
}

constexpr int XmlOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
constexpr int HtmlOptions = HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_RECOVER;

const xmlChar* Utf8(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

[[noreturn]] void Refuse(int code)
{
    BOOST_THROW_EXCEPTION(HTTP::SystemError(code));
}

template <class T>
T* Checked(T* made)
{
    if (!made)
        Refuse(ENOMEM);
    return made;
}

// Query texts keep only the unreserved characters.
bool Unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
        || c == '_' || c == '~';
}

struct DocFree
{
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

DocPtr NewDocument()
{
    xmlDoc* doc = xmlNewDoc(BAD_CAST "1.0");
    if (!doc)
        BOOST_THROW_EXCEPTION(Orvane::SystemError(ENOMEM));
    return DocPtr(doc);
}

} // namespace

struct Mcmd::Pimpl
{
    DocPtr doc = NewDocument();
    xmlNode* open = nullptr; // innermost element still open while building
    std::vector<std::pair<std::string, std::string>> parameters;

    xmlNode* NewElement(int id)
    {
        if (id < 0 || id >= ElementTable::Count)
            Refuse(EINVAL);
        const std::string name = ElementTable::NameOf(id);
        if (open)
            return Checked(xmlNewChild(open, nullptr, Utf8(name), nullptr));
        if (xmlDocGetRootElement(doc.get()))
            Refuse(EINVAL); // a document has one top element
        xmlNode* root = Checked(xmlNewDocNode(doc.get(), nullptr, Utf8(name), nullptr));
        xmlDocSetRootElement(doc.get(), root);
        return root;
    }

    bool Replace(xmlDoc* parsed)
    {
        open = nullptr;
        if (!parsed)
            return false;
        doc.reset(parsed);
        return true;
    }
};

Mcmd::Mcmd()
    : m_pimpl((InitialiseLibrary(), std::make_unique<Pimpl>()))
{ }

Mcmd::~Mcmd() = default;

void Mcmd::Clear()
{
    m_pimpl->doc = NewDocument();
    m_pimpl->open = nullptr;
    m_pimpl->parameters.clear();
}

void Mcmd::OpenElement(int id)
{
    m_pimpl->open = m_pimpl->NewElement(id);
}

void Mcmd::CloseElement()
{
    xmlNode* open = m_pimpl->open;
    if (!open)
        Refuse(EINVAL);
    m_pimpl->open = open->parent && open->parent->type == XML_ELEMENT_NODE ? open->parent : nullptr;
}

xmlNode* Mcmd::AddValue(int id, const std::string& text)
{
    if (!m_pimpl->open)
        Refuse(EINVAL); // a value element always sits inside another
    xmlNode* leaf = m_pimpl->NewElement(id);
    const std::string content = DocumentText::ToDocument(text);
    if (!content.empty())
        xmlAddChild(leaf, Checked(xmlNewText(Utf8(content))));
    return leaf;
}

xmlNode* Mcmd::AddValue(int id, long value)
{
    return AddValue(id, std::to_string(value));
}

void Mcmd::SetNodeOption(xmlNode* leaf, int option)
{
    if (!leaf || option != 1)
        Refuse(EINVAL);
    xmlNode* text = leaf->children;
    if (!text || text->type != XML_TEXT_NODE)
        return; // nothing to hide in an empty leaf
    xmlNode* cdata = Checked(xmlNewCDataBlock(leaf->doc, text->content, xmlStrlen(text->content)));
    xmlFreeNode(xmlReplaceNode(text, cdata));
}

std::string Mcmd::ToXml() const
{
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(m_pimpl->doc.get(), &text, &size, "UTF-8");
    if (!text)
        Refuse(ENOMEM);
    std::string xml(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
    xmlFree(text);
    return xml;
}

bool Mcmd::ParseXml(const char* bytes, std::size_t size)
{
    Clear();
    if (size > static_cast<std::size_t>(INT_MAX))
        return false;
    return m_pimpl->Replace(xmlReadMemory(bytes, static_cast<int>(size), nullptr, nullptr, XmlOptions));
}

bool Mcmd::ParseHtml(const char* bytes, std::size_t size)
{
    Clear();
    if (size > static_cast<std::size_t>(INT_MAX))
        return false;
    // Fragments are text of this program, so they are in its narrow character set.
    return m_pimpl->Replace(
        htmlReadMemory(bytes, static_cast<int>(size), nullptr, System::ANSICodeset().c_str(), HtmlOptions));
}

xmlNode* Mcmd::Top() const
{
    return reinterpret_cast<xmlNode*>(m_pimpl->doc.get());
}

void Mcmd::AddParameter(const std::string& key, const std::string& value)
{
    m_pimpl->parameters.emplace_back(key, value);
}

std::string Mcmd::RenderQuery() const
{
    std::string query;
    for (const auto& [key, value] : m_pimpl->parameters) {
        if (!query.empty())
            query += '&';
        query += PercentEncode(key, &Unreserved) + '=' + PercentEncode(value, &Unreserved);
    }
    return query;
}

} // namespace Orvane::HTTP
