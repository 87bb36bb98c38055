#pragma once

#include "UI/VirtualList/BaseColumn.hpp"

#include <map>
#include <memory>
#include <string>

namespace Orvane::UI::VirtualList {

// Makes a list's columns by class name from a table of makers.
template <class S>
class ColumnFactory
{
public:
    using ColumnPointer = std::shared_ptr<BaseColumn<typename S::Key>>;
    using Maker = ColumnPointer (*)(const S& source, int width);
    using Makers = std::map<std::string, Maker>;

    template <class C>
    static ColumnPointer Make(const S& source, int width)
    {
        return std::make_shared<C>(source, width);
    }

    // Null for a name the table does not hold.
    static ColumnPointer Find(const Makers& makers, const std::string& name, const S& source, int width)
    {
        const auto found = makers.find(name);
        return found == makers.end() ? nullptr : found->second(source, width);
    }
};

} // namespace Orvane::UI::VirtualList
