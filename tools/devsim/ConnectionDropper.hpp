#pragma once

#include <string>

namespace OrvaneDevSim {

// Closes a client's connection from inside a request handler without answering. The server
// library gives handlers no socket, so the socket is found by its local and remote ports.
class ConnectionDropper
{
public:
    static bool drop(int localPort, const std::string& remoteAddress, int remotePort);
};

} // namespace OrvaneDevSim
