#include "LoopbackAddress.hpp"

#include <arpa/inet.h>

namespace OrvaneDevSim {

std::optional<LoopbackAddress> LoopbackAddress::parse(const std::string& text)
{
    LoopbackAddress address;
    address.m_text = text;
    auto* v4 = reinterpret_cast<sockaddr_in*>(&address.m_address);
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&address.m_address);
    if (::inet_pton(AF_INET, text.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        if ((ntohl(v4->sin_addr.s_addr) >> 24) == 127)
            return address;
    } else if (::inet_pton(AF_INET6, text.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        if (IN6_IS_ADDR_LOOPBACK(&v6->sin6_addr))
            return address;
    }
    return std::nullopt;
}

sockaddr_storage LoopbackAddress::withPort(int port, socklen_t& length) const
{
    sockaddr_storage result = m_address;
    if (result.ss_family == AF_INET) {
        reinterpret_cast<sockaddr_in*>(&result)->sin_port = htons(static_cast<uint16_t>(port));
        length = sizeof(sockaddr_in);
    } else {
        reinterpret_cast<sockaddr_in6*>(&result)->sin6_port = htons(static_cast<uint16_t>(port));
        length = sizeof(sockaddr_in6);
    }
    return result;
}

} // namespace OrvaneDevSim
