#include "MessageBoxRecorder.hpp"
#include "ModalDriver.hpp"
#include "VirtualListFixture.hpp"

#include "Config.hpp"
#include "HTTP/KnownDevices.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "UI/DeviceSelectDlg.hpp"
#include "UI/EntryConfigSheet.hpp"
#include "Utility/StringId.hpp"
#include "support/SnmpAgent.hpp"
#include "support/TestSupport.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include <boost/filesystem/operations.hpp>

namespace {

using namespace Orvane;
using OrvaneTest::EntryTraits;
using OrvaneTest::MessageBoxRecorder;
using UI::EntryConfigSheet;

Utility::SearchAgent AgentFor(const std::vector<std::string>& snmpTargets, const OrvaneTest::TempDir& folder)
{
    Utility::DeviceSearch::Options options;
    options.mdns = false;
    options.snmp.hosts = snmpTargets;
    options.snmp.broadcast = false; // never beyond loopback
    MonitoredEntry::MFP defaults;
    defaults.SetHTTP(80);
    defaults.SetHTTPS(443);
    return Utility::SearchAgent(options, defaults, folder.path().string() + "/");
}

class EntryConfigSheetTest : public OrvaneTest::VirtualListFixture
{
protected:
    ~EntryConfigSheetTest() override { sheet.reset(); }

    EntryConfigSheet& open(const ID& id, const std::vector<std::string>& snmpTargets = {})
    {
        sheet = std::make_unique<EntryConfigSheet>(entries, id, AgentFor(snmpTargets, folder));
        sheet->show();
        return *sheet;
    }

    void showTab(int index) { sheet->GetTabs().setCurrentIndex(index); }

    template <class W = QLineEdit>
    W& field(const char* name) const
    {
        W* found = sheet->findChild<W*>(QString::fromLatin1(name));
        if (!found)
            throw std::runtime_error(name);
        return *found;
    }

    bool okEnabled() const { return sheet->GetOKButton().isEnabled(); }

    MonitoredEntry::Entry stored(const ID& id) const
    {
        const MonitoredEntry::EntryManager::ScopedLock lock(entries);
        return entries.GetDB().GetEntry(id);
    }

    OrvaneTest::TempDir folder;
    MessageBoxRecorder messages;
    std::unique_ptr<EntryConfigSheet> sheet;
};

TEST_F(EntryConfigSheetTest, PagesShowTheStoredValuesAndAPageNeverShownStoresNothing)
{
    EntryTraits traits;
    traits.deviceName = L"Front MFP";
    const ID id = addEntry(traits);
    open(id);
    EXPECT_EQ(field("nameValue").text(), QStringLiteral("Front MFP"));
    EXPECT_EQ(field("hostEdit").text(), QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(field("hostEdit").isReadOnly()); // not manual
    EXPECT_TRUE(okEnabled());

    // The device page alone: the account keeps its stored password even though the page never read it.
    field<QCheckBox>("manualBox").setChecked(true);
    EXPECT_FALSE(field("hostEdit").isReadOnly());
    EXPECT_FALSE(field<QPushButton>("machineSelectButton").isEnabled());
    field("httpEdit").setText(QStringLiteral("8080"));
    sheet->accept();
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(*stored(id).GetProperty().GetMFP().GetHTTP(), 8080);
    EXPECT_EQ(stored(id).GetProperty().GetUser().GetPassword().GetPlainText(), L"alice-pass");
}

TEST_F(EntryConfigSheetTest, OKFollowsTheValidityOfEveryShownPage)
{
    const ID id = addEntry(EntryTraits());
    open(id);
    showTab(1);
    EXPECT_EQ(field("passwordEdit").text(), QStringLiteral("alice-pass"));
    const struct
    {
        const char* page;
        const char* field;
        QString text;
        bool valid;
    } cases[] = {
        {"userPage", "passwordEdit", QString(28, QLatin1Char('p')), true},
        {"userPage", "passwordEdit", QString(29, QLatin1Char('p')), false},
        {"userPage", "passwordEdit", QStringLiteral("pässword"), false},
        {"userPage", "passwordEdit", QStringLiteral("new-pass"), true},
        {"settingPage", "qt_spinbox_lineedit", QString(), false},
        {"settingPage", "qt_spinbox_lineedit", QStringLiteral("abc"), false},
        {"settingPage", "qt_spinbox_lineedit", QStringLiteral("0"), false}, // LogMax starts at 1
        {"settingPage", "qt_spinbox_lineedit", QStringLiteral("1001"), false},
        {"settingPage", "qt_spinbox_lineedit", QStringLiteral("10"), true},
    };
    for (const auto& c : cases) {
        showTab(c.page == std::string("userPage") ? 1 : 2);
        QWidget* page = sheet->findChild<QWidget*>(QString::fromLatin1(c.page));
        // The first number of the settings page is the log maximum.
        page->findChild<QLineEdit*>(QString::fromLatin1(c.field))->setText(c.text);
        EXPECT_EQ(okEnabled(), c.valid) << c.page << " " << c.text.toStdString();
    }
}

TEST_F(EntryConfigSheetTest, EraseTimeZeroIsAcceptedAndNeedsNotice)
{
    const ID id = addEntry(EntryTraits());
    open(id);
    showTab(2);
    auto& erase = *field<QWidget>("eraseTimeEdit").findChild<QLineEdit*>();
    erase.setText(QStringLiteral("0"));
    EXPECT_TRUE(okEnabled());
    field<QCheckBox>("noticeBox").setChecked(false);
    EXPECT_FALSE(field<QWidget>("eraseTimeEdit").isEnabled());
    sheet->accept();
    EXPECT_EQ(stored(id).GetProperty().GetConfig().GetEraseTime(), 0);
    EXPECT_FALSE(stored(id).GetProperty().GetConfig().IsNotice());
}

TEST_F(EntryConfigSheetTest, LeavingAPageWithTextInANumberFieldSaysSoAndStays)
{
    const ID id = addEntry(EntryTraits());
    open(id);
    showTab(2);
    field<QWidget>("intervalEdit").findChild<QLineEdit*>()->setText(QStringLiteral("x"));
    showTab(0);
    EXPECT_EQ(sheet->GetTabs().currentIndex(), 2);
    EXPECT_EQ(messages.shown,
              (std::vector<MessageBoxRecorder::Shown> {
                  {Utility::StringId::ParseInteger, UI::MessageBoxSeam::Icon::Exclamation}}));
}

TEST_F(EntryConfigSheetTest, LoweringTheLogMaximumKeepsTheNewestEvents)
{
    const ID id = addEntry(EntryTraits());
    {
        MonitoredEntry::EntryManager::Transaction transaction(entries);
        const auto copy = transaction.CopyEntry(id);
        const auto log = copy->GetEventLog();
        log->SetMax(25);
        copy->SetEventLog(log);
        transaction.SetEntry(copy);
        transaction.Commit();
    }
    std::vector<OrvaneTest::EventSpec> events;
    for (int i = 0; i < 20; ++i)
        events.push_back({L"Scan", std::to_wstring(i), "Mon, 04 Mar 2024 10:" + std::to_string(10 + i) + ":00 +0900"});
    const auto keys = addEvents(id, events);
    for (const auto& [logMax, kept] : {std::pair<int, int> {30, 20}, {10, 10}}) {
        open(id);
        showTab(2);
        field<QWidget>("logMaxEdit").findChild<QLineEdit*>()->setText(QString::number(logMax));
        sheet->accept();
        const auto entry = stored(id);
        EXPECT_EQ(entry.ReadEventLog().GetMax(), logMax);
        ASSERT_EQ(entry.ReadEventLog().GetEventList().size(), static_cast<std::size_t>(kept));
        EXPECT_EQ(entry.ReadEventLog().GetEventList().back().GetID(), keys.back().second);
        EXPECT_EQ(entry.ReadEventLog().GetEventList().front().GetID(), keys[20 - kept].second);
    }
}

TEST_F(EntryConfigSheetTest, AHostSharedWithAMonitoredEntryIsStoredUnmonitored)
{
    const ID first = addEntry(EntryTraits());
    EntryTraits second;
    second.host = L"10.0.0.2";
    const ID id = addEntry(second);
    open(id);
    field<QCheckBox>("manualBox").setChecked(true);
    field("hostEdit").setText(QStringLiteral("127.0.0.1"));
    sheet->accept();
    EXPECT_EQ(stored(id).GetProperty().GetMFP().GetHost(), L"127.0.0.1");
    EXPECT_FALSE(stored(id).IsMonitoring());
    EXPECT_TRUE(stored(first).IsMonitoring());
}

TEST_F(EntryConfigSheetTest, AnEntryRemovedMeanwhileClosesTheSheetWithNothingStored)
{
    const ID id = addEntry(EntryTraits());
    open(id);
    removeEntry(id);
    showTab(2); // the page reads the entry when it is first shown
    ASSERT_TRUE(OrvaneTest::settle([&] { return !sheet->isVisible(); }));
    EXPECT_EQ(sheet->result(), QDialog::Rejected);

    // And OK after the removal stores nothing either.
    const ID again = addEntry(EntryTraits());
    open(again);
    field<QCheckBox>("manualBox").setChecked(true);
    field("hostEdit").setText(QStringLiteral("10.9.9.9"));
    removeEntry(again);
    sheet->accept();
    EXPECT_EQ(sheet->result(), QDialog::Rejected);
    EXPECT_EQ(entries.GetDB().Size(), 0u);
}

TEST_F(EntryConfigSheetTest, TheTrustedCertificateIsShownAndCanBeForgotten)
{
    EntryTraits traits;
    traits.host = L"10.0.0.7";
    const ID id = addEntry(traits);
    change(id, [](MonitoredEntry::EntryProperty& property) {
        MonitoredEntry::MFP mfp = property.GetMFP();
        mfp.SetHTTPS(8443);
        property.SetMFP(mfp);
    });
    const HTTP::KnownDevices known = HTTP::KnownDevices::Default();
    boost::filesystem::remove(known.File());
    const std::string fingerprint
        = "AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89";
    ASSERT_TRUE(known.Remember("10.0.0.7", 8443, fingerprint));
    ASSERT_TRUE(known.Remember("10.0.0.8", 8443, fingerprint));
    open(id);
    EXPECT_EQ(field<QLabel>("certificateValue").text().remove(QLatin1Char('\n')).toStdString(), fingerprint);
    ASSERT_TRUE(field<QPushButton>("forgetCertificateButton").isEnabled());
    messages.answers = {true};
    field<QPushButton>("forgetCertificateButton").click();
    EXPECT_FALSE(known.Fingerprint("10.0.0.7", 8443));
    EXPECT_TRUE(known.Fingerprint("10.0.0.8", 8443)); // the other device stays trusted
    EXPECT_FALSE(field<QPushButton>("forgetCertificateButton").isEnabled());
}

TEST_F(EntryConfigSheetTest, MachineSelectionCopiesTheChosenDeviceAndCancelChangesNothing)
{
    OrvaneTest::SnmpAgent agent("127.0.0.2", {"sysName mfp1-office"});
    ASSERT_TRUE(agent.waitReady());
    const ID id = addEntry(EntryTraits());
    open(id, {agent.target()});
    const auto chooseFirst = [](UI::DeviceSelectDlg& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
        OrvaneTest::waitUntil([&] {
            QCoreApplication::processEvents();
            return list->topLevelItemCount() > 0;
        });
        if (list->topLevelItemCount() > 0)
            list->setCurrentItem(list->topLevelItem(0));
        dialog.accept();
    };
    OrvaneTest::whenModal<UI::DeviceSelectDlg>([](UI::DeviceSelectDlg& dialog) { dialog.reject(); });
    field<QPushButton>("machineSelectButton").click();
    EXPECT_EQ(field("hostEdit").text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(sheet->GetSearchAgent().GetSelectedDevice().GetHost(), L""); // nothing selected

    OrvaneTest::whenModal<UI::DeviceSelectDlg>(chooseFirst);
    field<QPushButton>("machineSelectButton").click();
    EXPECT_EQ(field("hostEdit").text(), QStringLiteral("127.0.0.2"));
    EXPECT_EQ(field("nameValue").text(), QStringLiteral("mfp1-office"));
    EXPECT_EQ(field("httpEdit").text(), QStringLiteral("80"));
    EXPECT_EQ(sheet->GetSearchAgent().GetSelectedDevice().GetHost(), L"127.0.0.2");
}

} // namespace
