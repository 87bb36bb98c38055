#pragma once

#include <string>

namespace Orvane::Utility {

// The running program's "FileVersion", the version it was built as (the About box shows it).
std::wstring GetFileVersion();

} // namespace Orvane::Utility
