#pragma once

#include "CommandLine.hpp"
#include "RunMode.hpp"

#include <memory>

namespace Orvane {

class SingleInstance;

// Starts over: takes the lock from a running instance, resets the configuration and stores the one
// entry the command line describes as the whole data store. Installers read the outcome from the
// exit code: 13 bad options, 20 entry limit, 21 the running instance kept the lock (or the entry
// duplicates one), 22 invalid entry, 30 the data store could not be saved, 10 anything else.
class InstallMode : public RunMode
{
public:
    InstallMode(SingleInstance& instance, const CommandLine::InstallOptions& options);
    ~InstallMode() override;

    bool Execute() override;
    // Saves the data store when Execute succeeded, and releases the lock.
    void Finish() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
