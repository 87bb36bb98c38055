#pragma once

#include <chrono>
#include <string>

namespace Orvane::UI {

// The folders that previews download into, one per preview, below the program's temporary folder.
// Nothing else removes them, so the program clears out old ones when it starts.
class PreviewFolders
{
public:
    static constexpr std::chrono::hours MaxAge {24 * 7};

    // Removes, with their files, the preview folders in folder last changed more than age ago.
    // Only folders named as previews are (digits and hexadecimal digits); failures are skipped.
    static void RemoveExpired(const std::string& folder, std::chrono::hours age = MaxAge);
};

} // namespace Orvane::UI
