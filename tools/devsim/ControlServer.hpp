#pragma once

#include "ServerThread.hpp"

#include <nlohmann/json.hpp>

#include <functional>
#include <map>
#include <string>

namespace OrvaneDevSim {

class DeviceState;
class FaultPlan;
class RequestLog;

// The simulator's own control interface: JSON over HTTP on a separate loopback port.
//   GET  /state             accounts, documents, read flags, subscribers, faults
//   GET  /log               the request log
//   POST /clear-log
//   POST /add-document      {"account", "title"?, "category"?, "contentType"?, "content"?, "pubDate"?, "id"?}
//                           answers {"id"}
//   POST /delete-document   {"id"}
//   POST /rename-machine    {"name"?, "securityPolicy"?, "guestLogin"?}
//   POST /rename-account    {"account", "displayName"}
//   POST /set-fault         {"operation", "kind", ...}
//   POST /clear-faults      {"operation"?}: that operation's fault, or all of them
// Failures answer 400 (or 404 for an unknown document) with {"error": text}.
class ControlServer
{
public:
    ControlServer(DeviceState& state, FaultPlan& faults, RequestLog& log);

    int bind(const std::string& address, int port) { return m_thread.bind(address, port); }
    void start() { m_thread.start(); }
    void stop() { m_thread.stop(); }

    static constexpr std::size_t maxBody = 16 * 1024 * 1024;

private:
    using Command = std::function<nlohmann::json(const nlohmann::json&)>;
    void route(const std::string& name, Command command);
    nlohmann::json state() const;
    nlohmann::json addDocument(const nlohmann::json& body);
    nlohmann::json deleteDocument(const nlohmann::json& body);
    nlohmann::json renameAccount(const nlohmann::json& body);
    nlohmann::json setFault(const nlohmann::json& body);
    nlohmann::json clearFaults(const nlohmann::json& body);

    DeviceState& m_state;
    FaultPlan& m_faults;
    RequestLog& m_log;
    ServerThread m_thread;
};

} // namespace OrvaneDevSim
