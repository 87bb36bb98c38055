#include "Signaller.hpp"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace OrvaneDevSim {

namespace {

const char payload[] = "ORVANE-FEED-CHANGED";

} // namespace

Signaller::Signaller(const LoopbackAddress& device)
    : m_socket(::socket(device.family(), SOCK_DGRAM | SOCK_CLOEXEC, 0))
    , m_family(device.family())
{
    if (m_socket < 0)
        throw std::system_error(errno, std::generic_category(), "UDP socket");
    socklen_t length = 0;
    const sockaddr_storage local = device.withPort(0, length);
    if (::bind(m_socket, reinterpret_cast<const sockaddr*>(&local), length) != 0) {
        const int error = errno;
        ::close(m_socket);
        throw std::system_error(error, std::generic_category(), "UDP bind to " + device.text());
    }
}

Signaller::~Signaller()
{
    ::close(m_socket);
}

void Signaller::notify(const std::vector<Subscription>& subscribers)
{
    for (const Subscription& subscriber : subscribers)
        send(subscriber);
}

void Signaller::send(const Subscription& subscriber)
{
    // Subscriptions are only taken from loopback callers; check again so nothing leaves the host.
    const auto target = LoopbackAddress::parse(subscriber.address);
    if (!target || target->family() != m_family)
        return;
    socklen_t length = 0;
    const sockaddr_storage to = target->withPort(subscriber.port, length);
    if (::sendto(m_socket, payload, sizeof payload - 1, 0, reinterpret_cast<const sockaddr*>(&to), length) >= 0)
        ++m_sent;
}

} // namespace OrvaneDevSim
