#include "VirtualListFixture.hpp"

#include "RSS/Exceptions.hpp"
#include "UI/MarkEventRead.hpp"
#include "UI/VirtualList/EntryColumns/MakeColumn.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "UI/VirtualList/EventColumns/MakeColumn.hpp"
#include "UI/VirtualList/EventListCtrl.hpp"
#include "UI/VirtualList/UserColumns/MakeColumn.hpp"
#include "UI/VirtualList/UserList.hpp"
#include "UI/VirtualList/UserListCtrl.hpp"

#include <QSignalSpy>
#include <QWidget>

namespace {

using namespace Orvane::UI::VirtualList;
using OrvaneTest::cell;
using OrvaneTest::EntryTraits;

// How a model told its view about a reload: a reset is a sort, a change of data a repaint.
struct ModelSpy
{
    explicit ModelSpy(const QAbstractItemModel& model)
        : resets(&model, &QAbstractItemModel::modelReset)
        , layouts(&model, &QAbstractItemModel::layoutChanged)
        , repaints(&model, &QAbstractItemModel::dataChanged)
    { }

    QSignalSpy resets;
    QSignalSpy layouts;
    QSignalSpy repaints;
};

class ControlTest : public OrvaneTest::VirtualListFixture
{
protected:
    EntryTraits device(const wchar_t* name, const wchar_t* host)
    {
        EntryTraits traits;
        traits.deviceName = std::wstring(name);
        traits.host = host;
        return traits;
    }

    void addNameColumns(EntryListCtrl& list, const EntryListSource& source)
    {
        list.SetSource(&source);
        list.AddColumn(EntryColumns::MakeColumn("MFPNameColumn", source, 100));
        list.AddColumn(EntryColumns::MakeColumn("StatusColumn", source, 100));
    }

    QWidget window;
};

TEST_F(ControlTest, TheSelectionFollowsItsKeyAndFallsToTheFirstRowWhenItsEntryGoes)
{
    const ID c = addEntry(device(L"C", L"10.0.0.3"));
    const ID a = addEntry(device(L"A", L"10.0.0.1"));
    const ID b = addEntry(device(L"B", L"10.0.0.2"));
    const EntryListSource source(entries);
    EntryListCtrl list(&window);
    addNameColumns(list, source);
    list.Reload();
    ASSERT_EQ(list.GetDisplayedKeys(), (std::vector<ID> {a, b, c}));
    EXPECT_FALSE(list.GetSelectedKey());

    list.AdjustSelectedItem(b, list.GetDisplayedKeys());
    list.OnColumnClick(0); // descending: C, B, A
    EXPECT_EQ(list.GetDisplayedKeys(), (std::vector<ID> {c, b, a}));
    EXPECT_TRUE(list.GetSelectedKey() == b);

    list.AdjustSelectedItem(a, list.GetDisplayedKeys());
    removeEntry(a);
    list.Reload();
    EXPECT_EQ(list.GetDisplayedKeys(), (std::vector<ID> {c, b}));
    EXPECT_TRUE(list.GetSelectedKey() == c);
    EXPECT_EQ(list.GetView()->selectionModel()->selectedRows().size(), 1);
}

TEST_F(ControlTest, UnchangedKeysCostOneRepaintAndNoSortEvenWhenSortedOtherwiseThanTheSource)
{
    const ID id = addEntry(EntryTraits());
    const auto keys = addEvents(
        id, {{L"Scan", L"1", "Mon, 04 Mar 2024 10:00:00 +0900"}, {L"Scan", L"2", "Tue, 05 Mar 2024 10:00:00 +0900"}});
    EventListSource source(entries);
    source.SetEntry(id);
    EventListCtrl list(&window);
    list.SetSource(&source);
    for (const char* name : {"UnreadIconColumn", "EventNameColumn", "TimeColumn"})
        list.AddColumn(EventColumns::MakeColumn(name, source, 100));
    list.SetSortColumn(2);
    list.Reload();
    list.OnColumnClick(2); // newest first: not the log's order
    ASSERT_EQ(list.GetDisplayedKeys(), (std::vector<EventKey> {keys[1], keys[0]}));

    const ModelSpy spy(list);
    Orvane::UI::MarkEventRead(entries, keys[0].first, keys[0].second);
    list.Reload();
    EXPECT_EQ(spy.resets.count(), 0);
    EXPECT_EQ(spy.layouts.count(), 0);
    ASSERT_EQ(spy.repaints.count(), 1);
    EXPECT_EQ(spy.repaints.at(0).at(0).toModelIndex(), list.index(0, 0));
    EXPECT_EQ(spy.repaints.at(0).at(1).toModelIndex(), list.index(1, 2));
    EXPECT_TRUE(OrvaneTest::looksLike(cell(list, 1, 0, Qt::DecorationRole), "list-read"));

    const auto added = addEvents(id, {{L"Fax", L"3", "Wed, 06 Mar 2024 10:00:00 +0900"}});
    list.Reload();
    EXPECT_EQ(spy.resets.count(), 1);
    EXPECT_EQ(list.GetDisplayedKeys(), (std::vector<EventKey> {added[0], keys[1], keys[0]}));
}

TEST_F(ControlTest, AKeyThatVanishedBeforeTheReloadIsAnEmptyCell)
{
    const ID a = addEntry(device(L"A", L"10.0.0.1"));
    addEntry(device(L"B", L"10.0.0.2"));
    const EntryListSource source(entries);
    EntryListCtrl list(&window);
    addNameColumns(list, source);
    list.AddColumn(EntryColumns::MakeColumn("UnreadIconColumn", source, 36));
    list.Reload();
    removeEntry(a);
    for (int column = 0; column < 3; ++column)
        for (int role : {Qt::DisplayRole, Qt::DecorationRole, Qt::FontRole})
            EXPECT_FALSE(cell(list, 0, column, role).isValid()) << column << " " << role;
    EXPECT_EQ(cell(list, 1, 0, Qt::DisplayRole).toString(), QStringLiteral("B"));
}

TEST_F(ControlTest, ATimeSortThatCannotCompareRestoresTheSortStateAndTheList)
{
    const ID id = addEntry(EntryTraits());
    addEvents(id, {{L"B", L"1", "Mon, 04 Mar 2024 10:00:00 +0900"}, {L"A", L"2", "Tue, 05 Mar 2024 10:00 +0900"}});
    EventListSource source(entries);
    source.SetEntry(id);
    EventListCtrl list(&window);
    list.SetSource(&source);
    list.AddColumn(EventColumns::MakeColumn("EventNameColumn", source, 100));
    list.AddColumn(EventColumns::MakeColumn("TimeColumn", source, 100));
    list.Reload();
    const auto shown = list.GetDisplayedKeys();

    EXPECT_THROW(list.OnColumnClick(1), Orvane::RSS::IncompatibleTimeString);
    EXPECT_EQ(list.GetSortColumn(), 0);
    EXPECT_TRUE(list.GetColumn(1)->IsAscending());
    EXPECT_EQ(list.GetDisplayedKeys(), shown);
    EXPECT_EQ(list.GetView()->header()->sortIndicatorSection(), 0);
    // A click on the header itself beeps and leaves everything as it was.
    list.GetView()->header()->sectionClicked(1);
    EXPECT_EQ(list.GetSortColumn(), 0);
    EXPECT_EQ(list.GetDisplayedKeys(), shown);
}

TEST_F(ControlTest, AnEmptySourceGivesAnEmptyListWithoutSelection)
{
    addEntry(EntryTraits());
    EventListSource source(entries); // no current entry
    EventListCtrl list(&window);
    list.SetSource(&source);
    list.AddColumn(EventColumns::MakeColumn("EventNameColumn", source, 100));
    list.Reload();
    EXPECT_EQ(list.rowCount(QModelIndex()), 0);
    EXPECT_FALSE(list.GetSelectedKey());
}

TEST_F(ControlTest, TheUserListSortsOnEveryReload)
{
    UserList users;
    users.SetUsers({{1, "Ann", "ann"}, {2, "Ben", "ben"}});
    const UserListSource source(users);
    UserListCtrl list(&window);
    list.SetSource(&source);
    list.AddColumn(UserColumns::MakeColumn("NameColumn", source, 100));
    list.Reload();
    const ModelSpy spy(list);
    users.SetUsers({{1, "Zoe", "zoe"}, {2, "Amy", "amy"}}); // same indexes, new users
    list.Reload();
    EXPECT_EQ(spy.resets.count(), 1);
    EXPECT_EQ(cell(list, 0, 0, Qt::DisplayRole).toString(), QStringLiteral("Amy"));
}

} // namespace
