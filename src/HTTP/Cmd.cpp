#include "HTTP/Cmd.hpp"

#include "HTTP/ElementTable.hpp"

namespace Orvane::HTTP::Command {

namespace {

template <class T>
Cmd& WriteLeaf(Cmd& cmd, const BasicNode<T>& leaf)
{
    xmlNode* node = cmd.Document().AddValue(ElementTable::IdOf(leaf.Name), leaf.Value);
    if (cmd.TakeMark())
        cmd.Document().SetNodeOption(node, 1);
    return cmd;
}

} // namespace

struct Cmd::Pimpl
{
    Mcmd document;
    bool markNext = false;
};

Cmd::Cmd()
    : m_pimpl(std::make_shared<Pimpl>())
{ }

void Cmd::MarkNext()
{
    m_pimpl->markNext = true;
}

Mcmd& Cmd::Document() const
{
    return m_pimpl->document;
}

bool Cmd::TakeMark()
{
    const bool marked = m_pimpl->markNext;
    m_pimpl->markNext = false;
    return marked;
}

template <>
Cmd& operator<<(Cmd& cmd, const Tag& element)
{
    cmd.Document().OpenElement(ElementTable::IdOf(element.Name));
    return cmd;
}

template <>
Cmd& operator<<(Cmd& cmd, const ETag&)
{
    cmd.Document().CloseElement();
    return cmd;
}

template <>
Cmd& operator<<(Cmd& cmd, const BasicNode<long>& element)
{
    return WriteLeaf(cmd, element);
}

template <>
Cmd& operator<<(Cmd& cmd, const BasicNode<std::string>& element)
{
    return WriteLeaf(cmd, element);
}

} // namespace Orvane::HTTP::Command
