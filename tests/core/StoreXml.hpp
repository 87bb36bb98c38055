#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <sstream>
#include <string>

namespace OrvaneTest {

// A data store document as a tree, for comparing stores apart from their whitespace.
class StoreXml
{
public:
    explicit StoreXml(const std::string& text)
        : m_doc(xmlReadMemory(text.data(), static_cast<int>(text.size()), "store.xml", nullptr,
                              XML_PARSE_NONET | XML_PARSE_NOBLANKS),
                xmlFreeDoc)
    { }

    bool IsValid() const { return m_doc && xmlDocGetRootElement(m_doc.get()); }

    // Every element with its attributes and text, one per line, indented by depth. The archive's own
    // version attribute on the root is left out: it is whatever the installed library writes.
    std::string Outline() const
    {
        std::ostringstream out;
        Write(out, xmlDocGetRootElement(m_doc.get()), 0, true);
        return out.str();
    }

    // The outline of the first element with this name, or "" when there is none.
    std::string Find(const std::string& name) const
    {
        const xmlNode* found = Find(xmlDocGetRootElement(m_doc.get()), name);
        std::ostringstream out;
        if (found)
            Write(out, found, 0, false);
        return out.str();
    }

private:
    static std::string Text(const xmlChar* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

    static const xmlNode* Find(const xmlNode* node, const std::string& name)
    {
        for (; node; node = node->next) {
            if (node->type == XML_ELEMENT_NODE && Text(node->name) == name)
                return node;
            if (const xmlNode* inside = Find(node->children, name))
                return inside;
        }
        return nullptr;
    }

    static void Write(std::ostream& out, const xmlNode* node, int depth, bool root)
    {
        out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << Text(node->name);
        for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            const std::string name = Text(attribute->name);
            if (root && name == "version")
                continue;
            xmlChar* value = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
            out << ' ' << name << "=\"" << Text(value) << '"';
            xmlFree(value);
        }
        bool hasElements = false;
        for (const xmlNode* child = node->children; child; child = child->next)
            hasElements = hasElements || child->type == XML_ELEMENT_NODE;
        if (!hasElements) {
            xmlChar* value = xmlNodeGetContent(node);
            out << " [" << Text(value) << ']';
            xmlFree(value);
        }
        out << '\n';
        for (const xmlNode* child = node->children; child; child = child->next) {
            if (child->type == XML_ELEMENT_NODE)
                Write(out, child, depth + 1, false);
        }
    }

    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> m_doc;
};

} // namespace OrvaneTest
