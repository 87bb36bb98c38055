#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace OrvaneTest {

// A TCP listener on 127.0.0.1 for answers no proper server gives. Every connection gets `answer`
// once the request's header has arrived; then it is closed, or held open until the object goes.
// With `accept` false connections are never taken from the backlog: a device that answers nothing.
// With `trickleMs` the answer goes out a byte at a time, that far apart: a device that never stalls
// and never finishes.
class RawServer
{
public:
    struct Behaviour
    {
        std::string answer;
        bool holdOpen = false;
        bool accept = true;
        int trickleMs = 0;
    };

    explicit RawServer(Behaviour behaviour);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int Port() const { return m_port; }
    int Connections() const { return m_connections; }

private:
    void Serve();
    void Answer(int client);

    Behaviour m_behaviour;
    int m_port = 0;
    int m_listener = -1;
    int m_stop[2] = {-1, -1};
    std::atomic<int> m_connections {0};
    std::thread m_thread;
};

// A loopback port on which nothing listens.
int ClosedPort();

} // namespace OrvaneTest
