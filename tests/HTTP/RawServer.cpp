#include "RawServer.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>
#include <vector>

namespace OrvaneTest {

namespace {

int ListenOnLoopback(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    // A small window, inherited by every connection, so that a request nobody reads stalls soon.
    const int window = 8192;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 16) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on loopback");
    port = ntohs(address.sin_port);
    return fd;
}

bool Readable(int fd, int stopFd)
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    return ::poll(fds, 2, -1) > 0 && !(fds[1].revents & POLLIN);
}

// Waits the time unless the stop comes first.
bool Paused(int stopFd, int ms)
{
    pollfd stop = {stopFd, POLLIN, 0};
    return ::poll(&stop, 1, ms) == 0;
}

} // namespace

RawServer::RawServer(Behaviour behaviour)
    : m_behaviour(std::move(behaviour))
    , m_listener(ListenOnLoopback(m_port))
{
    if (::pipe2(m_stop, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    m_thread = std::thread([this] { Serve(); });
}

RawServer::~RawServer()
{
    [[maybe_unused]] const auto written = ::write(m_stop[1], "x", 1);
    m_thread.join();
    ::close(m_listener);
    ::close(m_stop[0]);
    ::close(m_stop[1]);
}

void RawServer::Serve()
{
    std::vector<int> held;
    while (m_behaviour.accept && Readable(m_listener, m_stop[0])) {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        ++m_connections;
        Answer(client);
        if (m_behaviour.holdOpen)
            held.push_back(client);
        else
            ::close(client);
    }
    if (!m_behaviour.accept)
        Readable(m_stop[0], m_stop[0]);
    for (const int client : held)
        ::close(client);
}

void RawServer::Answer(int client)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && Readable(client, m_stop[0])) {
        const auto got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    const int trickle = m_behaviour.trickleMs;
    for (std::size_t sent = 0; sent < m_behaviour.answer.size();) {
        if (trickle > 0 && !Paused(m_stop[0], trickle))
            return;
        const std::size_t size = trickle > 0 ? 1 : m_behaviour.answer.size() - sent;
        const auto wrote = ::send(client, m_behaviour.answer.data() + sent, size, MSG_NOSIGNAL);
        if (wrote <= 0)
            return;
        sent += static_cast<std::size_t>(wrote);
    }
}

int ClosedPort()
{
    int port = 0;
    ::close(ListenOnLoopback(port));
    return port;
}

} // namespace OrvaneTest
