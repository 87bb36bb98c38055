#pragma once

#include <string>

namespace QXTest {

// A UDP socket on 127.0.0.1 and a free port, where the device sends its change signals.
class UdpSocket
{
public:
    UdpSocket();
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    int port() const { return m_port; }
    // The sender address of a datagram waiting now, or "" when none is.
    std::string take();

private:
    int m_socket;
    int m_port = 0;
};

} // namespace QXTest
