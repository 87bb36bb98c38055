#pragma once

#include "UI/VirtualList/BaseColumn.hpp"

#include <string>

namespace Orvane::UI::VirtualList {

// The header of a text column: its text and width.
class TextColumn
{
public:
    TextColumn(const std::wstring& header, int width)
        : m_header(QString::fromStdWString(header))
        , m_width(width)
    { }

    void Describe(HeaderInfo& header) const
    {
        header.text = m_header;
        header.width = m_width;
    }

private:
    QString m_header;
    int m_width;
};

} // namespace Orvane::UI::VirtualList
