#pragma once

namespace Orvane {
class SingleInstance;
}

namespace Orvane::UI {

// The desktop program: a QApplication with the main frame, run until the close sequence has
// finished. Answers the exit code; raises ApplicationBusy when another instance runs (it has been
// brought forward) and what the start-up raises.
int RunDesktop(SingleInstance& instance, int argc, const char* const argv[]);

} // namespace Orvane::UI
