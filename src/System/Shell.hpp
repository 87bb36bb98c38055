#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace Orvane::HTTP {
class Query;
}

namespace Orvane::System {

// Opens a file or URL with the desktop's associated program: runs xdg-open (or the program named
// by $ORVANE_OPEN_COMMAND) with pathOrUrl as its only argument, without a shell, in the documents
// folder. Returns the started process's id, or nothing when it could not be started; raises
// nothing. The process is reaped in the background, so the id is for information only: do not
// wait for it.
std::optional<pid_t> ShellOpen(const std::string& pathOrUrl);

// Opens a device page in the browser: baseUrl, followed by "?" and the query's text unless the
// query renders to nothing.
void OpenWithQuery(const std::string& baseUrl, const HTTP::Query& query);

} // namespace Orvane::System
