#include "support/SnmpAgent.hpp"

#include <boost/filesystem/operations.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace OrvaneTest {

namespace {

int FreeUdpPort(const std::string& address)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in socketAddress {};
    socketAddress.sin_family = AF_INET;
    ::inet_pton(AF_INET, address.c_str(), &socketAddress.sin_addr);
    socklen_t length = sizeof socketAddress;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&socketAddress), sizeof socketAddress) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&socketAddress), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("no free UDP port on " + address);
    }
    ::close(fd);
    return ntohs(socketAddress.sin_port);
}

} // namespace

SnmpAgent::SnmpAgent(const std::string& address, const std::vector<std::string>& configLines)
    : m_address(address)
    , m_port(FreeUdpPort(address))
{
    // snmpd writes its persistent state as "snmpd.conf" in its persistent folder: keep that apart
    // from the configuration.
    boost::filesystem::create_directories(m_folder / "state");
    std::string config = "agentaddress udp:" + target() + "\nrocommunity public default\n";
    for (const std::string& line : configLines)
        config += line + "\n";
    writeFile(m_folder / "snmpd.conf", config);
    m_daemon = std::make_unique<ChildProcess>(
        std::vector<std::string> {"snmpd", "-f", "-C", "-c", (m_folder / "snmpd.conf").string(), "-Lf",
                                  (m_folder / "snmpd.log").string()},
        (m_folder / "snmpd.out").string(),
        std::map<std::string, std::string> {{"SNMP_PERSISTENT_DIR", (m_folder / "state").string()}, {"MIBS", ""}});
}

SnmpAgent::~SnmpAgent() = default;

std::string SnmpAgent::target() const
{
    return m_address + ":" + std::to_string(m_port);
}

bool SnmpAgent::waitReady()
{
    const std::string out = (m_folder / "snmpget.out").string();
    return waitUntil(
        [&] {
            return m_daemon->running()
                && ChildProcess::run({"snmpget", "-v2c", "-c", "public", "-t", "1", "-r", "0", "udp:" + target(),
                                      "1.3.6.1.2.1.1.5.0"},
                                     out, {{"MIBS", ""}})
                == 0;
        },
        std::chrono::seconds(15));
}

} // namespace OrvaneTest
