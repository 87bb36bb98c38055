#include "MessageBoxRecorder.hpp"
#include "ModalDriver.hpp"
#include "VirtualListFixture.hpp"

#include "Config.hpp"
#include "UI/EntryConfigSheet.hpp"
#include "UI/EntryManagerDlg.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/VirtualList/EntryListCtrl.hpp"
#include "Utility/StringId.hpp"
#include "support/TestSupport.hpp"

#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTabWidget>

namespace {

using namespace Orvane;
using OrvaneTest::EntryTraits;
using OrvaneTest::MessageBoxRecorder;
using UI::EntryManagerDlg;
using Icon = UI::MessageBoxSeam::Icon;

// The search is never run by these tests: no source.
Utility::SearchAgent QuietAgent(const OrvaneTest::TempDir& folder)
{
    Utility::DeviceSearch::Options options;
    options.mdns = false;
    return Utility::SearchAgent(options, MonitoredEntry::MFP(), folder.path().string() + "/");
}

class EntryManagerDlgTest : public OrvaneTest::VirtualListFixture
{
protected:
    EntryManagerDlgTest()
    {
        Config::Current current = Config::GetCurrent();
        current.SubscribeWaitLimitMs = 400;
        Config::SetCurrent(current);
    }
    ~EntryManagerDlgTest() override { dialog.reset(); }

    EntryManagerDlg& open()
    {
        dialog = std::make_unique<EntryManagerDlg>(entries, QuietAgent(folder));
        return *dialog;
    }

    void select(const ID& id)
    {
        auto& list = dialog->GetEntryList();
        list.AdjustSelectedItem(id, list.GetDisplayedKeys());
    }

    QPushButton* button(const char* name) const { return dialog->findChild<QPushButton*>(QString::fromLatin1(name)); }

    // Switch, notice items, add, remove, detail.
    std::vector<bool> buttons() const
    {
        return {button("switchMonitoringButton")->isEnabled(), button("noticeItemsButton")->isEnabled(),
                button("addButton")->isEnabled(), button("removeButton")->isEnabled(),
                button("detailButton")->isEnabled()};
    }

    bool monitoring(const ID& id) const
    {
        const MonitoredEntry::EntryManager::ScopedLock lock(entries);
        return entries.GetDB().GetEntry(id).IsMonitoring();
    }

    OrvaneTest::TempDir folder;
    MessageBoxRecorder messages;
    std::unique_ptr<EntryManagerDlg> dialog;
};

TEST_F(EntryManagerDlgTest, ButtonsFollowTheSelectionAndTheListFollowsTheManager)
{
    EntryTraits off;
    off.monitoring = false;
    const ID quiet = addEntry(off);
    open();
    EXPECT_EQ(dialog->GetEntryList().GetDisplayedKeys(), std::vector<ID> {quiet});
    EXPECT_EQ(buttons(), (std::vector<bool> {true, false, true, true, true})); // the first row is selected

    EntryTraits on;
    on.host = L"10.0.0.2";
    const ID watched = addEntry(on);
    ASSERT_TRUE(OrvaneTest::settle([&] { return dialog->GetEntryList().GetDisplayedKeys().size() == 2; }));
    select(watched);
    EXPECT_EQ(buttons(), (std::vector<bool> {true, true, true, true, true}));

    dialog->GetEntryList().GetView()->selectionModel()->clear();
    EXPECT_EQ(buttons(), (std::vector<bool> {false, false, true, false, false}));
}

TEST_F(EntryManagerDlgTest, SwitchingOnSwitchesOffTheOtherMonitoredEntryOfTheHost)
{
    const ID first = addEntry(EntryTraits());
    EntryTraits second;
    second.host = L"10.0.0.2";
    second.monitoring = false;
    const ID other = addEntry(second);
    change(other, [](MonitoredEntry::EntryProperty& property) {
        MonitoredEntry::MFP mfp = property.GetMFP();
        mfp.SetHost(L"127.0.0.1"); // the host of the first, allowed while it is unmonitored
        property.SetMFP(mfp);
    });
    open();
    select(other);
    // The wait shows its progress window and ends at the limit: no subscriber runs here.
    bool waited = false;
    OrvaneTest::whenModal<QProgressDialog>([&](QProgressDialog&) { waited = true; });
    dialog->SwitchMonitoring();
    EXPECT_TRUE(waited);
    EXPECT_TRUE(monitoring(other));
    EXPECT_FALSE(monitoring(first));
    EXPECT_TRUE(button("switchMonitoringButton")->isEnabled());

    // Switching off touches nothing else; cancelling the wait ends it at once.
    OrvaneTest::whenModal<QProgressDialog>([](QProgressDialog& progress) { progress.cancel(); });
    dialog->SwitchMonitoring();
    EXPECT_FALSE(monitoring(other));
    EXPECT_FALSE(monitoring(first));
}

TEST_F(EntryManagerDlgTest, RemoveAsksFirst)
{
    const ID id = addEntry(EntryTraits());
    open();
    select(id);
    messages.answers = {false, true};
    dialog->RemoveEntry();
    EXPECT_EQ(entries.GetDB().Size(), 1u);
    dialog->RemoveEntry();
    EXPECT_EQ(entries.GetDB().Size(), 0u);
    EXPECT_EQ(messages.shown,
              (std::vector<MessageBoxRecorder::Shown> {{Utility::StringId::Confirm, Icon::Question},
                                                       {Utility::StringId::Confirm, Icon::Question}}));
    EXPECT_TRUE(dialog->GetEntryList().GetDisplayedKeys().empty());
    EXPECT_EQ(buttons(), (std::vector<bool> {false, false, true, false, false}));
}

TEST_F(EntryManagerDlgTest, AddAtTheEntryLimitShowsTheLimitInsteadOfTheWizard)
{
    Config::Current current = Config::GetCurrent();
    current.EntryMax = 1;
    Config::SetCurrent(current);
    addEntry(EntryTraits());
    open();
    dialog->AddEntry();
    EXPECT_EQ(messages.shown, (std::vector<MessageBoxRecorder::Shown> {{Utility::StringId::EntryLimit, Icon::Stop}}));

    current.EntryMax = 2;
    Config::SetCurrent(current);
    bool opened = false;
    OrvaneTest::whenModal<UI::EntryWizard::Wizard>([&](UI::EntryWizard::Wizard& wizard) {
        opened = true;
        wizard.reject();
    });
    dialog->AddEntry();
    EXPECT_TRUE(opened);
}

TEST_F(EntryManagerDlgTest, DetailOpensTheSheetOfTheSelectedEntry)
{
    addEntry(EntryTraits());
    EntryTraits second;
    second.host = L"10.0.0.2";
    const ID id = addEntry(second);
    open();
    select(id);
    QString host;
    OrvaneTest::whenModal<UI::EntryConfigSheet>([&](UI::EntryConfigSheet& sheet) {
        host = sheet.findChild<QLineEdit*>(QStringLiteral("hostEdit"))->text();
        sheet.reject();
    });
    dialog->OpenSettings();
    EXPECT_EQ(host, QStringLiteral("10.0.0.2"));
}

} // namespace
