#pragma once

#include <libxml/tree.h>

#include <map>
#include <string>

namespace Orvane::HTTP::XML {

// Read access to one node of a parsed document. It refers into the document and is valid as long
// as the document is neither parsed again nor destroyed.
class Node
{
public:
    explicit Node(xmlNode* handle = nullptr)
        : m_handle(handle)
    { }

    xmlNode* Handle() const { return m_handle; }

    // The element's text as a decimal integer; HTTP::InvalidContentType when it is none.
    long GetDecimal() const;
    // The element's own text; HTTP::InvalidContentType when the element has no text.
    std::string GetString() const;
    // As GetString, but an element written empty ("<A/>", "<A></A>") reads as an empty text: for
    // values a device may leave blank, such as its own name.
    std::string GetStringOrEmpty() const;
    // The table name of the element, whatever its case in the document; an element outside the
    // table keeps its own name.
    std::string GetName() const;
    // The element's attributes as read back from its start tag.
    std::map<std::string, std::string> GetAttributes() const;

private:
    xmlNode* m_handle;
};

} // namespace Orvane::HTTP::XML
