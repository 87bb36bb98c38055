#pragma once

#include <memory>

namespace Orvane {

class SingleInstance;

// The resident run without any window: what the desktop's main frame does, with standard output
// in place of popups. It monitors every monitored entry, writes one JSON line per new event, saves
// the data store on the regular timer and runs the close sequence on SIGINT, SIGTERM or a "close"
// request from another start.
class HeadlessRun
{
public:
    // Takes the single-instance lock, loads and publishes the configuration. When another process
    // holds the lock, asks it to come forward and raises ApplicationBusy. Raises what the
    // configuration raises.
    explicit HeadlessRun(SingleInstance& instance);
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // Listens for other starts, loads the data store, starts the engine and the save timer, and
    // runs until the close sequence has finished. Answers the exit code: 0, or 30 when the data
    // store could not be saved at the close. Raises when the start fails.
    int Run();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
