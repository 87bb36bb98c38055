#include "support/DevSim.hpp"

#include <httplib.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <boost/filesystem/operations.hpp>

#include <cstring>
#include <stdexcept>

extern char** environ;

using nlohmann::json;

namespace OrvaneTest {

namespace {

constexpr auto startDeadline = std::chrono::seconds(20);
constexpr auto stopDeadline = std::chrono::seconds(10);

} // namespace

DevSim::DevSim(const json& config, const std::vector<std::string>& extraArguments)
{
    std::vector<std::string> arguments
        = {binaryPath(),       "--http-port=0",      "--https-port=0",
           "--control-port=0", "--exit-with-parent", "--ports-file=" + (m_folder / "ports.json").string()};
    if (!config.is_null()) {
        writeFile(m_folder / "config.json", config.dump(2));
        arguments.push_back("--config=" + (m_folder / "config.json").string());
    }
    arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
    spawn(arguments);
    try {
        waitForPorts();
    } catch (...) {
        stop();
        throw;
    }
}

DevSim::~DevSim()
{
    stop();
}

std::string DevSim::binaryPath()
{
    return ORVANE_BINARY_DIR "/tools/devsim/orvane-devsim";
}

json DevSim::defaultConfig()
{
    return {{"machine", {{"name", "DevSim MFP"}}},
            {"accounts",
             json::array({{{"id", "alice"}, {"password", "alice-pass"}, {"displayName", "Alice"}},
                          {{"id", "bob"}, {"password", "bob-pass"}, {"displayName", "Bob"}}})}};
}

void DevSim::spawn(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Its start-up line goes to a file; errors stay on the test's standard error.
    const std::string output = (m_folder / "devsim.out").string();
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int error = posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        m_pid = -1;
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(error));
    }
}

void DevSim::waitForPorts()
{
    const auto portsFile = m_folder / "ports.json";
    int status = 0;
    bool gone = false;
    const bool ready = waitUntil([&] { return boost::filesystem::exists(portsFile) || (gone = exited(status)); },
                                 std::chrono::duration_cast<std::chrono::milliseconds>(startDeadline));
    if (gone)
        throw std::runtime_error("orvane-devsim exited at start with status " + std::to_string(status));
    if (!ready || !boost::filesystem::exists(portsFile))
        throw std::runtime_error("orvane-devsim did not start listening in time");
    const json ports = json::parse(readFile(portsFile));
    m_address = ports.at("address").get<std::string>();
    m_httpPort = ports.at("http").get<int>();
    m_httpsPort = ports.at("https").get<int>();
    m_controlPort = ports.at("control").get<int>();
}

bool DevSim::exited(int& status)
{
    if (m_pid <= 0 || ::waitpid(m_pid, &status, WNOHANG) != m_pid)
        return false;
    m_pid = -1;
    return true;
}

int DevSim::stop()
{
    if (m_pid <= 0)
        return 0;
    int status = 0;
    ::kill(m_pid, SIGTERM);
    if (!waitUntil([&] { return exited(status); },
                   std::chrono::duration_cast<std::chrono::milliseconds>(stopDeadline))) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
    return status;
}

json DevSim::get(const std::string& path) const
{
    httplib::Client client(m_address, m_controlPort);
    const auto result = client.Get(path.c_str());
    if (!result || result->status != 200)
        throw std::runtime_error("the simulator did not answer " + path);
    return json::parse(result->body);
}

json DevSim::command(const std::string& name, const json& body) const
{
    httplib::Client client(m_address, m_controlPort);
    const auto result = client.Post(("/" + name).c_str(), body.dump(), "application/json");
    if (!result)
        throw std::runtime_error("the simulator did not answer " + name);
    if (result->status != 200)
        throw std::runtime_error(name + " refused: " + result->body);
    return json::parse(result->body);
}

std::string DevSim::addDocument(const std::string& account, const std::string& title, const std::string& contentType,
                                const json& extra)
{
    json body = extra;
    body["account"] = account;
    body["title"] = title;
    body["contentType"] = contentType;
    return command("add-document", body).at("id").get<std::string>();
}

void DevSim::deleteDocument(const std::string& id)
{
    command("delete-document", {{"id", id}});
}

void DevSim::renameMachine(const std::string& name)
{
    command("rename-machine", {{"name", name}});
}

void DevSim::renameAccount(const std::string& account, const std::string& displayName)
{
    command("rename-account", {{"account", account}, {"displayName", displayName}});
}

void DevSim::setFault(const std::string& operation, const json& fault)
{
    json body = fault;
    body["operation"] = operation;
    command("set-fault", body);
}

void DevSim::clearFaults()
{
    command("clear-faults");
}

json DevSim::state() const
{
    return get("/state");
}

json DevSim::requestLog() const
{
    return get("/log");
}

void DevSim::clearRequestLog()
{
    command("clear-log");
}

} // namespace OrvaneTest
