#include "UninstallMode.hpp"

#include "ExitCode.hpp"
#include "SingleInstance.hpp"

namespace Orvane {

struct UninstallMode::Pimpl
{
    SingleInstance& instance;
};

UninstallMode::UninstallMode(SingleInstance& instance)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {instance}))
{ }

UninstallMode::~UninstallMode() = default;

bool UninstallMode::Execute()
{
    SingleInstance& instance = m_pimpl->instance;
    try {
        if (!instance.TryLock()) {
            CloseRunningInstance();
            if (!instance.TryLock())
                throw ExitCode::NotClosed;
        }
        SetExitCode(ExitCode::Success);
        return true;
    } catch (int code) {
        SetExitCode(code);
    } catch (...) {
        SetExitCode(ExitCode::Failure);
    }
    return false;
}

void UninstallMode::Finish()
{
    m_pimpl->instance.Unlock();
}

} // namespace Orvane
