#include "NormalMode.hpp"

#include "ExitCode.hpp"
#include "HeadlessRun.hpp"

#include <cstdlib>
#include <iostream>
#include <string>

namespace Orvane {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

} // namespace

struct NormalMode::Pimpl
{
    SingleInstance& instance;
    bool headless;
    DesktopRun desktop;
};

NormalMode::NormalMode(SingleInstance& instance, bool headless, DesktopRun desktop)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {instance, headless, std::move(desktop)}))
{ }

NormalMode::~NormalMode() = default;

bool NormalMode::HasDisplay()
{
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

bool NormalMode::HasVisibleDisplay()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string chosen = platform ? platform : "";
    return (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) && chosen.rfind("offscreen", 0) != 0
        && chosen.rfind("minimal", 0) != 0;
}

bool NormalMode::Execute()
{
    try {
        if (m_pimpl->headless || !m_pimpl->desktop) {
            HeadlessRun run(m_pimpl->instance);
            SetExitCode(run.Run());
            return true;
        }
        if (!HasDisplay()) {
            // Without a display Qt would abort; say what to do instead.
            std::cerr << "orvane: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                         "run \"orvane --headless\" to monitor without windows"
                      << std::endl;
            SetExitCode(ExitCode::Failure);
            return false;
        }
        SetExitCode(m_pimpl->desktop(m_pimpl->instance));
        return true;
    } catch (...) {
        FailWithCurrentException();
    }
    return false;
}

void NormalMode::Finish() { }

} // namespace Orvane
