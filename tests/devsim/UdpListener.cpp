#include "UdpListener.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

UdpListener::UdpListener()
    : m_socket(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0))
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot bind a UDP socket on loopback");
    m_port = ntohs(address.sin_port);
}

UdpListener::~UdpListener()
{
    ::close(m_socket);
}

const std::vector<std::string>& UdpListener::poll()
{
    char buffer[2048];
    sockaddr_in sender {};
    socklen_t length = sizeof sender;
    while (::recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &length) >= 0) {
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &sender.sin_addr, text, sizeof text);
        m_senders.emplace_back(text);
        length = sizeof sender;
    }
    return m_senders;
}
