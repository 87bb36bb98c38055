#pragma once

#include "support/ChildProcess.hpp"
#include "support/TestSupport.hpp"

#include <memory>
#include <string>
#include <vector>

namespace OrvaneTest {

// A real snmpd answering SNMP v2c (community "public") on a loopback address and a free port, with
// no system configuration; configLines add what it answers ("sysName ...", "override ...").
class SnmpAgent
{
public:
    SnmpAgent(const std::string& address, const std::vector<std::string>& configLines);
    ~SnmpAgent();

    // "ADDRESS:PORT".
    std::string target() const;
    const std::string& address() const { return m_address; }
    // Until the agent answers a GET of sysName.
    bool waitReady();

private:
    TempDir m_folder;
    std::string m_address;
    int m_port = 0;
    std::unique_ptr<ChildProcess> m_daemon;
};

} // namespace OrvaneTest
