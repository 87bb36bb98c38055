#pragma once

#include <memory>
#include <string>

namespace Orvane {

// At most one process per user works on the configuration and the data store. The lock is an
// exclusive flock on a lock file, which the kernel drops when its holder dies, so a crashed
// instance never blocks the next start. The instance that holds it and runs listens on a local
// socket (InstanceServer) that other starts use to bring it forward or to close it.
//
// Both files live in $XDG_RUNTIME_DIR, else in the temporary folder, and carry the user id.
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

    // Asks the running instance to come forward, as a double-click on its tray icon would. False
    // when no instance listens.
    static bool Activate();
    // Asks the running instance to close and waits until it has run its close sequence, saved its
    // data and released the lock. False when no instance listens.
    static bool Close();

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane
