#include "VirtualListFixture.hpp"

#include "UI/VirtualList/EntryColumns/MakeColumn.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "UI/VirtualList/EventColumns/MakeColumn.hpp"
#include "UI/VirtualList/EventListCtrl.hpp"
#include "UI/VirtualList/UserColumns/MakeColumn.hpp"
#include "UI/VirtualList/UserList.hpp"
#include "UI/VirtualList/UserListCtrl.hpp"

#include <QFont>
#include <QWidget>

#include <algorithm>

namespace {

using namespace Orvane::UI::VirtualList;
using OrvaneTest::cell;
using OrvaneTest::EntryTraits;
using OrvaneTest::EventSpec;
using OrvaneTest::looksLike;

// One column: what it shows for each key (in the source's order) and the orders it sorts them in,
// as positions in the source's order. A picture column has no header text and no texts.
struct ColumnCase
{
    std::string name;
    QString header;
    std::vector<QString> texts;
    std::vector<const char*> images;
    std::vector<bool> bold;
    std::vector<std::size_t> ascending;
    std::vector<std::size_t> descending; // after the first header click
};

// Each column alone in a new list, so every case starts with the column's own direction unclicked.
template <class Ctrl, class Source, class Maker>
void checkColumns(const Source& source, Maker make, const std::vector<ColumnCase>& cases)
{
    for (const auto& expected : cases) {
        SCOPED_TRACE(expected.name);
        QWidget window;
        Ctrl list(&window);
        list.SetSource(&source);
        const auto column = make(expected.name, source, 50);
        ASSERT_TRUE(column);
        list.AddColumn(column);
        list.Reload();
        if (expected.header.isEmpty())
            EXPECT_TRUE(looksLike(list.headerData(0, Qt::Horizontal, Qt::DecorationRole), "list-header"));
        else
            EXPECT_EQ(list.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), expected.header);

        const auto keys = *source.GetKeys();
        const auto order = [&] {
            std::vector<std::size_t> positions;
            for (const auto& key : list.GetDisplayedKeys())
                positions.push_back(std::find(keys.begin(), keys.end(), key) - keys.begin());
            return positions;
        };
        EXPECT_EQ(order(), expected.ascending);
        const auto rows = order();
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            const std::size_t at = rows[row];
            const QAbstractItemModel& model = list;
            if (!expected.texts.empty()) {
                EXPECT_EQ(cell(model, row, 0, Qt::DisplayRole).toString(), expected.texts.at(at)) << "key " << at;
            }
            if (!expected.images.empty()) {
                EXPECT_TRUE(looksLike(cell(model, row, 0, Qt::DecorationRole), expected.images.at(at))) << "key " << at;
            }
            EXPECT_EQ(cell(model, row, 0, Qt::FontRole).value<QFont>().bold(), expected.bold.at(at)) << "key " << at;
        }
        list.OnColumnClick(0);
        EXPECT_FALSE(column->IsAscending());
        EXPECT_EQ(order(), expected.descending);
        list.OnColumnClick(0);
        EXPECT_EQ(order(), expected.ascending);
    }
}

class MakeColumnTest : public OrvaneTest::VirtualListFixture
{ };

TEST_F(MakeColumnTest, EntryColumns)
{
    EntryTraits beta;
    beta.host = L"10.0.0.2";
    beta.deviceName = L"Beta";
    beta.account = L"carol";
    const ID first = addEntry(beta);
    addEvents(first,
              {{L"Scan", L"a", "Mon, 04 Mar 2024 10:00:00 +0900"}, {L"Fax", L"b", "Mon, 04 Mar 2024 11:00:00 +0900"}});
    EntryTraits host;
    host.host = L"10.0.0.1";
    host.accountName = L"Alice";
    host.monitoring = false;
    host.notice = false;
    addEvents(addEntry(host), {{L"Scan", L"a", "Mon, 04 Mar 2024 10:00:00 +0900", true}});
    EntryTraits alpha;
    alpha.host = L"10.0.0.3";
    alpha.deviceName = L"Alpha";
    alpha.account = L"bob";
    alpha.accountName = L"Bob";
    alpha.subscriptionState = 2;
    addEntry(alpha);
    EntryTraits failing;
    failing.host = L"10.0.0.4";
    failing.deviceName = L"Gamma";
    failing.subscriptionFailure = 1;
    addEntry(failing);

    const std::vector<bool> plain(4, false);
    const EntryListSource source(entries);
    checkColumns<EntryListCtrl>(
        source, &EntryColumns::MakeColumn,
        {
            {"UnreadIconColumn",
             {},
             {},
             {"list-unread", "list-read", "list-read", "list-read"},
             plain,
             {1, 2, 3, 0},
             {0, 1, 2, 3}},
            {"MFPNameColumn",
             QStringLiteral("機器名称"),
             {QStringLiteral("Beta"), QStringLiteral("10.0.0.1"), QStringLiteral("Alpha"), QStringLiteral("Gamma")},
             {},
             plain,
             {1, 2, 0, 3},
             {3, 0, 2, 1}},
            {"StatusColumn",
             QStringLiteral("状態"),
             {QStringLiteral("監視中"), QStringLiteral("監視しない"), QStringLiteral("エラー"),
              QStringLiteral("エラー")},
             {},
             plain,
             {0, 1, 2, 3},
             {2, 3, 1, 0}},
            // Case-sensitive code-unit order: capitals first.
            {"UserNameColumn",
             QStringLiteral("ユーザー名"),
             {QStringLiteral("carol"), QStringLiteral("Alice"), QStringLiteral("Bob"), QStringLiteral("alice")},
             {},
             plain,
             {1, 2, 3, 0},
             {0, 3, 2, 1}},
            {"EnableNoticeColumn",
             QStringLiteral("通知設定"),
             {QStringLiteral("○"), QStringLiteral("×"), QStringLiteral("○"), QStringLiteral("○")},
             {},
             plain,
             {1, 0, 2, 3},
             {0, 2, 3, 1}},
        });
    EXPECT_FALSE(EntryColumns::MakeColumn("TimeColumn", source, 10));
}

TEST_F(MakeColumnTest, EventColumns)
{
    const ID id = addEntry(EntryTraits());
    addEvents(id,
              {{L"Scan", L"b.pdf", "Tue, 05 Mar 2024 09:07:02 +0900", true},
               {L"Fax", L"a.pdf", "Mon, 04 Mar 2024 10:00:00 +0900"},
               {L"Print", L"c.pdf", "Wed, 06 Mar 2024 08:00:00 +0900"},
               {L"Fax", L"a.pdf", "Mon, 04 Mar 2024 10:00:00 +0000", true}});
    EventListSource source(entries);
    source.SetEntry(id);

    const std::vector<bool> unread {false, true, true, false};
    checkColumns<EventListCtrl>(
        source, &EventColumns::MakeColumn,
        {
            {"UnreadIconColumn",
             {},
             {},
             {"list-read", "list-unread", "list-unread", "list-read"},
             {false, false, false, false},
             {0, 3, 1, 2},
             {1, 2, 0, 3}},
            {"EventNameColumn",
             QStringLiteral("イベント名"),
             {QStringLiteral("Scan"), QStringLiteral("Fax"), QStringLiteral("Print"), QStringLiteral("Fax")},
             {},
             unread,
             {1, 3, 2, 0},
             {0, 2, 1, 3}},
            // Equal wall-clock times tie whatever their zones.
            {"TimeColumn",
             QStringLiteral("日時"),
             {QStringLiteral("2024/03/05 09:07:02"), QStringLiteral("2024/03/04 10:00:00"),
              QStringLiteral("2024/03/06 08:00:00"), QStringLiteral("2024/03/04 10:00:00")},
             {},
             unread,
             {1, 3, 0, 2},
             {2, 0, 1, 3}},
            {"InfoColumn",
             QStringLiteral("関連情報"),
             {QStringLiteral("b.pdf"), QStringLiteral("a.pdf"), QStringLiteral("c.pdf"), QStringLiteral("a.pdf")},
             {},
             unread,
             {1, 3, 0, 2},
             {2, 0, 1, 3}},
        });
}

TEST_F(MakeColumnTest, UserColumns)
{
    UserList users;
    users.SetUsers({{12, "Zed", "zed"}, {1, "", "amy"}, {2, "Bob", "bob"}});
    const UserListSource source(users);
    const std::vector<bool> plain(3, false);
    checkColumns<UserListCtrl>(source, &UserColumns::MakeColumn,
                               {
                                   {"IndexColumn",
                                    QStringLiteral("No."),
                                    {QStringLiteral("012"), QStringLiteral("001"), QStringLiteral("002")},
                                    {},
                                    plain,
                                    {1, 2, 0},
                                    {0, 2, 1}},
                                   // An empty display name shows the account ID.
                                   {"NameColumn",
                                    QStringLiteral("ユーザー名"),
                                    {QStringLiteral("Zed"), QStringLiteral("amy"), QStringLiteral("Bob")},
                                    {},
                                    plain,
                                    {2, 0, 1},
                                    {1, 0, 2}},
                               });
}

} // namespace
