#include "System/Shell.hpp"

#include "HTTP/Query.hpp"
#include "System/Folders.hpp"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace Orvane::System {

namespace {

std::string openCommand()
{
    const char* command = std::getenv("ORVANE_OPEN_COMMAND");
    return command && *command ? command : "xdg-open";
}

// The opened program must not inherit the signal dispositions and mask of whichever thread of
// ours started it (ignored SIGPIPE, signals blocked for a signal-waiting thread), and it gets its
// own process group so a terminal's Ctrl+C aimed at us does not close the user's viewer.
class SpawnSettings
{
public:
    explicit SpawnSettings(const std::string& folder)
    {
        ::posix_spawn_file_actions_init(&m_actions);
        ::posix_spawnattr_init(&m_attributes);
        sigset_t all;
        sigset_t none;
        ::sigfillset(&all);
        ::sigemptyset(&none);
        m_ok = ::posix_spawn_file_actions_addchdir_np(&m_actions, folder.c_str()) == 0
            && ::posix_spawnattr_setsigdefault(&m_attributes, &all) == 0
            && ::posix_spawnattr_setsigmask(&m_attributes, &none) == 0
            && ::posix_spawnattr_setpgroup(&m_attributes, 0) == 0
            && ::posix_spawnattr_setflags(&m_attributes,
                                          POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP)
                == 0;
    }
    ~SpawnSettings()
    {
        ::posix_spawnattr_destroy(&m_attributes);
        ::posix_spawn_file_actions_destroy(&m_actions);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    bool ok() const { return m_ok; }
    const posix_spawn_file_actions_t* actions() const { return &m_actions; }
    const posix_spawnattr_t* attributes() const { return &m_attributes; }

private:
    posix_spawn_file_actions_t m_actions;
    posix_spawnattr_t m_attributes;
    bool m_ok = false;
};

std::optional<pid_t> spawn(const std::string& command, const std::string& argument, const std::string& folder)
{
    SpawnSettings settings(folder);
    if (!settings.ok())
        return std::nullopt;
    std::vector<char> program(command.begin(), command.end());
    std::vector<char> parameter(argument.begin(), argument.end());
    program.push_back('\0');
    parameter.push_back('\0');
    char* argv[] = {program.data(), parameter.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, program.data(), settings.actions(), settings.attributes(), argv, environ) != 0)
        return std::nullopt;
    return pid;
}

// Waits for exactly this child, so no zombie is left and no other child's status is taken.
void reapInBackground(pid_t pid)
{
    std::thread([pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
    }).detach();
}

} // namespace

std::optional<pid_t> ShellOpen(const std::string& pathOrUrl)
{
    std::optional<pid_t> pid;
    try {
        pid = spawn(openCommand(), pathOrUrl, CSIDLToPath(CSIDL_PERSONAL));
        if (pid)
            reapInBackground(*pid);
    } catch (...) {
        // No documents folder, or no thread to reap with: the result says whether a process started.
    }
    return pid;
}

void OpenWithQuery(const std::string& baseUrl, const HTTP::Query& query)
{
    const std::string text = query.ToString();
    ShellOpen(text.empty() ? baseUrl : baseUrl + '?' + text);
}

} // namespace Orvane::System
