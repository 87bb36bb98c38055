#include "ConnectionDropper.hpp"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

namespace OrvaneDevSim {

namespace {

bool endpoint(const sockaddr_storage& address, std::string& text, int& port)
{
    char buffer[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        ::inet_ntop(AF_INET, &v4.sin_addr, buffer, sizeof buffer);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        ::inet_ntop(AF_INET6, &v6.sin6_addr, buffer, sizeof buffer);
        port = ntohs(v6.sin6_port);
    } else {
        return false;
    }
    text = buffer;
    return true;
}

bool isConnection(int fd, int localPort, const std::string& remoteAddress, int remotePort)
{
    struct stat info
    { };
    if (::fstat(fd, &info) != 0 || !S_ISSOCK(info.st_mode))
        return false;
    sockaddr_storage local {}, remote {};
    socklen_t localLength = sizeof local, remoteLength = sizeof remote;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0
        || ::getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &remoteLength) != 0)
        return false;
    std::string localText, remoteText;
    int localFound = 0, remoteFound = 0;
    return endpoint(local, localText, localFound) && endpoint(remote, remoteText, remoteFound)
        && localFound == localPort && remoteFound == remotePort && remoteText == remoteAddress;
}

} // namespace

bool ConnectionDropper::drop(int localPort, const std::string& remoteAddress, int remotePort)
{
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir("/proc/self/fd"), ::closedir);
    if (!folder)
        return false;
    while (const dirent* item = ::readdir(folder.get())) {
        const int fd = std::atoi(item->d_name);
        if (fd > 2 && isConnection(fd, localPort, remoteAddress, remotePort)) {
            // Shut down rather than close: the server still owns the descriptor and closes it.
            ::shutdown(fd, SHUT_RDWR);
            return true;
        }
    }
    return false;
}

} // namespace OrvaneDevSim
