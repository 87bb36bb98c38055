#include "kestle/filesystem/create_private_directories.hpp"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/throw_exception.hpp>

#include <cerrno>
#include <sys/stat.h>

namespace kestle {
namespace filesystem {

namespace fs = boost::filesystem;

bool create_private_directories(const fs::path& folder)
{
    boost::system::error_code ignored;
    if (folder.empty() || fs::is_directory(folder, ignored))
        return false;
    const fs::path parent = folder.parent_path();
    if (!parent.empty())
        create_private_directories(parent);
    // mkdir itself is the test of who created the folder, so concurrent creators never both win.
    if (::mkdir(folder.c_str(), 0700) == 0)
        return true;
    const int error = errno;
    if (error == EEXIST && fs::is_directory(folder, ignored))
        return false;
    BOOST_THROW_EXCEPTION(fs::filesystem_error("kestle::filesystem::create_private_directories", folder,
                                               boost::system::error_code(error, boost::system::system_category())));
}

} // namespace filesystem
} // namespace kestle
