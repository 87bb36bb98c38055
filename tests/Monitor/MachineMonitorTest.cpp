#include "Monitor/MachineMonitorManager.hpp"

#include "MonitorFixture.hpp"

#include <gtest/gtest.h>

namespace {

using namespace Orvane;
using Monitor::MachineMonitorManager;
using OrvaneTest::waitUntil;
using Name = boost::optional<std::wstring>;

class MachineMonitorTest : public OrvaneTest::MonitorFixture
{
protected:
    MachineMonitorTest()
        : MonitorFixture(settings())
        , monitors(entries)
    {
        entries.AddObserver(&monitors);
    }
    ~MachineMonitorTest() override
    {
        entries.RemoveObserver(&monitors);
        monitors.StopAll();
    }

    static OrvaneTest::MonitorSettings settings()
    {
        OrvaneTest::MonitorSettings settings;
        settings.machineMs = 100;
        return settings;
    }

    Name deviceName(const ID& id) const { return entry(id).GetProperty().GetMFP().GetName(); }
    Name accountName(const ID& id) const { return entry(id).GetProperty().GetUser().GetName(); }

    MachineMonitorManager monitors;
};

TEST_F(MachineMonitorTest, TheEntryTakesTheNamesTheDeviceReports)
{
    const ID id = addEntry("alice");
    ASSERT_TRUE(waitUntil([&] { return deviceName(id) == Name(L"DevSim MFP") && accountName(id) == Name(L"Alice"); }));

    sim.renameAccount("alice", "Alice Liddell");
    sim.renameMachine("Front Office");
    EXPECT_TRUE(waitUntil(
        [&] { return accountName(id) == Name(L"Alice Liddell") && deviceName(id) == Name(L"Front Office"); }));

    // A device left without a name reports an empty element: the entry then has no name, rather
    // than a failure that keeps the old one.
    sim.renameMachine("");
    sim.renameAccount("alice", "");
    EXPECT_TRUE(waitUntil([&] { return !accountName(id) && !deviceName(id); }));
}

TEST_F(MachineMonitorTest, ADeviceThatFailsLeavesTheNamesAsTheyWere)
{
    const ID id = addEntry("alice");
    ASSERT_TRUE(waitUntil([&] { return accountName(id) == Name(L"Alice"); }));
    sim.setFault("GetMachineSettings", {{"kind", "drop"}});
    sim.setFault("GetUserInfo", {{"kind", "status"}, {"status", 500}});
    sim.renameMachine("Renamed");
    sim.renameAccount("alice", "Renamed");
    sim.clearRequestLog();

    ASSERT_TRUE(waitUntil([&] { return count(sim, "GetUserInfo") >= 2 && count(sim, "GetMachineSettings") >= 2; }));
    EXPECT_EQ(deviceName(id).value_or(L"(none)"), L"DevSim MFP");
    EXPECT_EQ(accountName(id).value_or(L"(none)"), L"Alice");
}

TEST_F(MachineMonitorTest, ItKeepsGoingWhileMonitoringIsOffAndEndsWithTheEntry)
{
    const ID id = addEntry("alice");
    ASSERT_TRUE(waitUntil([&] { return monitors.GetIDs() == std::vector<ID> {id}; }));
    change(id, [](Property& p) { p.SetMonitoring(false); });
    sim.renameAccount("alice", "Still watched");
    EXPECT_TRUE(waitUntil([&] { return accountName(id) == Name(L"Still watched"); }));

    remove(id);
    EXPECT_TRUE(waitUntil([&] { return monitors.GetIDs().empty(); }));
}

} // namespace
