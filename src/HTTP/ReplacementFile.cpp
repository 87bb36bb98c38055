#include "HTTP/ReplacementFile.hpp"

#include "HTTP/Exceptions.hpp"

#include <boost/throw_exception.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace Orvane::HTTP {

namespace {

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

ReplacementFile::ReplacementFile(const std::string& target)
    : m_target(target)
{
    // mkostemp creates with O_EXCL and mode 0600: an existing name, link or not, is never opened.
    std::string pattern = FolderOf(target) + "/.orvane-download-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0)
        BOOST_THROW_EXCEPTION(Error());
    m_temporary = name.data();
}

ReplacementFile::~ReplacementFile()
{
    Discard();
}

bool ReplacementFile::Write(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void ReplacementFile::Commit()
{
    const bool synced = ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        Discard();
        BOOST_THROW_EXCEPTION(Error());
    }
    m_temporary.clear();
}

void ReplacementFile::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

} // namespace Orvane::HTTP
