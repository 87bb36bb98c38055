#pragma once

#include "Certificate.hpp"
#include "ControlServer.hpp"
#include "DeviceServer.hpp"
#include "DeviceService.hpp"
#include "DeviceState.hpp"
#include "FaultPlan.hpp"
#include "LoopbackAddress.hpp"
#include "Options.hpp"
#include "RequestLog.hpp"
#include "Signaller.hpp"

namespace OrvaneDevSim {

// The whole simulated device: its state, the HTTP and HTTPS servers and the control server.
class Simulator
{
public:
    // std::invalid_argument or std::runtime_error when the options cannot be honoured.
    explicit Simulator(const Options& options);

    // Listens on every port, then writes the ports file when one was asked for.
    void start();
    // Releases waiting requests and stops every server.
    void stop();

private:
    static LoopbackAddress loopback(const std::string& text);
    static Certificate certificate(const Options& options, const LoopbackAddress& address);
    void writePortsFile(int http, int https, int control) const;

    Options m_options;
    LoopbackAddress m_address;
    Signaller m_signaller;
    DeviceState m_state;
    FaultPlan m_faults;
    RequestLog m_log;
    DeviceService m_service;
    Certificate m_certificate;
    DeviceServer m_http;
    DeviceServer m_https;
    ControlServer m_control;
};

} // namespace OrvaneDevSim
