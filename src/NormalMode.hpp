#pragma once

#include "RunMode.hpp"

#include <memory>

namespace Orvane {

class SingleInstance;

// The resident run. Until the desktop interface exists it is the run without windows
// (HeadlessRun). Exit codes: 0, 11 when another instance runs (it is brought forward instead),
// 30 when the data store could not be saved at the close, 10 when the start failed.
class NormalMode : public RunMode
{
public:
    explicit NormalMode(SingleInstance& instance);
    ~NormalMode() override;

    // Returns when the run has ended.
    bool Execute() override;
    // Everything the run starts it stops in its close sequence.
    void Finish() override;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
