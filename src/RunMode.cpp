#include "RunMode.hpp"

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

} // namespace Orvane
