#include "HTTP/Parser.hpp"

#include "HTTP/ElementTable.hpp"

namespace Orvane::HTTP::XML {

namespace {

std::size_t PositionOf(xmlNode* node)
{
    std::size_t position = 0;
    if (node->type != XML_ELEMENT_NODE)
        return position;
    for (xmlNode* before = xmlPreviousElementSibling(node); before; before = xmlPreviousElementSibling(before))
        ++position;
    return position;
}

// The next element after node in document order, within the subtree of top. Only elements are
// entered, never entity references, and the walk keeps no stack, so deep documents cost nothing extra.
xmlNode* NextInDocument(xmlNode* node, xmlNode* top)
{
    if (xmlNode* child = xmlFirstElementChild(node))
        return child;
    for (; node && node != top; node = node->parent)
        if (xmlNode* sibling = xmlNextElementSibling(node))
            return sibling;
    return nullptr;
}

} // namespace

Parser::Iterator::Iterator(xmlNode* node)
    : m_node(node)
    , m_position(node ? PositionOf(node) : 0)
{ }

Parser::Iterator& Parser::Iterator::operator++()
{
    xmlNode* node = m_node.Handle();
    m_node = Node(node && node->type == XML_ELEMENT_NODE ? xmlNextElementSibling(node) : nullptr);
    m_position = m_node.Handle() ? m_position + 1 : 0;
    return *this;
}

Parser::Parser()
    : m_document(std::make_shared<Mcmd>())
{ }

bool Parser::Parse(const std::vector<char>& bytes)
{
    if (bytes.empty())
        return false;
    return m_document->ParseHtml(bytes.data(), bytes.size());
}

Parser::Iterator Parser::Top() const
{
    return Iterator(m_document->Top());
}

Parser::Iterator Parser::Find(const Path& path, Iterator start) const
{
    for (const std::string& name : path.Names()) {
        if (start == End())
            break;
        start = FindChild(start, name);
    }
    return start;
}

Parser::Iterator Parser::FindChild(const Iterator& at, const std::string& name)
{
    xmlNode* parent = at->Handle();
    if (!parent)
        return Iterator();
    for (xmlNode* child = xmlFirstElementChild(parent); child; child = xmlNextElementSibling(child))
        if (Node(child).GetName() == name)
            return Iterator(child);
    return Iterator();
}

Parser::Iterator Parser::Search(const std::string& name) const
{
    const int id = ElementTable::IdOf(name);
    if (id == ElementTable::Unknown)
        return End();
    xmlNode* top = m_document->Top();
    for (xmlNode* node = NextInDocument(top, top); node; node = NextInDocument(node, top))
        if (ElementTable::IdOfIgnoringCase(reinterpret_cast<const char*>(node->name)) == id)
            return Iterator(node);
    return End();
}

} // namespace Orvane::HTTP::XML
