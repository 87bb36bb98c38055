#include "XmlRequest.hpp"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <strings.h>

namespace OrvaneDevSim {

struct XmlRequest::Document
{
    explicit Document(xmlDocPtr doc)
        : doc(doc)
    { }
    ~Document() { xmlFreeDoc(doc); }
    xmlDocPtr doc;
};

namespace {

xmlNodePtr findElement(xmlNodePtr node, const std::string& name)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (::strcasecmp(reinterpret_cast<const char*>(node->name), name.c_str()) == 0)
            return node;
        if (xmlNodePtr inner = findElement(node->children, name))
            return inner;
    }
    return nullptr;
}

} // namespace

XmlRequest::XmlRequest(std::shared_ptr<Document> document)
    : m_document(std::move(document))
{ }

std::optional<XmlRequest> XmlRequest::parse(const std::string& body)
{
    xmlDocPtr doc = xmlReadMemory(body.data(), static_cast<int>(body.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc)
        return std::nullopt;
    return XmlRequest(std::make_shared<Document>(doc));
}

std::optional<std::string> XmlRequest::text(const std::string& name) const
{
    xmlNodePtr element = findElement(xmlDocGetRootElement(m_document->doc), name);
    if (!element)
        return std::nullopt;
    xmlChar* content = xmlNodeGetContent(element);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

} // namespace OrvaneDevSim
