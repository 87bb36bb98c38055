#include "VirtualListFixture.hpp"

#include "Config.hpp"
#include "MachineEvent/Event.hpp"
#include "Monitor/EventMonitorManager.hpp"
#include "QX/Config.hpp"
#include "System/ScopedEnvironment.hpp"
#include "UI/EventLogDlg.hpp"
#include "UI/MarkEventRead.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "UI/VirtualList/EventListCtrl.hpp"
#include "support/DevSim.hpp"
#include "support/TestSupport.hpp"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>
#include <boost/filesystem/operations.hpp>

namespace {

using namespace Orvane;
using OrvaneTest::cell;
using OrvaneTest::EntryTraits;
using OrvaneTest::looksLike;
using OrvaneTest::settle;
using UI::EventLogDlg;

class EventLogDlgTest : public OrvaneTest::VirtualListFixture
{
protected:
    ~EventLogDlgTest() override { dialog.reset(); }

    EventLogDlg& open(EventLogDlg::Hooks hooks = {}, const QList<QAction*>& actions = {})
    {
        dialog = std::make_unique<EventLogDlg>(entries, std::move(hooks), actions);
        return *dialog;
    }

    void select(const ID& id)
    {
        auto& list = dialog->GetEntryList();
        list.AdjustSelectedItem(id, list.GetDisplayedKeys());
    }

    QPushButton* button(const char* name) const { return dialog->findChild<QPushButton*>(QString::fromLatin1(name)); }
    QString text(const char* name) const { return dialog->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

    // Refresh, login, mark all read.
    std::vector<bool> buttons() const
    {
        return {button("refreshButton")->isEnabled(), button("loginButton")->isEnabled(),
                button("markAllReadButton")->isEnabled()};
    }

    int eventRow(const EventKey& key) const
    {
        const auto shown = dialog->GetEventList().GetDisplayedKeys();
        const auto found = std::find(shown.begin(), shown.end(), key);
        return found == shown.end() ? -1 : static_cast<int>(found - shown.begin());
    }

    std::unique_ptr<EventLogDlg> dialog;
};

TEST_F(EventLogDlgTest, TheButtonsAndNamesFollowTheSelectedEntry)
{
    EntryTraits unread;
    unread.deviceName = L"Front MFP";
    unread.accountName = L"Alice";
    const ID a = addEntry(unread);
    addEvents(a, {{L"Scan", L"1", "Mon, 04 Mar 2024 10:00:00 +0900"}});
    EntryTraits off;
    off.host = L"10.0.0.9";
    off.account = L"bob";
    off.monitoring = false;
    const ID b = addEntry(off);
    addEvents(b, {{L"Scan", L"1", "Mon, 04 Mar 2024 10:00:00 +0900"}});
    EntryTraits read;
    read.host = L"10.0.0.8";
    const ID c = addEntry(read);
    addEvents(c, {{L"Fax", L"1", "Mon, 04 Mar 2024 10:00:00 +0900", true}});

    open();
    const auto width = [](const auto& list, int column) { return list.GetView()->header()->sectionSize(column); };
    EXPECT_EQ((std::vector<int> {width(dialog->GetEntryList(), 0), width(dialog->GetEntryList(), 1)}),
              (std::vector<int> {36, 140}));
    EXPECT_EQ((std::vector<int> {width(dialog->GetEventList(), 0), width(dialog->GetEventList(), 1),
                                 width(dialog->GetEventList(), 2)}),
              (std::vector<int> {36, 180, 150}));
    // Entries without unread events first, in entry order.
    EXPECT_EQ(dialog->GetEntryList().GetDisplayedKeys(), (std::vector<ID> {c, a, b}));
    // The viewer opens on its first entry.
    EXPECT_TRUE(dialog->GetEntryList().GetSelectedKey() == c);
    EXPECT_EQ(buttons(), (std::vector<bool> {true, true, false}));
    EXPECT_EQ(text("deviceName"), QStringLiteral("10.0.0.8"));
    EXPECT_EQ(dialog->GetEventList().rowCount(QModelIndex()), 1);
    dialog->GetEntryList().GetView()->clearSelection();
    EXPECT_EQ(buttons(), (std::vector<bool> {false, false, false}));
    EXPECT_EQ(text("deviceName"), QString());
    EXPECT_EQ(dialog->GetEventList().rowCount(QModelIndex()), 0);

    select(a);
    EXPECT_EQ(buttons(), (std::vector<bool> {true, true, true}));
    EXPECT_EQ(text("deviceName"), QStringLiteral("Front MFP"));
    EXPECT_EQ(text("accountName"), QStringLiteral("Alice"));
    EXPECT_EQ(dialog->GetEventList().rowCount(QModelIndex()), 1);

    select(b);
    EXPECT_EQ(buttons(), (std::vector<bool> {false, false, true}));
    EXPECT_EQ(text("deviceName"), QStringLiteral("10.0.0.9"));
    EXPECT_EQ(text("accountName"), QStringLiteral("bob"));

    select(c);
    EXPECT_EQ(buttons(), (std::vector<bool> {true, true, false}));

    // The selected entry goes: the first row is selected after the reload.
    removeEntry(c);
    ASSERT_TRUE(settle([&] { return dialog->GetEntryList().GetDisplayedKeys().size() == 2; }));
    EXPECT_TRUE(dialog->GetEntryList().GetSelectedKey() == a);
    EXPECT_EQ(text("deviceName"), QStringLiteral("Front MFP"));
}

TEST_F(EventLogDlgTest, ANewUnreadEventIsBoldWithTheUnreadPictureUntilItIsRead)
{
    const ID id = addEntry(EntryTraits());
    addEvents(id, {{L"Scan", L"old", "Mon, 04 Mar 2024 10:00:00 +0900", true}});
    open();
    select(id);
    const auto& events = dialog->GetEventList();

    const EventKey key = addEvents(id, {{L"Fax", L"new", "Tue, 05 Mar 2024 10:00:00 +0900"}}).front();
    ASSERT_TRUE(settle([&] { return eventRow(key) >= 0; }));
    const int row = eventRow(key);
    EXPECT_TRUE(looksLike(cell(events, row, 0, Qt::DecorationRole), "list-unread"));
    for (int column = 1; column < 4; ++column)
        EXPECT_TRUE(cell(events, row, column, Qt::FontRole).value<QFont>().bold()) << column;
    EXPECT_TRUE(button("markAllReadButton")->isEnabled());

    // Cells are read when painted; the button tells that the viewer has reloaded.
    UI::MarkEventRead(entries, key.first, key.second);
    ASSERT_TRUE(settle([&] { return !button("markAllReadButton")->isEnabled(); }));
    EXPECT_TRUE(looksLike(cell(events, row, 0, Qt::DecorationRole), "list-read"));
    EXPECT_FALSE(cell(events, row, 1, Qt::FontRole).value<QFont>().bold());
}

TEST_F(EventLogDlgTest, ANotificationThatLeavesTheKeysCostsARepaintAndNoSort)
{
    const ID id = addEntry(EntryTraits());
    addEvents(id,
              {{L"Scan", L"1", "Mon, 04 Mar 2024 10:00:00 +0900"}, {L"Fax", L"2", "Tue, 05 Mar 2024 10:00:00 +0900"}});
    open();
    select(id);
    dialog->GetEventList().OnColumnClick(2); // newest first, unlike the log
    QCoreApplication::processEvents();
    QSignalSpy entryResets(&dialog->GetEntryList(), &QAbstractItemModel::modelReset);
    QSignalSpy eventResets(&dialog->GetEventList(), &QAbstractItemModel::modelReset);
    QSignalSpy entryRepaints(&dialog->GetEntryList(), &QAbstractItemModel::dataChanged);
    QSignalSpy eventRepaints(&dialog->GetEventList(), &QAbstractItemModel::dataChanged);

    change(id, [](MonitoredEntry::EntryProperty& property) { property.SetSubscriptionFailure(1); });
    ASSERT_TRUE(settle([&] { return entryRepaints.count() >= 1; }));
    EXPECT_EQ(cell(dialog->GetEntryList(), 0, 2, Qt::DisplayRole).toString(), QStringLiteral("エラー"));
    EXPECT_GE(eventRepaints.count(), 1);
    EXPECT_EQ(entryResets.count(), 0);
    EXPECT_EQ(eventResets.count(), 0);
}

TEST_F(EventLogDlgTest, MarkAllReadMarksEveryEventAndDisablesItsButton)
{
    const ID id = addEntry(EntryTraits());
    const auto keys = addEvents(id,
                                {{L"Scan", L"1", "Mon, 04 Mar 2024 10:00:00 +0900"},
                                 {L"Fax", L"2", "Tue, 05 Mar 2024 10:00:00 +0900", true},
                                 {L"Scan", L"3", "Wed, 06 Mar 2024 10:00:00 +0900"}});
    open();
    select(id);
    ASSERT_TRUE(button("markAllReadButton")->isEnabled());
    QTest::mouseClick(button("markAllReadButton"), Qt::LeftButton);
    for (const auto& key : keys)
        EXPECT_TRUE(isRead(key));
    EXPECT_FALSE(button("markAllReadButton")->isEnabled());
}

TEST_F(EventLogDlgTest, MarkingEventsReadStopsAtAVanishedEvent)
{
    const ID id = addEntry(EntryTraits());
    const auto keys = addEvents(id,
                                {{L"Scan", L"1", "Mon, 04 Mar 2024 10:00:00 +0900"},
                                 {L"Fax", L"2", "Tue, 05 Mar 2024 10:00:00 +0900"},
                                 {L"Scan", L"3", "Wed, 06 Mar 2024 10:00:00 +0900"}});
    removeEvent(keys[1]);
    EXPECT_FALSE(UI::MarkEventsRead(entries, keys));
    EXPECT_TRUE(isRead(keys[0]));
    EXPECT_FALSE(isRead(keys[2]));
    EXPECT_TRUE(UI::MarkEventsRead(entries, {keys[2], keys[0]}));
    EXPECT_TRUE(isRead(keys[2]));
}

TEST_F(EventLogDlgTest, DoubleClickingAnEventMarksItReadThenOpensIt)
{
    EntryTraits traits;
    traits.deviceName = L"Front MFP";
    const ID id = addEntry(traits);
    const auto keys = addEvents(id, {{L"Scan", L"scan.pdf", "Mon, 04 Mar 2024 10:00:00 +0900"}});
    std::vector<std::pair<std::wstring, bool>> opened;
    EventLogDlg::Hooks hooks;
    hooks.openEvent = [&](const MachineEvent::Event& event, const EventKey& key) {
        opened.emplace_back(event.GetMFP().GetName().value_or(L"") + L" " + event.GetEventProperty().GetInfo(),
                            isRead(key));
    };
    open(hooks).show();
    select(id);
    QTreeView* view = dialog->GetEventList().GetView();
    const QRect rect = view->visualRect(dialog->GetEventList().index(0, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_TRUE(isRead(keys[0]));
    EXPECT_EQ(opened, (std::vector<std::pair<std::wstring, bool>> {{L"Front MFP scan.pdf", true}}));
}

TEST_F(EventLogDlgTest, LoginOpensTheDevicePageForTheAccount)
{
    OrvaneTest::TempDir folder;
    const auto script = folder / "open";
    OrvaneTest::writeFile(script,
                          "#!/bin/sh\nprintf '%s' \"$1\" > '" + (folder / "part").string() + "' && mv '"
                              + (folder / "part").string() + "' '" + (folder / "url").string() + "'\n");
    boost::filesystem::permissions(script, boost::filesystem::perms(0755));
    const OrvaneTest::ScopedEnvironment command("ORVANE_OPEN_COMMAND", script.string());
    EntryTraits traits;
    traits.host = L"mfp.example";
    traits.account = L"alice";
    const ID id = addEntry(traits);
    open();
    select(id);
    QTest::mouseClick(button("loginButton"), Qt::LeftButton);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return boost::filesystem::exists(folder / "url"); }));
    EXPECT_EQ(OrvaneTest::readFile(folder / "url"), "http://mfp.example/orvane.htm?IFM=3&UN=alice");
}

int freeUdpPort()
{
    boost::asio::io_context io;
    boost::asio::ip::udp::socket probe(io, boost::asio::ip::udp::endpoint(boost::asio::ip::udp::v4(), 0));
    return probe.local_endpoint().port();
}

// The monitors' counts of feed reads on the device.
int feedReads(const OrvaneTest::DevSim& sim)
{
    int reads = 0;
    for (const auto& request : sim.requestLog())
        reads += request.at("operation") == "feed" ? 1 : 0;
    return reads;
}

TEST_F(EventLogDlgTest, RefreshMakesTheEntrysMonitorReadTheFeedAtOnce)
{
    Config::Current current = Config::GetCurrent();
    current.Port = freeUdpPort();
    current.SubscribeIntervalMs = 3600000;
    current.RetrySubscribeIntervalMs = 3600000;
    Config::SetCurrent(current);
    QX::Config timeouts;
    for (int set = 0; set < QX::Config::SetCount; ++set)
        timeouts.Put(static_cast<QX::Config::Set>(set), HTTP::Timeout {2000, 0, 5000, 5000});
    QX::SetConfig(timeouts);

    OrvaneTest::DevSim sim;
    EntryTraits traits;
    traits.host = std::wstring(sim.address().begin(), sim.address().end());
    traits.httpPort = sim.httpPort();
    const ID id = addEntry(traits);
    MachineEvent::DetectedEventQueue queue(50);
    Monitor::EventMonitorManager monitors(entries, queue);
    entries.AddObserver(&monitors);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return feedReads(sim) >= 1; }));

    EventLogDlg::Hooks hooks;
    hooks.refresh = [&monitors](const Monitor::Signal& signal) { monitors.OnSignal(signal); };
    open(hooks);
    select(id);
    const int before = feedReads(sim);
    QTest::mouseClick(button("refreshButton"), Qt::LeftButton);
    EXPECT_TRUE(OrvaneTest::waitUntil([&] { return feedReads(sim) > before; }));

    dialog.reset();
    entries.RemoveObserver(&monitors);
    monitors.StopAll();
}

TEST_F(EventLogDlgTest, EscapeAndEnterCloseTheViewer)
{
    addEntry(EntryTraits());
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        open().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::keyClick(dialog->GetEntryList().GetView(), key);
        EXPECT_FALSE(dialog->isVisible()) << key;
    }
}

TEST_F(EventLogDlgTest, ScreenshotWithTwoEntriesAndTheWindowsActions)
{
    EntryTraits front;
    front.deviceName = L"DevSim MFP (2F)";
    front.accountName = L"Alice";
    const ID a = addEntry(front);
    addEvents(a,
              {{L"スキャン", L"見積書_2024-03.pdf", "Mon, 04 Mar 2024 09:12:40 +0900", true},
               {L"ファクス受信", L"03-1234-5678 から 2 ページ", "Tue, 05 Mar 2024 14:03:11 +0900"},
               {L"スキャン", L"scan0007.pdf", "Wed, 06 Mar 2024 08:45:02 +0900"}});
    EntryTraits back;
    back.host = L"192.168.10.24";
    back.account = L"bob";
    back.monitoring = false;
    addEvents(addEntry(back), {{L"スキャン", L"memo.pdf", "Mon, 04 Mar 2024 11:00:00 +0900", true}});

    QAction settings(QStringLiteral("設定(&S)..."));
    QAction about(QStringLiteral("バージョン情報(&A)..."));
    QAction exit(QStringLiteral("終了(&E)"));
    open({}, {&settings, &about, &exit}).show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    select(a);
    const auto tools = dialog->findChildren<QToolButton*>();
    ASSERT_EQ(tools.size(), 3);
    QSignalSpy triggered(&about, &QAction::triggered);
    QTest::mouseClick(tools[1], Qt::LeftButton);
    EXPECT_EQ(triggered.count(), 1);

    const auto folder = boost::filesystem::path(ORVANE_BINARY_DIR) / "screenshots";
    boost::filesystem::create_directories(folder);
    const QPixmap picture = dialog->grab();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QString::fromStdString((folder / "event-log-viewer.png").string())));
}

} // namespace
