#pragma once

#include "UI/VirtualList/BaseColumn.hpp"
#include "UI/VirtualList/ImageList.hpp"
#include "UI/VirtualList/ScopedLock.hpp"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QTreeView>

#include <boost/optional/optional.hpp>

#include <algorithm>
#include <exception>
#include <memory>
#include <vector>

namespace Orvane::UI::VirtualList {

// A list that holds only keys: a table model over the displayed key vector, shown by its own tree
// view. Every cell is produced on demand from the source under the source's lock, and a key that
// has vanished gives an empty cell. Clicking a header sorts by that column and flips its direction;
// the selected row follows its key.
template <class S>
class Control : public QAbstractTableModel
{
public:
    using Key = typename S::Key;
    using Keys = typename S::Keys;
    using ColumnPointer = std::shared_ptr<BaseColumn<Key>>;

    // The view is made as a child of parent; images, when given, serve the picture columns.
    explicit Control(QWidget* parent, std::shared_ptr<const ImageList> images = nullptr)
        : m_pimpl(std::make_unique<Pimpl>())
    {
        m_pimpl->images = std::move(images);
        auto* view = new QTreeView(parent);
        view->setRootIsDecorated(false);
        view->setUniformRowHeights(true);
        view->setItemsExpandable(false);
        view->setAllColumnsShowFocus(true);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setModel(this);
        view->header()->setSectionsClickable(true);
        view->header()->setSectionsMovable(false);
        view->header()->setSortIndicatorShown(true);
        QObject::connect(view->header(), &QHeaderView::sectionClicked, this, [this](int section) {
            try {
                OnColumnClick(section);
            } catch (const std::exception&) {
                // The sort state is back as it was, and so is the list.
                QApplication::beep();
            }
        });
        m_pimpl->view = view;
    }

    QTreeView* GetView() const { return m_pimpl->view; }
    // Not owned; set before the first reload.
    void SetSource(const S* source) { m_pimpl->source = source; }
    const S* GetSource() const { return m_pimpl->source; }

    void AddColumn(const ColumnPointer& column)
    {
        const int position = static_cast<int>(m_pimpl->columns.size());
        HeaderInfo header;
        column->InsertInto(header, position);
        beginInsertColumns(QModelIndex(), position, position);
        m_pimpl->columns.push_back(column);
        m_pimpl->headers.push_back(header);
        endInsertColumns();
        m_pimpl->view->header()->resizeSection(position, header.width);
        UpdateSortIndicator();
    }
    const ColumnPointer& GetColumn(int index) const { return m_pimpl->columns.at(index); }

    int GetSortColumn() const { return m_pimpl->sortColumn; }
    void SetSortColumn(int column)
    {
        m_pimpl->sortColumn = column;
        UpdateSortIndicator();
    }

    // Follows the source: sorts anew when its keys changed, else only repaints.
    void Reload()
    {
        const ScopedLock<S> lock(*m_pimpl->source);
        auto fresh = m_pimpl->source->GetKeys();
        if (!m_pimpl->displayed || HasChanged(m_pimpl->sourceKeys, *fresh))
            Install(std::move(fresh));
        else
            RedrawItems();
    }

    // Fetches, sorts and shows the keys anew, keeping the selection on its key. A failing sort
    // leaves the list as it was and raises.
    void SortItems()
    {
        const ScopedLock<S> lock(*m_pimpl->source);
        Install(m_pimpl->source->GetKeys());
    }

    // Selects the row of key, or the first row when the key is not there.
    void AdjustSelectedItem(const Key& key, const Keys& keys)
    {
        if (keys.empty())
            return;
        const auto found = std::find(keys.begin(), keys.end(), key);
        const int row = found == keys.end() ? 0 : static_cast<int>(found - keys.begin());
        m_pimpl->view->selectionModel()->setCurrentIndex(
            index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // A list opened for the user starts with its first row selected, when it has one.
    void SelectFirstRow()
    {
        if (rowCount(QModelIndex()) > 0)
            m_pimpl->view->selectionModel()->setCurrentIndex(
                index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    void RedrawItems()
    {
        const int rows = rowCount(QModelIndex());
        if (rows > 0 && !m_pimpl->columns.empty())
            emit dataChanged(index(0, 0), index(rows - 1, columnCount(QModelIndex()) - 1));
    }

    // The key of the first selected row.
    boost::optional<Key> GetSelectedKey() const
    {
        const auto rows = m_pimpl->view->selectionModel()->selectedRows();
        if (rows.isEmpty() || !m_pimpl->displayed)
            return boost::none;
        int first = rows.front().row();
        for (const auto& row : rows)
            first = std::min(first, row.row());
        return m_pimpl->displayed->at(first);
    }

    // The displayed keys, in row order.
    Keys GetDisplayedKeys() const { return m_pimpl->displayed ? *m_pimpl->displayed : Keys(); }

    // A header click: this column becomes the sort column and its direction flips. When the sort
    // fails both are put back and the error continues.
    void OnColumnClick(int section)
    {
        const ColumnPointer& column = m_pimpl->columns.at(section);
        const int previous = m_pimpl->sortColumn;
        m_pimpl->sortColumn = section;
        column->SetAscending(!column->IsAscending());
        try {
            SortItems();
        } catch (...) {
            column->SetAscending(!column->IsAscending());
            m_pimpl->sortColumn = previous;
            UpdateSortIndicator();
            throw;
        }
        UpdateSortIndicator();
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !m_pimpl->displayed ? 0 : static_cast<int>(m_pimpl->displayed->size());
    }

    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_pimpl->columns.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || !m_pimpl->source || !m_pimpl->displayed
            || (role != Qt::DisplayRole && role != Qt::DecorationRole && role != Qt::FontRole))
            return QVariant();
        const Key& key = m_pimpl->displayed->at(index.row());
        const BaseColumn<Key>& column = *m_pimpl->columns.at(index.column());
        const ScopedLock<S> lock(*m_pimpl->source);
        if (!m_pimpl->source->Contains(key))
            return QVariant();
        if (role == Qt::FontRole)
            return column.IsBold(key) ? QVariant(BoldFont()) : QVariant();
        CellInfo cell;
        column.GetDispInfo(key, cell);
        if (role == Qt::DisplayRole)
            return cell.text.isNull() ? QVariant() : QVariant(cell.text);
        return cell.image >= 0 && m_pimpl->images ? QVariant(m_pimpl->images->Get(cell.image)) : QVariant();
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(m_pimpl->headers.size()))
            return QVariant();
        const HeaderInfo& header = m_pimpl->headers[section];
        if (role == Qt::DisplayRole && !header.text.isEmpty())
            return header.text;
        if (role == Qt::DecorationRole && header.image >= 0 && m_pimpl->images)
            return m_pimpl->images->Get(header.image);
        return QVariant();
    }

protected:
    // Do the keys the source answers now differ from those it answered at the last sort?
    virtual bool HasChanged(const Keys& previous, const Keys& fresh) const = 0;

private:
    struct Pimpl
    {
        const S* source = nullptr;
        std::vector<ColumnPointer> columns;
        std::vector<HeaderInfo> headers;
        int sortColumn = 0;
        boost::optional<Keys> displayed;
        Keys sourceKeys; // as the source answered them at the last sort
        std::shared_ptr<const ImageList> images;
        QTreeView* view = nullptr;
    };

    // Sorts the source's keys aside, then shows them; a failing sort changes nothing.
    void Install(std::unique_ptr<Keys> fresh)
    {
        const boost::optional<Key> selected = GetSelectedKey();
        Keys sorted = *fresh;
        if (m_pimpl->sortColumn >= 0 && m_pimpl->sortColumn < static_cast<int>(m_pimpl->columns.size())) {
            const BaseColumn<Key>& column = *m_pimpl->columns[m_pimpl->sortColumn];
            std::stable_sort(sorted.begin(), sorted.end(),
                             [&column](const Key& a, const Key& b) { return column.Less(a, b); });
        }
        beginResetModel();
        m_pimpl->displayed = std::move(sorted);
        m_pimpl->sourceKeys = std::move(*fresh);
        endResetModel();
        if (selected)
            AdjustSelectedItem(*selected, *m_pimpl->displayed);
    }

    QFont BoldFont() const
    {
        QFont font = m_pimpl->view->font();
        font.setBold(true);
        return font;
    }

    void UpdateSortIndicator()
    {
        const int column = m_pimpl->sortColumn;
        if (column < 0 || column >= static_cast<int>(m_pimpl->columns.size()))
            return;
        m_pimpl->view->header()->setSortIndicator(
            column, m_pimpl->columns[column]->IsAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    }

    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI::VirtualList
