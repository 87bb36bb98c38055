#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/shared_ptr.hpp>

#include <string>

namespace kestle {
namespace filesystem {

// Creates a new directory inside `folder` (and the folder itself if missing), readable by the owner
// only, named by `prefix`, the local time stamp and an eight-digit hexadecimal counter, and returns
// its path. Creation is the test of uniqueness, so no two callers, in any process, get the same one.
// A file-system failure raises boost::filesystem::filesystem_error; running out of counter values
// raises kestle::runtime_error.
boost::shared_ptr<boost::filesystem::path> unique_directory(const boost::filesystem::path& folder,
                                                            const std::string& prefix);

} // namespace filesystem
} // namespace kestle
