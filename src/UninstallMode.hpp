#pragma once

#include "RunMode.hpp"

#include <memory>

namespace Orvane {

class SingleInstance;

// Closes a running instance so that its files can be removed: exit code 0 once this process holds
// the lock, 21 when the running instance kept it, 10 on any other failure.
class UninstallMode : public RunMode
{
public:
    explicit UninstallMode(SingleInstance& instance);
    ~UninstallMode() override;

    bool Execute() override;
    // Releases the lock.
    void Finish() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
