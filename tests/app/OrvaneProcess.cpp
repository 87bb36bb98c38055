#include "app/OrvaneProcess.hpp"

#include <boost/filesystem/operations.hpp>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace fs = boost::filesystem;

namespace OrvaneTest {

AppHome::AppHome()
{
    for (const char* sub : {"data", "runtime", "tmp"})
        fs::create_directories(m_root / sub);
    fs::permissions(m_root / "runtime", fs::owner_all);
}

fs::path AppHome::dataDir() const
{
    return m_root / "data" / "Brantel" / "Orvane";
}

fs::path AppHome::socketPath() const
{
    const std::string uid = std::to_string(::getuid());
    const fs::path folder = m_shared ? m_root / "tmp" / ("orvane-" + uid) : m_root / "runtime";
    return folder / ("KelvastOrvaneMainFrame." + uid + ".socket");
}

fs::path AppHome::shareRuntime()
{
    m_shared = true;
    fs::permissions(m_root / "tmp", fs::all_all | fs::sticky_bit);
    return m_root / "tmp";
}

std::map<std::string, std::string> AppHome::environment() const
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    variables["HOME"] = m_root.path().string();
    variables["XDG_DATA_HOME"] = (m_root / "data").string();
    variables["XDG_RUNTIME_DIR"] = (m_root / (m_shared ? "tmp" : "runtime")).string();
    variables["TMPDIR"] = (m_root / "tmp").string();
    return variables;
}

void AppHome::writeConfig(int port) const
{
    fs::create_directories(dataDir());
    writeFile(configPath(), "PORT = " + std::to_string(port) + "\nVERSION = 1.00\n");
}

void AppHome::setConfigValue(const std::string& key, const std::string& value) const
{
    std::istringstream in(readFile(configPath()));
    std::string text;
    for (std::string line; std::getline(in, line);)
        text += (line.rfind(key + " = ", 0) == 0 ? key + " = " + value : line) + "\n";
    writeFile(configPath(), text);
}

int freeUdpPort()
{
    for (;;) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(fd);
        const int port = ntohs(address.sin_port);
        if (port != 61000)
            return port;
    }
}

bool isListening(const AppHome& home)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const std::string path = home.socketPath().string();
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

OrvaneProcess::OrvaneProcess(const AppHome& home, const std::vector<std::string>& arguments,
                             const std::string& standardOutput)
    : m_outPath(standardOutput.empty() ? (m_folder / "out").string() : standardOutput)
{
    std::vector<std::string> texts = {binaryPath()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables;
    for (const auto& [name, value] : home.environment())
        variables.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string errPath = (m_folder / "err").string();
    posix_spawn_file_actions_addopen(&actions, 1, m_outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int error = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error(std::string("cannot start orvane: ") + std::strerror(error));
}

OrvaneProcess::~OrvaneProcess()
{
    if (m_exitCode || m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
}

void OrvaneProcess::signal(int number) const
{
    ::kill(m_pid, number);
}

std::optional<int> OrvaneProcess::exitCode()
{
    int status = 0;
    if (!m_exitCode && ::waitpid(m_pid, &status, WNOHANG) == m_pid)
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return m_exitCode;
}

int OrvaneProcess::wait(std::chrono::milliseconds deadline)
{
    if (!waitUntil([this] { return exitCode().has_value(); }, deadline))
        throw std::runtime_error("orvane did not end in time; its errors: " + err());
    return *m_exitCode;
}

bool OrvaneProcess::waitListening(const AppHome& home, std::chrono::milliseconds deadline)
{
    return waitUntil([&] { return exitCode().has_value() || isListening(home); }, deadline) && !exitCode();
}

std::string OrvaneProcess::out() const
{
    return readFile(m_outPath);
}

std::string OrvaneProcess::err() const
{
    return readFile(m_folder / "err");
}

int OrvaneProcess::run(const AppHome& home, const std::vector<std::string>& arguments)
{
    OrvaneProcess process(home, arguments);
    return process.wait();
}

std::string OrvaneProcess::binaryPath()
{
    return ORVANE_BINARY_DIR "/src/orvane";
}

} // namespace OrvaneTest
