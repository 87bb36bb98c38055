#include "RunMode.hpp"

#include "ConsoleMessage.hpp"
#include "Exceptions.hpp"
#include "ExitCode.hpp"

#include <exception>

namespace Orvane {

struct RunMode::Pimpl
{
    int exitCode = 0;
};

RunMode::RunMode()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

RunMode::~RunMode() = default;

int RunMode::GetExitCode() const
{
    return m_pimpl->exitCode;
}

void RunMode::SetExitCode(int code)
{
    m_pimpl->exitCode = code;
}

void RunMode::FailWithCurrentException()
{
    try {
        throw;
    } catch (int code) {
        SetExitCode(code);
    } catch (const ApplicationBusy&) {
        SetExitCode(ExitCode::ApplicationBusy);
    } catch (const std::exception& error) {
        ConsoleMessage::Show(ConsoleMessage::InitFailure, error.what());
        SetExitCode(ExitCode::Failure);
    } catch (...) {
        ConsoleMessage::Show(ConsoleMessage::InitFailure);
        SetExitCode(ExitCode::Failure);
    }
}

} // namespace Orvane
