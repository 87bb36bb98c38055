#pragma once

#include "System/Text.hpp"

#include <string>
#include <type_traits>
#include <utility>

namespace Orvane::HTTP::Command {

// A leaf element of a command document and its value (long or std::string).
template <class T>
struct BasicNode
{
    BasicNode(std::string name, T value)
        : Name(std::move(name))
        , Value(std::move(value))
    { }

    // Wide text goes to the device in the narrow character set of the process.
    template <class U = T, std::enable_if_t<std::is_same<U, std::string>::value, int> = 0>
    BasicNode(std::string name, const std::wstring& value)
        : Name(std::move(name))
        , Value(System::ToANSI(value))
    { }

    std::string Name;
    T Value;
};

} // namespace Orvane::HTTP::Command
