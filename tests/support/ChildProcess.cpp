#include "support/ChildProcess.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

extern char** environ;

namespace OrvaneTest {

namespace {

std::vector<std::string> Environment(const std::map<std::string, std::string>& overrides)
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : overrides)
        variables[name] = value;
    std::vector<std::string> result;
    for (const auto& [name, value] : variables)
        result.push_back(name + "=" + value);
    return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const std::string& outputPath,
                           const std::map<std::string, std::string>& environment)
{
    std::vector<std::string> args = arguments;
    std::vector<std::string> variables = Environment(environment);
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(variables);
    const int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (output < 0)
        throw std::runtime_error("cannot open " + outputPath);
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
        ::dup2(output, 1);
        ::dup2(output, 2);
        ::setpgid(0, 0);
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(output);
    if (m_pid < 0)
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(errno));
}

ChildProcess::~ChildProcess()
{
    stop();
}

bool ChildProcess::running()
{
    int status = 0;
    if (m_pid <= 0 || ::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

void ChildProcess::stop()
{
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
}

int ChildProcess::run(const std::vector<std::string>& arguments, const std::string& outputPath,
                      const std::map<std::string, std::string>& environment)
{
    ChildProcess child(arguments, outputPath, environment);
    int status = 0;
    ::waitpid(child.m_pid, &status, 0);
    child.m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace OrvaneTest
