#pragma once

#include <QString>

#include <boost/noncopyable.hpp>

namespace Orvane::UI::VirtualList {

// One cell as a column fills it: a text, or an image of the list's image list.
struct CellInfo
{
    QString text;
    int image = -1;
};

// A column's header: its text or image and its width in pixels.
struct HeaderInfo
{
    QString text;
    int image = -1;
    int width = 0;
};

// A column of a list over keys of type Key: turns a key into a cell, orders two keys and may ask for
// a bold font. Every call happens under the source's lock, for keys the source contains.
template <class Key>
class BaseColumn : boost::noncopyable
{
public:
    virtual ~BaseColumn() = default;

    // The column's position in the list.
    virtual int GetIndex() const = 0;
    // The current sort direction; true at construction.
    virtual bool IsAscending() const = 0;
    virtual void SetAscending(bool ascending) = 0;
    virtual void GetDispInfo(const Key& key, CellInfo& cell) const = 0;
    // a sorts before b in the current direction; equal keys are not less.
    virtual bool Less(const Key& a, const Key& b) const = 0;
    // Records the position and describes the header.
    virtual void InsertInto(HeaderInfo& header, int position) = 0;
    virtual bool IsBold(const Key& key) const
    {
        (void)key;
        return false;
    }
};

} // namespace Orvane::UI::VirtualList
