#pragma once

#include "RunMode.hpp"

#include <functional>
#include <memory>

namespace Orvane {

class SingleInstance;

// The resident run: the desktop program, or the run without windows (HeadlessRun) when asked for
// or when the program was built without its desktop. Exit codes: 0, 11 when another instance runs
// (it is brought forward instead), 30 when the data store could not be saved at the close, 10 when
// the start failed or there is no display to show windows on.
class NormalMode : public RunMode
{
public:
    // Runs the desktop program until its close sequence has finished and answers the exit code.
    using DesktopRun = std::function<int(SingleInstance&)>;

    // Without a desktop run only the headless run is possible.
    NormalMode(SingleInstance& instance, bool headless, DesktopRun desktop);
    ~NormalMode() override;

    // Returns when the run has ended.
    bool Execute() override;
    // Everything the run starts it stops in its close sequence.
    void Finish() override;

    // Whether the environment names a display a desktop program can open (X11 or Wayland), or a Qt
    // platform chosen on purpose.
    static bool HasDisplay();
    // Whether a person could see a window: X11 or Wayland, and not a Qt platform that draws for
    // no one (offscreen, minimal). A question asked there would wait for ever.
    static bool HasVisibleDisplay();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
