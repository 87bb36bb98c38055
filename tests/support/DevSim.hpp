#pragma once

#include "support/TestSupport.hpp"

#include <nlohmann/json.hpp>

#include <sys/types.h>

#include <string>
#include <vector>

namespace OrvaneTest {

// Runs the device simulator (orvane-devsim) as a child process on free loopback ports, with a
// configuration written for it, and drives it through its control interface. The child is
// stopped and reaped when the object goes.
class DevSim
{
public:
    // A null config passes no --config (for example to run it with "--demo"). Throws
    // std::runtime_error when the simulator exits or does not listen within the deadline.
    explicit DevSim(const nlohmann::json& config = defaultConfig(),
                    const std::vector<std::string>& extraArguments = {});
    ~DevSim();
    DevSim(const DevSim&) = delete;
    DevSim& operator=(const DevSim&) = delete;

    // Machine "DevSim MFP"; accounts "alice" (password "alice-pass", shown as "Alice") and "bob"
    // (password "bob-pass", shown as "Bob"); no documents.
    static nlohmann::json defaultConfig();

    // The loopback address it listens on (127.0.0.1 unless "--bind" says otherwise).
    const std::string& address() const { return m_address; }
    int httpPort() const { return m_httpPort; }
    int httpsPort() const { return m_httpsPort; }
    int controlPort() const { return m_controlPort; }
    pid_t pid() const { return m_pid; }

    // Adds a document to the account's feed (which signals its subscribers) and answers its id.
    // extra may set "category", "content", "pubDate", "id" or "read".
    std::string addDocument(const std::string& account, const std::string& title = "Document",
                            const std::string& contentType = "application/pdf",
                            const nlohmann::json& extra = nlohmann::json::object());
    void deleteDocument(const std::string& id);
    void renameMachine(const std::string& name);
    void renameAccount(const std::string& account, const std::string& displayName);
    // operation: a command page name ("GetMachineSettings", "SubscribeToFeed", ...), "feed",
    // "thumbnail", a document page operation ("download", "print", "delete", "login",
    // "notified", "page") or "*"; fault: {"kind": ..., ...} as the simulator documents it.
    void setFault(const std::string& operation, const nlohmann::json& fault);
    void clearFaults();

    nlohmann::json state() const;
    nlohmann::json requestLog() const;
    void clearRequestLog();

    // Any control command; throws std::runtime_error unless the simulator accepts it.
    nlohmann::json command(const std::string& name, const nlohmann::json& body = nlohmann::json::object()) const;

    // Sends SIGTERM and answers the exit status as waitpid gives it; the destructor does this too.
    int stop();

    static std::string binaryPath();

private:
    void spawn(const std::vector<std::string>& arguments);
    void waitForPorts();
    bool exited(int& status);
    nlohmann::json get(const std::string& path) const;

    TempDir m_folder;
    pid_t m_pid = -1;
    std::string m_address;
    int m_httpPort = 0;
    int m_httpsPort = 0;
    int m_controlPort = 0;
};

} // namespace OrvaneTest
