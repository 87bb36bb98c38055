#pragma once

#include "LoopbackAddress.hpp"
#include "Subscription.hpp"

#include <atomic>
#include <vector>

namespace OrvaneDevSim {

// Sends the change datagram to feed subscribers, from the device's own address so that the
// program can tell which device spoke.
class Signaller
{
public:
    explicit Signaller(const LoopbackAddress& device);
    ~Signaller();
    Signaller(const Signaller&) = delete;
    Signaller& operator=(const Signaller&) = delete;

    void notify(const std::vector<Subscription>& subscribers);
    long sentCount() const { return m_sent; }

private:
    void send(const Subscription& subscriber);

    int m_socket;
    int m_family;
    std::atomic<long> m_sent {0};
};

} // namespace OrvaneDevSim
