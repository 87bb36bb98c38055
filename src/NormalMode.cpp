#include "NormalMode.hpp"

#include "HeadlessRun.hpp"

namespace Orvane {

struct NormalMode::Pimpl
{
    SingleInstance& instance;
};

NormalMode::NormalMode(SingleInstance& instance)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {instance}))
{ }

NormalMode::~NormalMode() = default;

bool NormalMode::Execute()
{
    try {
        HeadlessRun run(m_pimpl->instance);
        SetExitCode(run.Run());
        return true;
    } catch (...) {
        FailWithCurrentException();
    }
    return false;
}

void NormalMode::Finish() { }

} // namespace Orvane
