#pragma once

namespace Orvane {
class SingleInstance;
}

namespace Orvane::UI {

// The desktop program: takes the single-instance lock (another instance is brought forward and
// ApplicationBusy raised), loads the configuration, then runs a QApplication with the main frame
// until the close sequence has finished. Answers the exit code; raises what the start-up raises.
// verbose: describe the desktop session on standard error.
int RunDesktop(SingleInstance& instance, int argc, const char* const argv[], bool verbose);

} // namespace Orvane::UI
