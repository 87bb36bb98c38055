#include "SingleInstance.hpp"

#include "Exceptions.hpp"
#include "ExitCode.hpp"
#include "System/FileDescriptor.hpp"
#include "System/Folders.hpp"

#include <boost/throw_exception.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace Orvane {

namespace {

[[noreturn]] void Refuse(const std::string& folder, const std::string& why)
{
    BOOST_THROW_EXCEPTION(InstanceFolderRefused(
        "the instance folder " + folder + " " + why
        + "; remove it, or set XDG_RUNTIME_DIR to a folder of your own with mode 0700"));
}

// Nobody else may place or hold the lock and the socket: a folder that only this user can enter.
bool IsPrivate(const struct stat& status)
{
    return S_ISDIR(status.st_mode) && status.st_uid == ::getuid() && (status.st_mode & 077) == 0;
}

// $XDG_RUNTIME_DIR when it is this user's own; otherwise a folder of this user's in the temporary
// folder, made 0700, and refused when someone else made it or it is open to others.
std::string Folder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat status
    { };
    if (runtime && runtime[0] == '/' && ::stat(runtime, &status) == 0 && IsPrivate(status))
        return std::string(runtime) + "/";
    const std::string folder = System::GetTempDir() + "orvane-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        BOOST_THROW_EXCEPTION(SystemError::last());
    if (::lstat(folder.c_str(), &status) != 0)
        BOOST_THROW_EXCEPTION(SystemError::last());
    if (!S_ISDIR(status.st_mode))
        Refuse(folder, "is not a folder");
    if (status.st_uid != ::getuid())
        Refuse(folder, "belongs to user " + std::to_string(status.st_uid));
    if ((status.st_mode & 077) != 0)
        Refuse(folder, "is open to other users");
    return folder + "/";
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

void Complain(const std::string& text)
{
    std::cerr << "orvane: " << text << std::endl;
}

// Waits for the socket to become ready for `events` until the deadline; false when it passed.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd entry {fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

enum class Outcome
{
    Answered,
    NoInstance,
    TimedOut
};

// Sends one command line and waits, until the deadline, for the answer's end of stream. Only an
// instance of this user is spoken to.
Outcome Request(const std::string& command, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    const System::FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    const std::string path = SingleInstance::GetSocketPath();
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (socket.get() < 0 || path.size() >= sizeof address.sun_path)
        return Outcome::NoInstance;
    path.copy(address.sun_path, path.size());
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return Outcome::NoInstance; // a local connect completes at once or not at all
    ucred peer {};
    socklen_t size = sizeof peer;
    if (::getsockopt(socket.get(), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::getuid()) {
        Complain("the instance socket " + path + " is held by user " + std::to_string(peer.uid)
                 + ", not by this user; it is not used");
        return Outcome::NoInstance;
    }
    const std::string line = command + "\n";
    if (::send(socket.get(), line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size()))
        return Outcome::NoInstance;
    char answer[16];
    for (;;) {
        if (!WaitFor(socket.get(), POLLIN, deadline))
            return Outcome::TimedOut;
        const ssize_t got = ::read(socket.get(), answer, sizeof answer);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
            return Outcome::Answered; // the answer ends at the end of stream
    }
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
    const Outcome outcome = Request("activate", ActivateTimeout);
    if (outcome == Outcome::TimedOut)
        Complain("the running instance did not answer the request to come forward");
    return outcome == Outcome::Answered;
}

bool SingleInstance::Close(std::chrono::milliseconds timeout)
{
    switch (Request("close", timeout)) {
    case Outcome::Answered:
        return true;
    case Outcome::NoInstance:
        return false;
    case Outcome::TimedOut:
        break;
    }
    const InstanceNotClosed error("the running instance did not close within " + std::to_string(timeout.count())
                                  + " ms");
    Complain(error.what());
    BOOST_THROW_EXCEPTION(error);
}

bool CloseRunningInstance()
{
    try {
        return SingleInstance::Close();
    } catch (const InstanceNotClosed&) {
        throw ExitCode::NotClosed;
    }
}

} // namespace Orvane
