#pragma once

#include <boost/filesystem/path.hpp>

namespace kestle {
namespace filesystem {

// Creates a folder and its missing ancestors, each readable by the owner only (0700), because the
// program keeps account passwords and private documents in them. Folders that already exist keep
// their permissions. Returns true when this call created the folder itself, false when a directory
// of that name was already there; raises boost::filesystem::filesystem_error when something else is
// in the way or creation fails.
bool create_private_directories(const boost::filesystem::path& folder);

} // namespace filesystem
} // namespace kestle
