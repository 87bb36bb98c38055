#include "app/OrvaneProcess.hpp"

#include "SingleInstance.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace OrvaneTest;

namespace {

// Sends raw text on the local socket and answers what comes back before the end of the stream.
std::string requestAnswer(const AppHome& home, const std::string& text)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, home.socketPath().c_str(), sizeof address.sun_path - 1);
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) >= 0) {
        char buffer[64];
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            answer.append(buffer, n);
    }
    ::close(fd);
    return answer;
}

constexpr uid_t Nobody = 65534;

int listeningSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind " + path);
    return fd;
}

// Another local user's process that holds a lock file and listens on a socket, never answering.
class Squatter
{
public:
    Squatter(const std::string& lockPath, const std::string& socketPath)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            throw std::runtime_error("no pipe");
        m_pid = ::fork();
        if (m_pid == 0) {
            if (!lockPath.empty()) {
                const int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT, 0600);
                if (lock < 0 || ::flock(lock, LOCK_EX) != 0 || ::fchown(lock, Nobody, Nobody) != 0)
                    ::_exit(1);
            }
            const int socket = listeningSocket(socketPath);
            // The socket takes the credentials of whoever listens on it.
            if (::chown(socketPath.c_str(), Nobody, Nobody) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0
                || ::listen(socket, 8) != 0)
                ::_exit(1);
            (void) !::write(ready[1], "r", 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char byte = 0;
        const bool started = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
        if (!started)
            throw std::runtime_error("the squatter did not start");
    }
    ~Squatter()
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }

private:
    pid_t m_pid = -1;
};

class SingleInstance : public ::testing::Test
{
protected:
    SingleInstance() { home.writeConfig(freeUdpPort()); }

    std::unique_ptr<OrvaneProcess> startRun()
    {
        auto process = std::make_unique<OrvaneProcess>(home, std::vector<std::string> {"--headless"});
        EXPECT_TRUE(process->waitListening(home)) << process->err();
        return process;
    }

    AppHome home;
};

TEST_F(SingleInstance, SecondStartExits11AndActivatesTheFirst)
{
    auto first = startRun();
    for (const std::vector<std::string>& arguments : {std::vector<std::string> {}, {"--headless"}})
        EXPECT_EQ(11, OrvaneProcess::run(home, arguments));
    EXPECT_TRUE(waitUntil([&] { return first->err().find("activate") != std::string::npos; }));
    EXPECT_FALSE(first->exitCode());
    first->signal(SIGTERM);
    EXPECT_EQ(0, first->wait());
}

// The kernel drops a dead process's lock, and the socket it left behind is replaced.
TEST_F(SingleInstance, CrashedInstanceDoesNotBlockTheNextStart)
{
    auto crashed = startRun();
    crashed->signal(SIGKILL);
    EXPECT_EQ(128 + SIGKILL, crashed->wait());
    ASSERT_TRUE(boost::filesystem::exists(home.socketPath()));

    auto next = startRun();
    EXPECT_EQ(11, OrvaneProcess::run(home, {}));
    next->signal(SIGINT);
    EXPECT_EQ(0, next->wait());
}

TEST_F(SingleInstance, UninstallClosesTheRunningInstance)
{
    auto running = startRun();
    EXPECT_EQ(0, OrvaneProcess::run(home, {"-u"}));
    // The close request is answered only after the close sequence, so the instance has saved.
    EXPECT_TRUE(boost::filesystem::exists(home.storePath()));
    EXPECT_EQ(0, running->wait());
    EXPECT_FALSE(boost::filesystem::exists(home.socketPath()));
}

TEST_F(SingleInstance, UninstallWithNothingRunningExits0)
{
    EXPECT_EQ(0, OrvaneProcess::run(home, {"--uninstall"}));
    EXPECT_EQ(0, OrvaneProcess::run(home, {"-u", "--convert"}));
}

// Only "activate" and "close" are understood; anything else is dropped and the run goes on.
TEST_F(SingleInstance, UnknownRequestsAreDropped)
{
    auto running = startRun();
    for (const std::string& request : {std::string("quit\n"), std::string(4096, 'x'), std::string("close now\n")})
        EXPECT_EQ("", requestAnswer(home, request));
    EXPECT_EQ("ok\n", requestAnswer(home, "activate\n"));
    EXPECT_FALSE(running->exitCode());
    running->signal(SIGTERM);
    EXPECT_EQ(0, running->wait());
}

// Without a runtime folder of the user's own, the files go to a folder of the user's own, not to the
// shared one where another user could hold the lock (the run would exit 11 for ever) or listen on
// the socket without answering (uninstall would hang).
TEST_F(SingleInstance, FilesSquattedInASharedFolderAreNotUsed)
{
    const auto shared = home.shareRuntime();
    const std::string uid = std::to_string(::getuid());
    const Squatter squatter((shared / ("KelvastOrvane." + uid + ".lock")).string(),
                            (shared / ("KelvastOrvaneMainFrame." + uid + ".socket")).string());

    EXPECT_EQ(0, OrvaneProcess::run(home, {"--uninstall"}));
    auto running = startRun();
    EXPECT_EQ(11, OrvaneProcess::run(home, {"--headless"}));
    EXPECT_EQ(0, OrvaneProcess::run(home, {"--uninstall"}));
    EXPECT_EQ(0, running->wait());
}

// A start that meets such a folder fails (exit 10) with the message; the start's lock attempts make
// that take a minute, so the rule is tried here in the process.
TEST(SingleInstanceFolder, AFolderOfAnotherUserOrOpenToOthersIsRefused)
{
    const OrvaneTest::TempDir shared;
    ASSERT_EQ(0, ::chmod(shared.path().c_str(), 01777));
    ::setenv("XDG_RUNTIME_DIR", shared.path().c_str(), 1); // not the user's own: open to all
    ::setenv("TMPDIR", shared.path().c_str(), 1);
    const auto folder = shared.path() / ("orvane-" + std::to_string(::getuid()));
    EXPECT_EQ((folder / ("KelvastOrvane." + std::to_string(::getuid()) + ".lock")).string(),
              Orvane::SingleInstance::GetLockPath());
    struct stat status {};
    ASSERT_EQ(0, ::stat(folder.c_str(), &status));
    EXPECT_EQ(0700u, status.st_mode & 07777);

    const struct
    {
        uid_t owner;
        unsigned mode;
        const char* message;
    } cases[] = {
        {Nobody, 0700, "belongs to user 65534"},
        {::getuid(), 0755, "is open to other users"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ASSERT_EQ(0, ::chmod(folder.c_str(), c.mode));
        ASSERT_EQ(0, ::chown(folder.c_str(), c.owner, c.owner));
        try {
            Orvane::SingleInstance::GetLockPath();
            ADD_FAILURE() << "the folder was taken";
        } catch (const Orvane::InstanceFolderRefused& error) {
            EXPECT_NE(std::string::npos, std::string(error.what()).find(c.message)) << error.what();
        }
    }
    ::unsetenv("XDG_RUNTIME_DIR");
    ::unsetenv("TMPDIR");
}

// The client speaks only to an instance of its own user, and does not wait for ever on one that
// takes the request and never finishes.
TEST(SingleInstanceClient, RefusesAnotherUsersSocketAndTimesOut)
{
    const OrvaneTest::TempDir runtime;
    ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    const std::string path = Orvane::SingleInstance::GetSocketPath();
    {
        const Squatter squatter("", path);
        EXPECT_FALSE(Orvane::SingleInstance::Close());
        EXPECT_FALSE(Orvane::SingleInstance::Activate());
    }

    const int silent = listeningSocket(path);
    ASSERT_EQ(0, ::listen(silent, 8));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(Orvane::SingleInstance::Close(std::chrono::milliseconds(300)), Orvane::InstanceNotClosed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ::close(silent);
    ::unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
