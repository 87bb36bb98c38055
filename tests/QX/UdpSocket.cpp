#include "UdpSocket.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace QXTest {

UdpSocket::UdpSocket()
    : m_socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
{
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), size) != 0
        || ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (m_socket >= 0)
            ::close(m_socket);
        throw std::runtime_error("no UDP socket on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
}

UdpSocket::~UdpSocket()
{
    ::close(m_socket);
}

std::string UdpSocket::take()
{
    char buffer[512];
    sockaddr_in sender {};
    socklen_t size = sizeof sender;
    if (::recvfrom(m_socket, buffer, sizeof buffer, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&sender), &size) < 0)
        return std::string();
    char text[INET_ADDRSTRLEN] = {};
    return ::inet_ntop(AF_INET, &sender.sin_addr, text, sizeof text) ? text : "?";
}

} // namespace QXTest
