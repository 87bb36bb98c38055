#include "System/Folders.hpp"

#include "Exceptions.hpp"
#include "System/FileDescriptor.hpp"

#include <boost/throw_exception.hpp>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace Orvane::System {

namespace {

const char kAppSubfolder[] = "Brantel/Orvane/";
const char kDocumentsKey[] = "XDG_DOCUMENTS_DIR=";

[[noreturn]] void throwLastError()
{
    BOOST_THROW_EXCEPTION(SystemError::last());
}

// A variable that is unset or empty counts as absent, as the XDG base directory rules say.
std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isAbsolute(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}

std::string withSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path != "/")
        path += '/';
    return path;
}

bool isDirectory(const std::string& path)
{
    struct stat info
    { };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string homeFolder()
{
    std::string home = environment("HOME");
    if (isAbsolute(home))
        return withSlash(home);
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found
        || !isAbsolute(found->pw_dir))
        BOOST_THROW_EXCEPTION(SystemError(ENOENT));
    return withSlash(found->pw_dir);
}

std::string localAppData()
{
    std::string dataHome = environment("XDG_DATA_HOME");
    return isAbsolute(dataHome) ? withSlash(dataHome) : homeFolder() + ".local/share/";
}

// One value of user-dirs.dirs: "$HOME/rest" or "/absolute", shell-quoted with backslash escapes.
std::string userDirsValue(const std::string& quoted, const std::string& home)
{
    if (quoted.size() < 2 || quoted.front() != '"')
        return "";
    std::string value;
    for (std::size_t i = 1; i < quoted.size() && quoted[i] != '"'; ++i) {
        if (quoted[i] == '\\' && i + 1 < quoted.size())
            ++i;
        value += quoted[i];
    }
    if (value.compare(0, 5, "$HOME") == 0)
        return home + value.substr(value.size() > 5 && value[5] == '/' ? 6 : 5);
    return isAbsolute(value) ? value : "";
}

std::string documentsFromUserDirs(const std::string& home)
{
    std::string configHome = environment("XDG_CONFIG_HOME");
    if (!isAbsolute(configHome))
        configHome = home + ".config";
    std::ifstream in(withSlash(configHome) + "user-dirs.dirs");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, sizeof kDocumentsKey - 1, kDocumentsKey) == 0)
            return userDirsValue(line.substr(sizeof kDocumentsKey - 1), home);
    }
    return "";
}

// A configured documents folder that does not exist is ignored: the home folder stands in, as
// the desktop's own file dialogs do.
std::string documents()
{
    const std::string home = homeFolder();
    for (const std::string& candidate : {environment("XDG_DOCUMENTS_DIR"), documentsFromUserDirs(home)}) {
        if (isAbsolute(candidate) && isDirectory(candidate))
            return withSlash(candidate);
    }
    return home;
}

void createPrivateFolders(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        if (::mkdir(folder.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            throwLastError();
    }
}

void makePrivate(const std::string& folder)
{
    struct stat info
    { };
    if (::stat(folder.c_str(), &info) != 0)
        throwLastError();
    if (!S_ISDIR(info.st_mode))
        BOOST_THROW_EXCEPTION(SystemError(ENOTDIR));
    if ((info.st_mode & 07777) != 0700 && ::chmod(folder.c_str(), 0700) != 0)
        throwLastError();
}

void writeAll(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        ssize_t written = ::write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno != EINTR)
            throwLastError();
        done += written > 0 ? static_cast<std::size_t>(written) : 0;
    }
}

} // namespace

std::string CSIDLToPath(int csidl)
{
    switch (csidl) {
    case CSIDL_LOCAL_APPDATA:
        return localAppData();
    case CSIDL_PERSONAL:
        return documents();
    default:
        BOOST_THROW_EXCEPTION(SystemError(EINVAL));
    }
}

std::string GetTempDir()
{
    std::string temp = environment("TMPDIR");
    return withSlash(isAbsolute(temp) ? temp : "/tmp");
}

std::string GetAppTempDir()
{
    return GetTempDir() + kAppSubfolder;
}

std::string GetAppDataDir()
{
    const std::string folder = CSIDLToPath(CSIDL_LOCAL_APPDATA) + kAppSubfolder;
    createPrivateFolders(folder);
    makePrivate(folder);
    return folder;
}

void WritePrivateFile(const std::string& path, const std::string& content)
{
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (file.get() < 0 || ::fchmod(file.get(), 0600) != 0)
        throwLastError();
    writeAll(file.get(), content);
    if (::fsync(file.get()) != 0)
        throwLastError();
}

} // namespace Orvane::System
