#include "ModalDriver.hpp"

#include "UI/DeviceSearchRunner.hpp"
#include "UI/DeviceSelectDlg.hpp"
#include "support/SnmpAgent.hpp"
#include "support/TestSupport.hpp"

#include <QCoreApplication>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace Orvane;
using UI::DeviceSelectDlg;

Utility::SearchAgent AgentFor(const std::vector<std::string>& targets, const OrvaneTest::TempDir& folder)
{
    Utility::DeviceSearch::Options options;
    options.mdns = false;
    options.snmp.hosts = targets;
    options.snmp.broadcast = false; // never beyond loopback
    MonitoredEntry::MFP defaults;
    defaults.SetHTTP(80);
    defaults.SetHTTPS(443);
    return Utility::SearchAgent(options, defaults, folder.path().string() + "/");
}

bool settleUntil(const std::function<bool()>& condition)
{
    return OrvaneTest::waitUntil([&] {
        QCoreApplication::processEvents();
        return condition();
    });
}

TEST(DeviceSelectDlgTest, FillsWhileItSearchesAndKeepsTheChosenDevice)
{
    OrvaneTest::TempDir folder;
    OrvaneTest::SnmpAgent office("127.0.0.2", {"sysName mfp1-office"});
    OrvaneTest::SnmpAgent hall("127.0.0.3", {"sysName mfp2-hall"});
    ASSERT_TRUE(office.waitReady() && hall.waitReady());
    // A silent target keeps the search open until its window: the list fills before the end.
    Utility::SearchAgent agent = AgentFor({office.target(), hall.target(), "127.0.0.4:9"}, folder);
    DeviceSelectDlg dialog(agent);
    dialog.show();
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("deviceList"));
    auto* searchNow = dialog.findChild<QPushButton*>(QStringLiteral("searchNowButton"));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
    EXPECT_FALSE(searchNow->isEnabled());
    ASSERT_TRUE(settleUntil([&] { return list->topLevelItemCount() == 2; }));
    EXPECT_TRUE(dialog.GetRunner().IsRunning());
    ASSERT_TRUE(settleUntil([&] { return !dialog.GetRunner().IsRunning(); }));
    EXPECT_TRUE(searchNow->isEnabled());
    EXPECT_FALSE(ok->isEnabled());

    list->setCurrentItem(list->topLevelItem(1));
    const std::wstring chosen = list->topLevelItem(1)->text(1).toStdWString();
    ASSERT_TRUE(ok->isEnabled());
    ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(agent.GetSelectedDevice().GetHost(), chosen);
    // Kept in the program's folder: another agent there knows it.
    EXPECT_EQ(AgentFor({}, folder).GetSelectedDevice().GetHost(), chosen);
}

TEST(DeviceSelectDlgTest, CancelAnswersFalseAndChangesNothing)
{
    OrvaneTest::TempDir folder;
    Utility::SearchAgent agent = AgentFor({"127.0.0.4:9"}, folder); // nothing answers: it would wait
    MonitoredEntry::MFP before;
    before.SetHost(L"10.1.1.1");
    before.SetHTTP(80);
    before.SetHTTPS(443);
    agent.SelectDevice(before);
    OrvaneTest::whenModal<DeviceSelectDlg>([](DeviceSelectDlg& dialog) { dialog.reject(); });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(DeviceSelectDlg::Select(agent, nullptr));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2)); // cancelled, not waited for
    EXPECT_EQ(AgentFor({}, folder).GetSelectedDevice().GetHost(), L"10.1.1.1");
}

} // namespace
