#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace Orvane::System {

// Opens a file or URL with the desktop's associated program: runs xdg-open (or the program named
// by $ORVANE_OPEN_COMMAND) with pathOrUrl as its only argument, without a shell, in the documents
// folder. Returns the started process's id, or nothing when it could not be started; raises
// nothing. The process is reaped in the background, so the id is for information only: do not
// wait for it.
std::optional<pid_t> ShellOpen(const std::string& pathOrUrl);

} // namespace Orvane::System
