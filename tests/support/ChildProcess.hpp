#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace OrvaneTest {

// A daemon or tool a test runs. It is killed with the thread that started it, so a test that
// crashes leaves no daemon behind; the destructor kills and reaps one still running.
class ChildProcess
{
public:
    // Standard output and error go to outputPath (appended). The environment is the test's, with
    // the given variables replaced.
    ChildProcess(const std::vector<std::string>& arguments, const std::string& outputPath,
                 const std::map<std::string, std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool running();
    void stop();

    // Runs to its end; answers the exit status (-1 when it did not exit normally).
    static int run(const std::vector<std::string>& arguments, const std::string& outputPath,
                   const std::map<std::string, std::string>& environment = {});

private:
    pid_t m_pid = -1;
};

} // namespace OrvaneTest
