#pragma once

#include "support/TestSupport.hpp"

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace OrvaneTest {

// The folders one program run sees: its own HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR and TMPDIR, so
// that runs of different tests never meet through the lock or the data store.
class AppHome
{
public:
    AppHome();

    // The program folder holding config.dat and data.dat.
    boost::filesystem::path dataDir() const;
    boost::filesystem::path configPath() const { return dataDir() / "config.dat"; }
    boost::filesystem::path storePath() const { return dataDir() / "data.dat"; }
    boost::filesystem::path socketPath() const;
    // The variables a program run gets, over the test's own environment.
    std::map<std::string, std::string> environment() const;

    // Writes a configuration that holds only the version and this port; the program fills in the rest.
    void writeConfig(int port) const;
    // Replaces one "KEY = value" line of config.dat.
    void setConfigValue(const std::string& key, const std::string& value) const;

    // Points XDG_RUNTIME_DIR and TMPDIR at one folder open to every user (mode 1777), as a system
    // without a runtime folder of the user's own has; answers that folder. The program's instance
    // files are then in "orvane-<uid>" below it.
    boost::filesystem::path shareRuntime();

private:
    TempDir m_root;
    bool m_shared = false;
};

// A free UDP port on the loopback address (never 61000).
int freeUdpPort();

// Whether a program accepts connections on the home's local socket.
bool isListening(const AppHome& home);

// The orvane binary run as a child process with standard output and error kept in files.
class OrvaneProcess
{
public:
    OrvaneProcess(const AppHome& home, const std::vector<std::string>& arguments,
                  const std::string& standardOutput = std::string());
    ~OrvaneProcess(); // kills and reaps a child still running
    OrvaneProcess(const OrvaneProcess&) = delete;
    OrvaneProcess& operator=(const OrvaneProcess&) = delete;

    pid_t pid() const { return m_pid; }
    void signal(int number) const;
    // The exit code, or 128 + the signal; throws std::runtime_error when the deadline passes.
    int wait(std::chrono::milliseconds deadline = std::chrono::seconds(60));
    // Waits until the program accepts connections on its local socket; false when it ended first
    // or the deadline passed.
    bool waitListening(const AppHome& home, std::chrono::milliseconds deadline = std::chrono::seconds(30));
    // The exit code once the child has ended.
    std::optional<int> exitCode();
    std::string out() const;
    std::string err() const;

    // Runs to its end and answers the exit code.
    static int run(const AppHome& home, const std::vector<std::string>& arguments);
    static std::string binaryPath();

private:
    TempDir m_folder;
    pid_t m_pid = -1;
    std::optional<int> m_exitCode;
    std::string m_outPath;
};

} // namespace OrvaneTest
