#pragma once

#include "UI/VirtualList/BaseColumn.hpp"
#include "UI/VirtualList/ImageColumn.hpp"
#include "UI/VirtualList/TextColumn.hpp"

#include <string>
#include <utility>

namespace Orvane::UI::VirtualList {

// What every concrete column shares: the source it reads, its position and its own direction.
// Concrete columns give the ascending order (Precedes); the descending direction swaps the keys.
template <class Holder, class K, class Kind>
class ColumnCore : public BaseColumn<K>, protected Kind
{
public:
    using Key = K;

    template <class... KindArguments>
    explicit ColumnCore(const Holder& holder, KindArguments&&... arguments)
        : Kind(std::forward<KindArguments>(arguments)...)
        , m_holder(holder)
    { }

    int GetIndex() const override { return m_position; }
    bool IsAscending() const override { return m_ascending; }
    void SetAscending(bool ascending) override { m_ascending = ascending; }
    bool Less(const Key& a, const Key& b) const override { return m_ascending ? Precedes(a, b) : Precedes(b, a); }
    void InsertInto(HeaderInfo& header, int position) override
    {
        Kind::Describe(header);
        m_position = position;
    }

protected:
    // a comes before b in ascending order.
    virtual bool Precedes(const Key& a, const Key& b) const = 0;
    const Holder& GetHolder() const { return m_holder; }

private:
    const Holder& m_holder;
    int m_position = 0;
    bool m_ascending = true;
};

template <class Holder, class Key, class Kind>
class Column;

// A column of texts.
template <class Holder, class K>
class Column<Holder, K, TextColumn> : public ColumnCore<Holder, K, TextColumn>
{
public:
    using Key = K;

    Column(const Holder& holder, const std::wstring& header, int width)
        : ColumnCore<Holder, K, TextColumn>(holder, header, width)
    { }

    void GetDispInfo(const Key& key, CellInfo& cell) const override
    {
        cell.text = QString::fromStdWString(GetText(key));
    }

protected:
    virtual std::wstring GetText(const Key& key) const = 0;
};

// A column of pictures from the list's image list.
template <class Holder, class K>
class Column<Holder, K, ImageColumn> : public ColumnCore<Holder, K, ImageColumn>
{
public:
    using Key = K;

    Column(const Holder& holder, int width)
        : ColumnCore<Holder, K, ImageColumn>(holder, width)
    { }

    void GetDispInfo(const Key& key, CellInfo& cell) const override { cell.image = GetImage(key); }

protected:
    virtual int GetImage(const Key& key) const = 0;
};

} // namespace Orvane::UI::VirtualList
