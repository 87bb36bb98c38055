#include "Simulator.hpp"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace OrvaneDevSim {

namespace {

nlohmann::json readConfig(const Options& options)
{
    if (options.demo)
        return DeviceState::demoConfig();
    if (options.configFile.empty())
        return nlohmann::json::object();
    std::ifstream in(options.configFile);
    if (!in)
        throw std::runtime_error("cannot read " + options.configFile);
    try {
        return nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& error) {
        throw std::invalid_argument(options.configFile + ": " + error.what());
    }
}

} // namespace

Simulator::Simulator(const Options& options)
    : m_options(options)
    , m_address(loopback(options.bind))
    , m_signaller(m_address)
    , m_state(m_signaller)
    , m_service(m_state)
    , m_certificate(certificate(options, m_address))
    , m_http(m_service, m_faults, m_log, nullptr)
    , m_https(m_service, m_faults, m_log, &m_certificate)
    , m_control(m_state, m_faults, m_log)
{
    m_state.load(readConfig(options));
}

LoopbackAddress Simulator::loopback(const std::string& text)
{
    const auto address = LoopbackAddress::parse(text);
    if (!address)
        throw std::invalid_argument("--bind must be a numeric loopback address, not " + text);
    return *address;
}

Certificate Simulator::certificate(const Options& options, const LoopbackAddress& address)
{
    if (options.certificateFile.empty())
        return Certificate::selfSigned(address.text());
    return Certificate::load(options.certificateFile, options.keyFile);
}

void Simulator::start()
{
    const std::string& address = m_address.text();
    const int http = m_http.bind(address, m_options.httpPort);
    const int https = m_https.bind(address, m_options.httpsPort);
    const int control = m_control.bind(address, m_options.controlPort);
    m_http.start();
    m_https.start();
    m_control.start();
    writePortsFile(http, https, control);
    std::printf("orvane-devsim on %s: http %d, https %d, control %d\n", address.c_str(), http, https, control);
    std::fflush(stdout);
}

void Simulator::stop()
{
    m_faults.stop();
    m_control.stop();
    m_https.stop();
    m_http.stop();
}

void Simulator::writePortsFile(int http, int https, int control) const
{
    if (m_options.portsFile.empty())
        return;
    // Written aside and renamed, so a reader never sees half a file.
    const std::string partial = m_options.portsFile + ".partial";
    {
        std::ofstream out(partial, std::ios::trunc);
        out << nlohmann::json {{"address", m_address.text()},
                               {"http", http},
                               {"https", https},
                               {"control", control},
                               {"pid", ::getpid()}}
                   .dump()
            << '\n';
        if (!out)
            throw std::runtime_error("cannot write " + partial);
    }
    if (std::rename(partial.c_str(), m_options.portsFile.c_str()) != 0)
        throw std::runtime_error("cannot write " + m_options.portsFile);
}

} // namespace OrvaneDevSim
