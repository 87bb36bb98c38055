// Pictures of the monitored users dialog, each settings page, each wizard page and the device
// selection, for a person to look at (build/<dir>/screenshots).

#include "MessageBoxRecorder.hpp"
#include "VirtualListFixture.hpp"

#include "QX/Config.hpp"
#include "UI/DeviceSearchRunner.hpp"
#include "UI/DeviceSelectDlg.hpp"
#include "UI/EntryConfigSheet.hpp"
#include "UI/EntryManagerDlg.hpp"
#include "UI/EntryWizard/UserSelectPage.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/VirtualList/UserListCtrl.hpp"
#include "support/DevSim.hpp"
#include "support/TestSupport.hpp"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>

namespace {

using namespace Orvane;

class EntryDialogsScreenshot : public OrvaneTest::VirtualListFixture
{
protected:
    Utility::SearchAgent Agent()
    {
        Utility::DeviceSearch::Options options;
        options.mdns = false;
        return Utility::SearchAgent(options, MonitoredEntry::MFP(), folder.path().string() + "/");
    }

    void Save(QWidget& window, const char* name)
    {
        QCoreApplication::processEvents();
        const QString path = QStringLiteral(ORVANE_BINARY_DIR "/screenshots");
        QDir().mkpath(path);
        EXPECT_TRUE(window.grab().save(path + QStringLiteral("/%1.png").arg(QString::fromLatin1(name))));
    }

    OrvaneTest::TempDir folder;
    OrvaneTest::MessageBoxRecorder messages;
};

TEST_F(EntryDialogsScreenshot, EveryWindowAndPage)
{
    OrvaneTest::EntryTraits front;
    front.deviceName = L"Front MFP (2F)";
    front.accountName = L"Alice";
    const ID id = addEntry(front);
    OrvaneTest::EntryTraits back;
    back.host = L"192.0.2.20";
    back.monitoring = false;
    back.account = L"bob";
    addEntry(back);

    UI::EntryManagerDlg dialog(entries, Agent());
    dialog.show();
    Save(dialog, "entry-manager");

    UI::EntryConfigSheet sheet(entries, id, Agent());
    sheet.show();
    const char* tabs[] = {"entry-config-machine", "entry-config-user", "entry-config-setting"};
    for (int tab = 0; tab < 3; ++tab) {
        sheet.GetTabs().setCurrentIndex(tab);
        Save(sheet, tabs[tab]);
    }

    QX::Config timeouts;
    for (int set = 0; set < QX::Config::SetCount; ++set)
        timeouts.Put(static_cast<QX::Config::Set>(set), HTTP::Timeout {2000, 0, 3000, 3000});
    QX::SetConfig(timeouts);
    OrvaneTest::DevSim sim;
    UI::EntryWizard::Wizard wizard(entries, Agent());
    wizard.show();
    wizard.currentPage()->findChild<QCheckBox*>(QStringLiteral("manualBox"))->setChecked(true);
    wizard.currentPage()->findChild<QLineEdit*>(QStringLiteral("hostEdit"))->setText(QStringLiteral("127.0.0.5"));
    wizard.currentPage()->findChild<QLineEdit*>(QStringLiteral("httpEdit"))->setText(QString::number(sim.httpPort()));
    Save(wizard, "wizard-107");
    wizard.currentPage()
        ->findChild<QLineEdit*>(QStringLiteral("hostEdit"))
        ->setText(QString::fromStdString(sim.address()));
    wizard.next();
    auto& users = static_cast<UI::EntryWizard::UserSelectPage*>(wizard.currentPage())->GetUserList();
    users.GetView()->selectionModel()->setCurrentIndex(users.index(0, 0),
                                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Save(wizard, "wizard-108");
    wizard.back();
    sim.setFault("GetMachineSettings", {{"kind", "status"}, {"status", 500}});
    wizard.next();
    Save(wizard, "wizard-109");
    wizard.currentPage()->findChild<QLineEdit*>(QStringLiteral("idEdit"))->setText(QStringLiteral("carol"));
    wizard.next();
    Save(wizard, "wizard-110");

    UI::DeviceSelectDlg select(Agent());
    select.show();
    OrvaneTest::waitUntil([&] {
        QCoreApplication::processEvents();
        return !select.GetRunner().IsRunning();
    });
    Save(select, "device-select");
}

} // namespace
