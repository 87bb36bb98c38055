#include "MessageBoxRecorder.hpp"
#include "VirtualListFixture.hpp"

#include "Config.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "QX/Config.hpp"
#include "System/ScopedEnvironment.hpp"
#include "UI/EntryWizard/CommitPage.hpp"
#include "UI/EntryWizard/UserSelectPage.hpp"
#include "UI/EntryWizard/Wizard.hpp"
#include "UI/VirtualList/UserListCtrl.hpp"
#include "Utility/StringId.hpp"
#include "support/DevSim.hpp"
#include "support/TestSupport.hpp"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

#include <boost/filesystem/operations.hpp>

namespace {

using namespace Orvane;
using OrvaneTest::MessageBoxRecorder;
using UI::EntryWizard::Wizard;
namespace Id = Utility::StringId;
using Icon = UI::MessageBoxSeam::Icon;

class EntryWizardTest : public OrvaneTest::VirtualListFixture
{
protected:
    EntryWizardTest()
    {
        // The wizard starts from the configured default entry: config.dat in the test's home.
        Config::Instance().Load();
        QX::Config timeouts;
        for (int set = 0; set < QX::Config::SetCount; ++set)
            timeouts.Put(static_cast<QX::Config::Set>(set), HTTP::Timeout {2000, 0, 3000, 3000});
        QX::SetConfig(timeouts);
    }
    ~EntryWizardTest() override { wizard.reset(); }

    Wizard& open()
    {
        Utility::DeviceSearch::Options options;
        options.mdns = false;
        wizard = std::make_unique<Wizard>(
            entries, Utility::SearchAgent(options, MonitoredEntry::MFP(), folder.path().string() + "/"));
        wizard->show();
        return *wizard;
    }

    QLineEdit& edit(const char* name) const
    {
        auto* found = wizard->currentPage()->findChild<QLineEdit*>(QString::fromLatin1(name));
        if (!found)
            throw std::runtime_error(name);
        return *found;
    }

    bool nextEnabled() const { return wizard->button(QWizard::NextButton)->isEnabled(); }

    // Page 107 by hand: the simulator's address and ports.
    void typeDevice(const OrvaneTest::DevSim& sim, const QString& host = QString())
    {
        wizard->currentPage()->findChild<QCheckBox*>(QStringLiteral("manualBox"))->setChecked(true);
        edit("hostEdit").setText(host.isEmpty() ? QString::fromStdString(sim.address()) : host);
        edit("httpEdit").setText(QString::number(sim.httpPort()));
        edit("httpsEdit").setText(QString::number(sim.httpsPort()));
    }

    int userListReads(const OrvaneTest::DevSim& sim) const
    {
        int reads = 0;
        for (const auto& request : sim.requestLog())
            reads += request.at("operation") == "GetUserList" ? 1 : 0;
        return reads;
    }

    void selectUser(int row)
    {
        auto& list = static_cast<UI::EntryWizard::UserSelectPage*>(wizard->currentPage())->GetUserList();
        list.GetView()->selectionModel()->setCurrentIndex(
            list.index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    std::size_t stored() const
    {
        const MonitoredEntry::EntryManager::ScopedLock lock(entries);
        return entries.GetDB().Size();
    }

    OrvaneTest::TempDir folder;
    MessageBoxRecorder messages;
    std::unique_ptr<Wizard> wizard;
};

TEST_F(EntryWizardTest, ADeviceThatListsItsUsersLeadsThroughItsListAndBack)
{
    OrvaneTest::DevSim sim;
    open();
    EXPECT_EQ(wizard->currentId(), Wizard::MachineSelect);
    EXPECT_FALSE(nextEnabled());
    typeDevice(sim);
    ASSERT_TRUE(nextEnabled());
    wizard->next();
    ASSERT_EQ(wizard->currentId(), Wizard::UserSelect);
    EXPECT_TRUE(wizard->windowTitle().endsWith(QStringLiteral(" 2/3")));
    EXPECT_EQ(userListReads(sim), 1);
    EXPECT_FALSE(nextEnabled());
    EXPECT_TRUE(edit("passwordEdit").isReadOnly());

    selectUser(1);
    EXPECT_EQ(edit("nameValue").text(), QStringLiteral("Bob"));
    EXPECT_EQ(edit("idValue").text(), QStringLiteral("bob"));
    edit("passwordEdit").setText(QString(29, QLatin1Char('b')));
    EXPECT_FALSE(nextEnabled());
    edit("passwordEdit").setText(QStringLiteral("bob-pass"));
    EXPECT_TRUE(nextEnabled());
    wizard->next();
    EXPECT_EQ(wizard->currentId(), Wizard::Commit);
    wizard->back();
    EXPECT_EQ(wizard->currentId(), Wizard::UserSelect);
    wizard->back();
    EXPECT_EQ(wizard->currentId(), Wizard::MachineSelect);

    // The same host again: the list is not fetched again.
    wizard->next();
    EXPECT_EQ(wizard->currentId(), Wizard::UserSelect);
    EXPECT_EQ(userListReads(sim), 1);
    wizard->back();
    edit("hostEdit").setText(QStringLiteral("localhost"));
    wizard->next();
    EXPECT_EQ(wizard->currentId(), Wizard::UserSelect);
    EXPECT_EQ(userListReads(sim), 2);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EntryWizardTest, ADeviceWithItsSecurityPolicyOnOrFailingAsksForTheAccount)
{
    nlohmann::json config = OrvaneTest::DevSim::defaultConfig();
    config["machine"]["securityPolicy"] = true;
    OrvaneTest::DevSim secured(config);
    OrvaneTest::DevSim failing;
    failing.setFault("GetMachineSettings", {{"kind", "status"}, {"status", 500}});
    for (const OrvaneTest::DevSim* sim : {&secured, &failing}) {
        open();
        typeDevice(*sim);
        wizard->next();
        ASSERT_EQ(wizard->currentId(), Wizard::UserInput);
        const struct
        {
            QString id;
            QString password;
            bool next;
        } cases[] = {
            {QString(), QStringLiteral("pass"), false},
            {QStringLiteral("alice"), QString(28, QLatin1Char('a')), true},
            {QStringLiteral("alice"), QString(29, QLatin1Char('a')), false},
            {QStringLiteral("alice"), QStringLiteral("pässword"), false},
            {QStringLiteral("alice"), QString(), true},
        };
        for (const auto& c : cases) {
            edit("idEdit").setText(c.id);
            edit("passwordEdit").setText(c.password);
            EXPECT_EQ(nextEnabled(), c.next) << c.id.toStdString() << " " << c.password.toStdString();
        }
        wizard->next();
        EXPECT_EQ(wizard->currentId(), Wizard::Commit);
        wizard->back();
        EXPECT_EQ(wizard->currentId(), Wizard::UserInput);
        wizard->back();
        EXPECT_EQ(wizard->currentId(), Wizard::MachineSelect);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EntryWizardTest, AnUnreachableHostNameStaysOnTheDevicePage)
{
    open();
    wizard->currentPage()->findChild<QCheckBox*>(QStringLiteral("manualBox"))->setChecked(true);
    edit("hostEdit").setText(QStringLiteral("127.0.0.1"));
    edit("httpEdit").setText(QStringLiteral("70000"));
    EXPECT_FALSE(nextEnabled()); // a port beyond 65535 is no device
}

TEST_F(EntryWizardTest, FinishAppendsAndADeviceWithAnEntryAsksFirst)
{
    OrvaneTest::DevSim sim;
    open();
    typeDevice(sim);
    wizard->next();
    selectUser(0);
    edit("passwordEdit").setText(QStringLiteral("alice-pass"));
    wizard->next();
    ASSERT_EQ(wizard->currentId(), Wizard::Commit);
    auto& box = static_cast<UI::EntryWizard::CommitPage*>(wizard->currentPage())->GetSelectItemsBox();
    EXPECT_TRUE(box.isChecked());
    box.setChecked(false);

    // Another entry of this device appears meanwhile: no keeps the wizard, yes ends it; nothing is stored.
    OrvaneTest::EntryTraits other;
    other.host = QString::fromStdString(sim.address()).toStdWString();
    const ID existing = addEntry(other);
    messages.answers = {false, true};
    wizard->button(QWizard::FinishButton)->click();
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->currentId(), Wizard::Commit);
    wizard->button(QWizard::FinishButton)->click();
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(wizard->result(), QDialog::Rejected);
    EXPECT_EQ(stored(), 1u);
    EXPECT_EQ(messages.shown,
              (std::vector<MessageBoxRecorder::Shown> {{Id::DuplicateDevice, Icon::Question},
                                                       {Id::DuplicateDevice, Icon::Question}}));

    removeEntry(existing);
    open();
    typeDevice(sim);
    wizard->next();
    selectUser(0);
    edit("passwordEdit").setText(QStringLiteral("alice-pass"));
    wizard->next();
    static_cast<UI::EntryWizard::CommitPage*>(wizard->currentPage())->GetSelectItemsBox().setChecked(false);
    wizard->button(QWizard::FinishButton)->click();
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    ASSERT_EQ(stored(), 1u);
    const MonitoredEntry::EntryManager::ScopedLock lock(entries);
    const MonitoredEntry::Entry& added = *entries.GetDB().GetEntryList().front();
    EXPECT_EQ(added.GetProperty().GetUser().GetID(), L"alice");
    EXPECT_EQ(*added.GetProperty().GetUser().GetName(), L"Alice");
    EXPECT_EQ(added.GetProperty().GetUser().GetPassword().GetPlainText(), L"alice-pass");
    EXPECT_EQ(*added.GetProperty().GetMFP().GetHTTP(), sim.httpPort());
}

TEST_F(EntryWizardTest, FinishWithItemSelectionWaitsForTheSubscriptionThenOpensThePage)
{
    OrvaneTest::TempDir scripts;
    const auto script = scripts / "open";
    OrvaneTest::writeFile(script,
                          "#!/bin/sh\nprintf '%s' \"$1\" > '" + (scripts / "part").string() + "' && mv '"
                              + (scripts / "part").string() + "' '" + (scripts / "url").string() + "'\n");
    boost::filesystem::permissions(script, boost::filesystem::perms(0755));
    const OrvaneTest::ScopedEnvironment command("ORVANE_OPEN_COMMAND", script.string());
    OrvaneTest::DevSim sim;
    open();
    typeDevice(sim);
    wizard->next();
    selectUser(0);
    edit("passwordEdit").setText(QStringLiteral("alice-pass"));
    wizard->next();
    // The feed subscriber's part: the new entry is subscribed a little later.
    QTimer subscriber;
    QObject::connect(&subscriber, &QTimer::timeout, [this] {
        const MonitoredEntry::EntryManager::ScopedLock lock(entries);
        if (entries.GetDB().Size() == 1)
            change(entries.GetDB().GetEntryList().front()->GetID(),
                   [](MonitoredEntry::EntryProperty& property) { property.SetSubscriptionState(1); });
    });
    subscriber.start(300);
    const auto started = std::chrono::steady_clock::now();
    wizard->button(QWizard::FinishButton)->click();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)); // not the whole limit
    EXPECT_EQ(wizard->result(), QDialog::Accepted);
    ASSERT_TRUE(OrvaneTest::waitUntil([&] { return boost::filesystem::exists(scripts / "url"); }));
    EXPECT_NE(OrvaneTest::readFile(scripts / "url").find("IFM=4&UN=alice"), std::string::npos);
}

} // namespace
