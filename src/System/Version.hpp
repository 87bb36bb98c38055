#pragma once

#include <string>

namespace Orvane::System {

// The running program's version as the About box shows it ("major.minor.patch"), fixed at build time.
std::wstring GetProgramVersionText();

} // namespace Orvane::System
