#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace Orvane::HTTP::XML {

// Element names leading from a node down to one of its descendants, one level per name.
class Path
{
public:
    Path(const std::string& name)
        : m_names {name}
    { }
    Path(const char* name)
        : m_names {name}
    { }
    Path(std::initializer_list<std::string> names)
        : m_names(names)
    { }

    const std::vector<std::string>& Names() const { return m_names; }

private:
    std::vector<std::string> m_names;
};

} // namespace Orvane::HTTP::XML
