#pragma once

#include <string>
#include <utility>

namespace Orvane::HTTP::Command {

// Opens an element of a command document.
struct Tag
{
    explicit Tag(std::string name)
        : Name(std::move(name))
    { }
    std::string Name;
};

} // namespace Orvane::HTTP::Command
