#pragma once

#include "ServerThread.hpp"

#include <chrono>
#include <string>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

namespace OrvaneDevSim {

class Certificate;
class DeviceService;
class FaultPlan;
class RequestLog;
struct DeviceReply;
struct DeviceRequest;

// The device's web service on one port, HTTP or HTTPS: logs each request, applies the injected
// fault of its operation and otherwise lets the device service answer.
class DeviceServer
{
public:
    // With a certificate the server speaks HTTPS.
    DeviceServer(DeviceService& service, FaultPlan& faults, RequestLog& log, const Certificate* certificate);

    int bind(const std::string& address, int port);
    void start() { m_thread.start(); }
    void stop() { m_thread.stop(); }

    static constexpr std::size_t maxBody = 64 * 1024;

private:
    void handle(const httplib::Request& request, httplib::Response& response);
    DeviceRequest translate(const httplib::Request& request) const;
    void hangUp(const httplib::Request& request, const std::string& operation, long entry);
    static void write(const DeviceReply& reply, httplib::Response& response);
    static void writeCut(const DeviceReply& reply, std::size_t claimed, std::size_t sent, httplib::Response& response);
    void writeTrickled(const DeviceReply& reply, std::chrono::milliseconds interval, httplib::Response& response);

    DeviceService& m_service;
    FaultPlan& m_faults;
    RequestLog& m_log;
    bool m_secure;
    std::string m_address;
    int m_port = 0;
    ServerThread m_thread;
};

} // namespace OrvaneDevSim
