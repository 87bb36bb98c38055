#pragma once

#include "HTTP/Mcmd.hpp"
#include "HTTP/Node.hpp"
#include "HTTP/Path.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Orvane::HTTP::XML {

// A parsed device answer or HTML fragment and the ways to walk it. Copies share the document;
// iterators are valid until the document is parsed again or its last Parser goes.
class Parser
{
public:
    // Steps through the element children of one parent; equal when they designate the same node.
    class Iterator
    {
    public:
        Iterator() = default; // the end
        explicit Iterator(xmlNode* node);

        Iterator& operator++();
        bool operator==(const Iterator& other) const { return m_node.Handle() == other.m_node.Handle(); }
        bool operator!=(const Iterator& other) const { return !(*this == other); }
        const Node& operator*() const { return m_node; }
        const Node* operator->() const { return &m_node; }
        // 0-based place among the parent's element children.
        std::size_t Position() const { return m_position; }

    private:
        Node m_node;
        std::size_t m_position = 0;
    };

    Parser();

    // An HTML fragment, parsed leniently. False for an empty buffer or one that is no document.
    bool Parse(const std::vector<char>& bytes);

    // The document itself: the node that Find starts from to reach the top element.
    Iterator Top() const;
    Iterator End() const { return Iterator(); }

    // Follows the path one child level per name from start; End when a step finds nothing.
    Iterator Find(const Path& path, Iterator start) const;
    // The first element child of the node at the iterator whose name is name.
    static Iterator FindChild(const Iterator& at, const std::string& name);
    // The first element of the document, in document order, with the table id of name.
    Iterator Search(const std::string& name) const;

    // The document, for the connection to receive an answer into.
    Mcmd& Document() const { return *m_document; }

private:
    std::shared_ptr<Mcmd> m_document;
};

} // namespace Orvane::HTTP::XML
