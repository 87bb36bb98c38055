#include "SingleInstance.hpp"

#include "Exceptions.hpp"
#include "System/FileDescriptor.hpp"
#include "System/Folders.hpp"

#include <boost/asio/connect.hpp>
#include <boost/asio/io_context.hpp>
#include <boost/asio/local/stream_protocol.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvane {

namespace {

std::string Folder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat status
    { };
    if (runtime && runtime[0] == '/' && ::stat(runtime, &status) == 0 && S_ISDIR(status.st_mode))
        return std::string(runtime) + "/";
    return System::GetTempDir();
}

std::string UserFile(const char* name, const char* extension)
{
    return Folder() + name + "." + std::to_string(::getuid()) + extension;
}

int OpenLockFile()
{
    const std::string path = SingleInstance::GetLockPath();
    // Close-on-exec: a program this one starts must not keep the lock after this process ends.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        BOOST_THROW_EXCEPTION(SystemError::last());
    return fd;
}

// Sends one command line and waits for the answer, or for the other side to go away.
bool Request(const std::string& command)
{
    namespace asio = boost::asio;
    asio::io_context io;
    asio::local::stream_protocol::socket socket(io);
    boost::system::error_code error;
    socket.connect(asio::local::stream_protocol::endpoint(SingleInstance::GetSocketPath()), error);
    if (error)
        return false;
    asio::write(socket, asio::buffer(command + "\n"), error);
    if (error)
        return false;
    char answer[16];
    asio::read(socket, asio::buffer(answer), error); // ends at the answer's end of stream
    return true;
}

} // namespace

struct SingleInstance::Pimpl
{
    System::FileDescriptor lockFile {OpenLockFile()};
    bool locked = false;
};

SingleInstance::SingleInstance()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

SingleInstance::~SingleInstance()
{
    Unlock();
}

bool SingleInstance::TryLock()
{
    if (m_pimpl->locked)
        return true;
    if (::flock(m_pimpl->lockFile.get(), LOCK_EX | LOCK_NB) == 0)
        return m_pimpl->locked = true;
    if (errno == EWOULDBLOCK)
        return false;
    BOOST_THROW_EXCEPTION(SystemError::last());
}

void SingleInstance::Unlock()
{
    if (m_pimpl->locked)
        ::flock(m_pimpl->lockFile.get(), LOCK_UN);
    m_pimpl->locked = false;
}

bool SingleInstance::IsLocked() const
{
    return m_pimpl->locked;
}

std::string SingleInstance::GetSocketPath()
{
    return UserFile("KelvastOrvaneMainFrame", ".socket");
}

std::string SingleInstance::GetLockPath()
{
    return UserFile("KelvastOrvane", ".lock");
}

bool SingleInstance::Activate()
{
    return Request("activate");
}

bool SingleInstance::Close()
{
    return Request("close");
}

} // namespace Orvane
