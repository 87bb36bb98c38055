#include "Utility/FileVersion.hpp"

#include "System/Version.hpp"

namespace Orvane::Utility {

std::wstring GetFileVersion()
{
    return System::GetProgramVersionText();
}

} // namespace Orvane::Utility
