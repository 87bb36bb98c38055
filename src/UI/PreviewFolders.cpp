#include "UI/PreviewFolders.hpp"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>
#include <ctime>

namespace Orvane::UI {

namespace {

namespace fs = boost::filesystem;

// A time stamp and an eight-digit counter: nothing else in the folder is touched.
bool IsPreviewName(const std::string& name)
{
    return name.size() > 8 && std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isxdigit(c); });
}

} // namespace

void PreviewFolders::RemoveExpired(const std::string& folder, std::chrono::hours age)
{
    boost::system::error_code error;
    const std::time_t limit = std::time(nullptr) - std::chrono::duration_cast<std::chrono::seconds>(age).count();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        boost::system::error_code ignored;
        const fs::path path = it->path();
        if (!IsPreviewName(path.filename().string()) || !fs::is_directory(fs::symlink_status(path, ignored)))
            continue;
        const std::time_t changed = fs::last_write_time(path, ignored);
        if (!ignored && changed < limit)
            fs::remove_all(path, ignored);
    }
}

} // namespace Orvane::UI
