#pragma once

#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace OrvaneDevSim {

// One listening cpp-httplib server and the thread that runs it.
class ServerThread
{
public:
    // Takes a configured server; request bodies beyond maxBody are refused with 413.
    ServerThread(std::unique_ptr<httplib::Server> server, std::size_t maxBody);
    ~ServerThread();
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    // Binds to the address and port (0: any free port) and answers the port; throws when it cannot.
    int bind(const std::string& address, int port);
    void start();
    void stop();

    httplib::Server& server() { return *m_server; }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};

} // namespace OrvaneDevSim
