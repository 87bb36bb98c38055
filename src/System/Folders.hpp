#pragma once

#include <string>

namespace Orvane::System {

// Special folder identifiers understood by CSIDLToPath.
constexpr int CSIDL_PERSONAL = 0x05; // the user's documents folder
constexpr int CSIDL_LOCAL_APPDATA = 0x1C; // per-user application data ($XDG_DATA_HOME)

// Every folder is returned as an absolute UTF-8 path ending in "/".

// The special folder, not created. Raises SystemError when it cannot be determined
// (EINVAL for an unknown identifier, ENOENT when the user has no home folder).
std::string CSIDLToPath(int csidl);

// $TMPDIR, else /tmp.
std::string GetTempDir();

// The program's temporary folder below GetTempDir(); not created here.
std::string GetAppTempDir();

// The program's own folder below CSIDL_LOCAL_APPDATA, holding config.dat, data.dat and the
// trusted-device list. It holds passwords, so it is created (with missing parents) mode 0700 and
// an existing folder that others could read is tightened to 0700. Raises SystemError.
std::string GetAppDataDir();

// Writes content to path, created or truncated with mode 0600 whatever the umask (an existing file
// is tightened to 0600 too), and flushed to disk. Everything written to GetAppDataDir() goes through
// this or opens its file with mode 0600 itself. Raises SystemError.
void WritePrivateFile(const std::string& path, const std::string& content);

} // namespace Orvane::System
