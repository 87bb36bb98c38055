#pragma once

#include <string>
#include <vector>

// A UDP socket on 127.0.0.1 and a free port, standing in for the program's signal receiver.
class UdpListener
{
public:
    UdpListener();
    ~UdpListener();
    UdpListener(const UdpListener&) = delete;
    UdpListener& operator=(const UdpListener&) = delete;

    int port() const { return m_port; }
    // Reads every datagram waiting now; answers the sender addresses of all received so far.
    const std::vector<std::string>& poll();

private:
    int m_socket;
    int m_port = 0;
    std::vector<std::string> m_senders;
};
