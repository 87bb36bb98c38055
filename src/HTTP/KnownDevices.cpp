#include "HTTP/KnownDevices.hpp"

#include "HTTP/Exceptions.hpp"
#include "System/Folders.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/throw_exception.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <mutex>

namespace Orvane::HTTP {

namespace fs = boost::filesystem;

namespace {

// One writer at a time inside the process, so two first connections cannot both record.
std::mutex& FileMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::string Key(const std::string& host, int port)
{
    return host + ':' + std::to_string(port);
}

boost::optional<std::string> Lookup(const fs::path& file, const std::string& key)
{
    std::ifstream in(file.string());
    for (std::string line; std::getline(in, line);) {
        const auto space = line.find(' ');
        if (space != std::string::npos && line.compare(0, space, key) == 0 && space == key.size())
            return line.substr(space + 1);
    }
    return boost::none;
}

// Each missing folder of the path is made private to the user.
void MakeFolders(const fs::path& folder)
{
    boost::system::error_code error;
    if (folder.empty() || fs::is_directory(folder, error))
        return;
    MakeFolders(folder.parent_path());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        BOOST_THROW_EXCEPTION(OpenFailure());
}

void Append(const fs::path& file, const std::string& line)
{
    MakeFolders(file.parent_path());
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        BOOST_THROW_EXCEPTION(OpenFailure());
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    if (!(::close(fd) == 0 && written))
        BOOST_THROW_EXCEPTION(OpenFailure());
}

} // namespace

KnownDevices::KnownDevices(fs::path file)
    : m_file(std::move(file))
{ }

KnownDevices KnownDevices::Default()
{
    return KnownDevices(fs::path(System::GetAppDataDir()) / "known_devices");
}

boost::optional<std::string> KnownDevices::Record(const std::string& host, int port) const
{
    std::lock_guard<std::mutex> lock(FileMutex());
    return Lookup(m_file, Key(host, port));
}

boost::optional<std::string> KnownDevices::Fingerprint(const std::string& host, int port) const
{
    const auto record = Record(host, port);
    return record && *record != AuthorityMark ? record : boost::none;
}

bool KnownDevices::Remember(const std::string& host, int port, const std::string& fingerprint) const
{
    std::lock_guard<std::mutex> lock(FileMutex());
    const std::string key = Key(host, port);
    if (const auto known = Lookup(m_file, key))
        return *known == fingerprint;
    Append(m_file, key + ' ' + fingerprint + '\n');
    return true;
}

bool KnownDevices::RememberAuthority(const std::string& host, int port) const
{
    return Remember(host, port, AuthorityMark);
}

} // namespace Orvane::HTTP
