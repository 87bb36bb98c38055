#include "app/OrvaneProcess.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
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

} // namespace
