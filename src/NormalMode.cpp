#include "NormalMode.hpp"

#include "ConsoleMessage.hpp"
#include "Exceptions.hpp"
#include "ExitCode.hpp"
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
    } catch (const ApplicationBusy&) {
        SetExitCode(ExitCode::ApplicationBusy);
    } catch (const std::exception& error) {
        ConsoleMessage::Show(ConsoleMessage::InitFailure, error.what());
        SetExitCode(ExitCode::Failure);
    } catch (...) {
        ConsoleMessage::Show(ConsoleMessage::InitFailure);
        SetExitCode(ExitCode::Failure);
    }
    return false;
}

void NormalMode::Finish() { }

} // namespace Orvane
