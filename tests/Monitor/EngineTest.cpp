#include "Engine.hpp"

#include "MachineEvent/PipelineFixtures.hpp"
#include "MonitorFixture.hpp"

#include <gtest/gtest.h>

#include <mutex>

namespace {

using namespace Orvane;
using OrvaneTest::RecordingListener;
using OrvaneTest::waitUntil;

class EngineTest : public OrvaneTest::MonitorFixture
{
protected:
    // The document identifiers in the entry's log, oldest first, and whether each is read.
    std::vector<std::pair<std::wstring, bool>> logged(const ID& id) const
    {
        std::vector<std::pair<std::wstring, bool>> found;
        const MonitoredEntry::Entry copy = entry(id);
        for (const auto& event : copy.ReadEventLog().GetEventList())
            found.emplace_back(event.GetProperty().GetDocID().value_or(L""), event.IsRead());
        return found;
    }

    static std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }
};

TEST_F(EngineTest, ADocumentOnTheDeviceReachesTheLogAndAPopupThatMarksItRead)
{
    const ID id = addEntry("alice");
    const auto presenter = std::make_shared<OrvaneTest::ScriptedPresenter>();
    presenter->answerAll({MachineEvent::PopupPresenter::ResultRead, false});
    Engine engine(entries, presenter);
    engine.Start();
    ASSERT_TRUE(waitUntil([&] { return subscribed(sim, "alice") && count(sim, "feed") >= 1; }));

    const std::wstring docID = wide(sim.addDocument("alice", "scan.pdf"));
    using Logged = std::vector<std::pair<std::wstring, bool>>;
    EXPECT_TRUE(waitUntil([&] { return logged(id) == Logged {{docID, true}}; }));
    EXPECT_EQ(presenter->shownDocIDs(), std::vector<std::wstring> {docID});

    engine.Stop();
    EXPECT_FALSE(engine.IsRunning());
    EXPECT_FALSE(subscribed(sim, "alice"));
    EXPECT_EQ(sim.requestLog().back().at("operation"), "UnSubscribeToFeed");
}

TEST_F(EngineTest, HeadlessTheListenerHearsEveryLoggedEvent)
{
    sim.addDocument("alice", "waiting.pdf");
    const ID id = addEntry("alice");
    RecordingListener listener;
    Engine engine(entries, nullptr);
    engine.SetListener(&listener);
    engine.Start();
    ASSERT_TRUE(waitUntil([&] { return listener.pairs().size() == 1; }));
    sim.addDocument("alice", "arriving.pdf");
    ASSERT_TRUE(waitUntil([&] { return listener.pairs().size() == 2; }));

    engine.Stop();
    const auto log = entry(id).ReadEventLog().GetEventList();
    ASSERT_EQ(log.size(), 2u);
    for (std::size_t i = 0; i < log.size(); ++i)
        EXPECT_EQ(listener.pairs()[i], RecordingListener::EventPair(id, log[i].GetID()));
    // The machine monitor named the device and the account meanwhile.
    EXPECT_EQ(entry(id).GetProperty().GetMFP().GetName().value_or(L"(none)"), L"DevSim MFP");
}

TEST_F(EngineTest, StartAndStopRepeatedlyEndEveryTimeAndLeaveNothingSubscribed)
{
    addEntry("alice");
    RecordingListener listener;
    Engine engine(entries, nullptr);
    engine.SetListener(&listener);
    for (int round = 0; round < 50; ++round) {
        engine.Start();
        engine.Start(); // a second start does nothing
        ASSERT_TRUE(engine.IsRunning());
        if (round % 10 == 0) {
            ASSERT_TRUE(waitUntil([&] { return subscribed(sim, "alice"); }));
        }
        engine.Stop();
        engine.Stop();
        ASSERT_FALSE(engine.IsRunning());
        ASSERT_FALSE(subscribed(sim, "alice"));
    }
}

} // namespace
