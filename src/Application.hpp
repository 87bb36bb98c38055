#pragma once

#include <memory>

namespace Orvane {

// The process: sets up the platform, creates the single-instance lock, picks the run mode from the
// command line, runs it, lets it finish and turns the outcome into the exit code.
class Application
{
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Answers the process exit code.
    int Run(int argc, const char* const argv[]);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
