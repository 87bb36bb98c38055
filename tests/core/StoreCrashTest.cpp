#include "core/StoreFixtures.hpp"

#include "Config.hpp"
#include "Serializer.hpp"
#include "System/Text.hpp"
#include "support/TestSupport.hpp"

#include <boost/exception/diagnostic_information.hpp>

#include <gtest/gtest.h>

#include <cstdio>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace Orvane::MonitoredEntry;

std::wstring hostOf(const Orvane::Serializer& serializer)
{
    const EntryDB& db = serializer.GetEntryManager().GetDB();
    return db.Size() == 1 ? db.GetEntryList().front()->GetProperty().GetMFP().GetHost() : L"";
}

// Saves forever, switching the one entry's host between "old" and "new" on every round.
[[noreturn]] void saveInALoop(const std::string& folder)
{
    Orvane::Serializer serializer(folder);
    Orvane::Load(serializer);
    const auto entry = serializer.GetEntryManager().GetDB().GetEntryList().front();
    for (bool fresh = true;; fresh = !fresh) {
        {
            EntryManager::Transaction transaction(serializer.GetEntryManager());
            auto copy = transaction.CopyEntry(entry->GetID());
            EntryProperty property = copy->GetProperty();
            MFP mfp = property.GetMFP();
            mfp.SetHost(fresh ? L"new" : L"old");
            property.SetMFP(mfp);
            copy->SetProperty(property);
            transaction.SetEntry(copy);
            transaction.Commit();
        }
        Orvane::Save(serializer);
    }
}

// A save killed at any moment leaves either the previous or the next complete store.
TEST(StoreCrashTest, KilledSavesLeaveAWholeStore)
{
    Orvane::Config::Instance().Load();
    OrvaneTest::TempDir dir;
    OrvaneTest::writeStore(dir.path(), {OrvaneTest::storedEntry(0, {L"", ""}, true, false, 10)});
    {
        Orvane::Serializer first(dir.path().string());
        Orvane::Load(first);
        Orvane::Save(first);
    }
    std::mt19937 random(20250602);
    std::uniform_int_distribution<int> delayUs(0, 10000);
    std::wstring last = L"host0."; // until a child has completed a save
    int kills = 0;
    for (int round = 0; round < 210; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                saveInALoop(dir.path().string());
            } catch (const std::exception& error) {
                std::fprintf(stderr, "%s\n", boost::diagnostic_information(error).c_str());
            }
            ::_exit(1); // never back into the test framework, whose cleanup would remove the folder
        }
        // The kill lands at a random point of the child's work; nothing is synchronised here.
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ASSERT_EQ(0, ::kill(child, SIGKILL));
        int status = 0;
        ASSERT_EQ(child, ::waitpid(child, &status, 0));
        kills += WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;

        Orvane::Serializer check(dir.path().string());
        ASSERT_NO_THROW(Orvane::Load(check)) << "after kill " << round;
        const std::wstring host = hostOf(check);
        ASSERT_TRUE(host == last || host == L"old" || host == L"new") << round << " " << Orvane::System::ToANSI(host);
        last = host;
        ASSERT_EQ(10u, check.GetEntryManager().GetDB().GetEntryList().front()->ReadEventLog().GetEventList().size());
    }
    EXPECT_GE(kills, 200);
}

} // namespace
