#pragma once

#include "UI/VirtualList/BaseColumn.hpp"

namespace Orvane::UI::VirtualList {

// The header of a picture column: image 0 of the list's image list, and the width.
class ImageColumn
{
public:
    explicit ImageColumn(int width)
        : m_width(width)
    { }

    void Describe(HeaderInfo& header) const
    {
        header.image = 0;
        header.width = m_width;
    }

private:
    int m_width;
};

} // namespace Orvane::UI::VirtualList
