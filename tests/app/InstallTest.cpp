#include "app/OrvaneProcess.hpp"
#include "support/DevSim.hpp"

#include "MonitoredEntry/EntryManager.hpp"
#include "Serializer.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <map>

using namespace OrvaneTest;
namespace fs = boost::filesystem;

namespace {

const std::vector<std::string> Account = {"--uname", "Alice", "--uid", "alice"};

std::vector<std::string> installArguments(const std::vector<std::string>& extra)
{
    std::vector<std::string> arguments = {"-i", "--host", "127.0.0.1", "--mname", "Front desk"};
    arguments.insert(arguments.end(), Account.begin(), Account.end());
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
}

// The entries of the data store as the program reads them.
std::vector<Orvane::MonitoredEntry::Entry> storedEntries(const AppHome& home)
{
    Orvane::Serializer serializer(home.dataDir().string());
    Orvane::Load(serializer);
    const Orvane::MonitoredEntry::EntryManager& manager = serializer.GetEntryManager();
    Orvane::MonitoredEntry::EntryManager::ScopedLock lock(manager);
    std::vector<Orvane::MonitoredEntry::Entry> entries;
    for (const auto& entry : manager.GetDB().GetEntryList())
        entries.push_back(*entry);
    return entries;
}

std::map<std::string, std::string> folderContent(const fs::path& folder)
{
    std::map<std::string, std::string> content;
    for (const fs::directory_entry& file : fs::directory_iterator(folder))
        content[file.path().filename().string()] = readFile(file.path());
    return content;
}

std::size_t lineCount(const std::string& text)
{
    return std::count(text.begin(), text.end(), '\n');
}

class Install : public ::testing::Test
{
protected:
    AppHome home;
};

// Install takes over from a running instance, resets the configuration and leaves exactly its own
// entry in the data store, whatever was there before.
TEST_F(Install, ClosesTheRunningInstanceAndStoresOnlyItsEntry)
{
    ASSERT_EQ(0, OrvaneProcess::run(home, installArguments({"--upass", "old-secret"})));
    home.setConfigValue("PORT", std::to_string(freeUdpPort()));
    home.setConfigValue("ENTRY_MAX", "7");
    OrvaneProcess running(home, {"--headless"});
    ASSERT_TRUE(running.waitListening(home)) << running.err();

    ASSERT_EQ(0,
              OrvaneProcess::run(home,
                                 {"-i", "--host", "127.0.0.2", "--mname", "Back office", "--http", "8080", "--uname",
                                  "Bob", "--uid", "bob", "--upass", "s3cret"}));
    EXPECT_EQ(0, running.wait());

    const std::string config = readFile(home.configPath());
    EXPECT_EQ(47u, lineCount(config));
    EXPECT_NE(std::string::npos, config.find("ENTRY_MAX = 3\n"));
    const auto entries = storedEntries(home);
    ASSERT_EQ(1u, entries.size());
    const auto& property = entries.front().GetProperty();
    EXPECT_EQ(L"127.0.0.2", property.GetMFP().GetHost());
    EXPECT_EQ(L"Back office", property.GetMFP().GetName().value_or(L"(none)"));
    EXPECT_EQ(8080, property.GetMFP().GetHTTP().value_or(-1));
    EXPECT_EQ(443, property.GetMFP().GetHTTPS().value_or(-1));
    EXPECT_EQ(L"bob", property.GetUser().GetID());
    EXPECT_EQ(L"Bob", property.GetUser().GetName().value_or(L"(none)"));
    EXPECT_EQ(L"s3cret", property.GetUser().GetPassword().GetPlainText());
    EXPECT_TRUE(property.IsMonitoring());
    EXPECT_EQ(25, property.GetConfig().GetLogMax());
}

struct RefusedCase
{
    const char* what;
    std::vector<std::string> arguments;
};

class RefusedOptions : public Install, public ::testing::WithParamInterface<RefusedCase>
{ };

// Options that cannot make an entry end with 13 before anything is touched, even with an instance
// running.
TEST_P(RefusedOptions, Exit13AndChangeNoFile)
{
    ASSERT_EQ(0, OrvaneProcess::run(home, installArguments({})));
    home.setConfigValue("PORT", std::to_string(freeUdpPort()));
    OrvaneProcess running(home, {"--headless"});
    ASSERT_TRUE(running.waitListening(home)) << running.err();
    const auto before = folderContent(home.dataDir());

    EXPECT_EQ(13, OrvaneProcess::run(home, GetParam().arguments));

    EXPECT_FALSE(running.exitCode());
    EXPECT_EQ(before, folderContent(home.dataDir()));
    running.signal(SIGTERM);
    EXPECT_EQ(0, running.wait());
}

const std::string Password29(29, 'p');

void PrintTo(const RefusedCase& refused, std::ostream* out)
{
    *out << refused.what;
}

INSTANTIATE_TEST_SUITE_P(
    Install, RefusedOptions,
    ::testing::Values(RefusedCase {"no_uid", {"-i", "--host", "127.0.0.1", "--uname", "Alice"}},
                      RefusedCase {"no_uname", {"-i", "--host", "127.0.0.1", "--uid", "alice"}},
                      RefusedCase {"no_host", {"-i", "--uname", "Alice", "--uid", "alice"}},
                      RefusedCase {"empty_uid", {"-i", "--host", "127.0.0.1", "--uname", "Alice", "--uid", ""}},
                      RefusedCase {"empty_mname",
                                   {"-i", "--host", "127.0.0.1", "--mname", "", "--uname", "A", "--uid", "a"}},
                      RefusedCase {"bad_host", {"-i", "--host", "no such host", "--uname", "A", "--uid", "a"}},
                      RefusedCase {"http_70000", installArguments({"--http", "70000"})},
                      RefusedCase {"https_negative", installArguments({"--https", "-1"})},
                      RefusedCase {"password_29", installArguments({"--upass", Password29})},
                      RefusedCase {"password_not_ascii", installArguments({"--upass", "pässword"})},
                      // install wins over uninstall, so nothing is closed
                      RefusedCase {"with_uninstall", {"-u", "-i", "--uid", "alice"}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(Install, Accepts28CharacterPasswordAndEdgePorts)
{
    const std::string password(28, 'p');
    ASSERT_EQ(0, OrvaneProcess::run(home, installArguments({"--upass", password, "--http", "0", "--https", "65535"})));
    const auto entries = storedEntries(home);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(std::wstring(28, L'p'), entries.front().GetProperty().GetUser().GetPassword().GetPlainText());
    EXPECT_EQ(65535, entries.front().GetProperty().GetMFP().GetHTTPS().value_or(-1));
}

// Without a name on the command line the device is asked for its own; a device that cannot be
// reached leaves the name out.
TEST_F(Install, TakesTheNameTheDeviceReports)
{
    DevSim device;
    ASSERT_EQ(0,
              OrvaneProcess::run(home,
                                 {"-i", "--host", device.address(), "--http", std::to_string(device.httpPort()),
                                  "--uname", "Alice", "--uid", "alice"}));
    auto entries = storedEntries(home);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(L"DevSim MFP", entries.front().GetProperty().GetMFP().GetName().value_or(L"(none)"));

    const int closedPort = freeUdpPort(); // nothing listens for TCP there either
    ASSERT_EQ(0,
              OrvaneProcess::run(home,
                                 {"-i", "--host", "127.0.0.1", "--http", std::to_string(closedPort), "--uname", "Alice",
                                  "--uid", "alice"}));
    entries = storedEntries(home);
    ASSERT_EQ(1u, entries.size());
    EXPECT_FALSE(entries.front().GetProperty().GetMFP().GetName());
}

// The device selected last in a search stands in for the options the install was not given, when
// its host is the installed one; another device's record is not used.
TEST_F(Install, TakesNameAndPortsOfTheDeviceSelectedLastForItsHost)
{
    DevSim device;
    fs::create_directories(home.dataDir());
    writeFile(home.dataDir() / "lastdevice.json",
              "{\"host\": \"" + device.address() + "\", \"name\": \"Selected MFP\", \"http\": "
                  + std::to_string(device.httpPort()) + ", \"https\": 8444}");
    ASSERT_EQ(0, OrvaneProcess::run(home, {"-i", "--host", device.address(), "--uname", "Alice", "--uid", "alice"}));
    auto mfp = storedEntries(home).front().GetProperty().GetMFP();
    EXPECT_EQ(L"Selected MFP", mfp.GetName().value_or(L"(none)"));
    EXPECT_EQ(device.httpPort(), mfp.GetHTTP().value_or(-1));
    EXPECT_EQ(8444, mfp.GetHTTPS().value_or(-1));

    // The options win over the record.
    ASSERT_EQ(0,
              OrvaneProcess::run(home,
                                 {"-i", "--host", device.address(), "--https", "9443", "--mname", "Given", "--uname",
                                  "Alice", "--uid", "alice"}));
    mfp = storedEntries(home).front().GetProperty().GetMFP();
    EXPECT_EQ(L"Given", mfp.GetName().value_or(L"(none)"));
    EXPECT_EQ(9443, mfp.GetHTTPS().value_or(-1));

    ASSERT_EQ(0, OrvaneProcess::run(home, {"-i", "--host", "127.0.0.9", "--uname", "Alice", "--uid", "alice"}));
    mfp = storedEntries(home).front().GetProperty().GetMFP();
    EXPECT_FALSE(mfp.GetName());
    EXPECT_EQ(80, mfp.GetHTTP().value_or(-1));
    EXPECT_EQ(443, mfp.GetHTTPS().value_or(-1));
}

// A lock holder that does not listen cannot be closed: install and uninstall give up with 21.
TEST_F(Install, LockHolderThatCannotBeClosedGives21)
{
    const std::string lockPath
        = (home.socketPath().parent_path() / ("KelvastOrvane." + std::to_string(::getuid()) + ".lock")).string();
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(0, ::flock(fd, LOCK_EX));
    EXPECT_EQ(21, OrvaneProcess::run(home, installArguments({})));
    EXPECT_EQ(21, OrvaneProcess::run(home, {"-u"}));
    EXPECT_EQ(11, OrvaneProcess::run(home, {}));
    EXPECT_FALSE(fs::exists(home.configPath()));
    ::close(fd);
}

// A data store that cannot be written is reported, with code 30.
TEST_F(Install, SaveFailureGives30)
{
    fs::create_directories(home.dataDir() / "data.dat.tmp");
    OrvaneProcess process(home, installArguments({}));
    EXPECT_EQ(30, process.wait());
    EXPECT_NE(std::string::npos, process.err().find("設定の保存に失敗しました。"));
    EXPECT_FALSE(fs::exists(home.storePath()));
}

} // namespace
