#pragma once

#include "HTTP/BasicNode.hpp"
#include "HTTP/ETag.hpp"
#include "HTTP/Mcmd.hpp"
#include "HTTP/Tag.hpp"

#include <memory>
#include <string>

namespace Orvane::HTTP::Command {

// A command document built by chaining: cmd << Tag("REQUEST") << BasicNode<std::string>("COMMAND",
// "GETUSERLIST") << ETag(). Copies share the document. A step the document refuses (an unknown
// element name, closing with nothing open) throws HTTP::SystemError.
class Cmd
{
public:
    Cmd();

    // The next leaf written is a secret (a password): it is sent verbatim, as CDATA.
    void MarkNext();

    Mcmd& Document() const;

    // Used by the leaf writers: whether MarkNext was called since the last leaf; clears the mark.
    bool TakeMark();

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

template <class Element>
Cmd& operator<<(Cmd& cmd, const Element& element);

template <>
Cmd& operator<<(Cmd& cmd, const Tag& element);
template <>
Cmd& operator<<(Cmd& cmd, const ETag& element);
template <>
Cmd& operator<<(Cmd& cmd, const BasicNode<long>& element);
template <>
Cmd& operator<<(Cmd& cmd, const BasicNode<std::string>& element);

} // namespace Orvane::HTTP::Command
