#pragma once

#include <memory>

namespace Orvane {

// What the program does in this process: the resident run, install or uninstall. The application
// object builds one from the command line, executes it, lets it finish and exits with its code.
class RunMode
{
public:
    virtual ~RunMode();
    RunMode(const RunMode&) = delete;
    RunMode& operator=(const RunMode&) = delete;

    // Runs the mode. True when the process goes on into its event loop; a mode without a window
    // does its whole work here and answers true when it succeeded.
    virtual bool Execute() = 0;
    // Called once at the end of the process, whatever Execute answered.
    virtual void Finish() = 0;

    // 0 until a mode sets it.
    int GetExitCode() const;

protected:
    RunMode();
    void SetExitCode(int code);
    // For a catch block: takes the exception being handled as the mode's failure. A thrown exit code
    // is the exit code; any other failure is shown as the start-up failure and ends with Failure.
    void FailWithCurrentException();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
