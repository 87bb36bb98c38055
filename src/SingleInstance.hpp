#pragma once

#include <kestle/exception.hpp>

#include <chrono>
#include <memory>
#include <string>
#include <utility>

namespace Orvane {

// A problem with the instance files or the running instance; what() says it plainly.
class InstanceProblem : public virtual kestle::runtime_error
{
public:
    explicit InstanceProblem(std::string text)
        : m_text(std::move(text))
    { }
    const char* what() const noexcept override { return m_text.c_str(); }

private:
    std::string m_text;
};

// The folder for the lock and the socket is someone else's or open to others.
struct InstanceFolderRefused : InstanceProblem
{
    using InstanceProblem::InstanceProblem;
};

// The running instance did not finish its close in time.
struct InstanceNotClosed : InstanceProblem
{
    using InstanceProblem::InstanceProblem;
};

// At most one process per user works on the configuration and the data store. The lock is an
// exclusive flock on a lock file, which the kernel drops when its holder dies, so a crashed
// instance never blocks the next start. The instance that holds it and runs listens on a local
// socket (InstanceServer) that other starts use to bring it forward or to close it.
//
// Both files carry the user id and live where no other user can reach them: in $XDG_RUNTIME_DIR when
// it is this user's with mode 0700, else in "orvane-<uid>" of the temporary folder, made 0700. Finding
// the folder raises InstanceFolderRefused when that one belongs to someone else or is open to others.
class SingleInstance
{
public:
    // Opens (creating) the lock file without locking it. Raises SystemError.
    SingleInstance();
    ~SingleInstance(); // releases the lock
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock without waiting; false when another process holds it. Raises SystemError.
    bool TryLock();
    // Releases the lock if this object holds it.
    void Unlock();
    bool IsLocked() const;

    // Where the running instance listens.
    static std::string GetSocketPath();
    static std::string GetLockPath();

    // How long a running instance may take to answer.
    static constexpr std::chrono::milliseconds ActivateTimeout {5000};
    static constexpr std::chrono::milliseconds CloseTimeout {15000};

    // Asks the running instance to come forward, as a double-click on its tray icon would. False
    // when no instance of this user listens, or it does not answer in time (said on standard error).
    static bool Activate();
    // Asks the running instance to close and waits until it has run its close sequence, saved its
    // data and released the lock. False when no instance of this user listens; raises
    // InstanceNotClosed, said on standard error too, when it has not closed within the timeout.
    static bool Close(std::chrono::milliseconds timeout = CloseTimeout);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

// Close for the install and uninstall runs: an instance that does not close in time is the exit
// "could not be closed" (ExitCode::NotClosed, raised as an int).
bool CloseRunningInstance();

} // namespace Orvane
