#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <optional>
#include <string>

namespace OrvaneDevSim {

// A numeric IPv4 or IPv6 address on this host's loopback (127.0.0.0/8 or ::1). The simulator
// never listens on or sends to anything else.
class LoopbackAddress
{
public:
    static std::optional<LoopbackAddress> parse(const std::string& text);

    const std::string& text() const { return m_text; }
    int family() const { return m_address.ss_family; }
    // The socket address with the given port, and its length.
    sockaddr_storage withPort(int port, socklen_t& length) const;

private:
    std::string m_text;
    sockaddr_storage m_address {};
};

} // namespace OrvaneDevSim
