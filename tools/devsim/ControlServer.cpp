#include "ControlServer.hpp"

#include "DeviceState.hpp"
#include "FaultPlan.hpp"
#include "RequestLog.hpp"

#include <httplib.h>

#include <stdexcept>

using nlohmann::json;

namespace OrvaneDevSim {

namespace {

// A document that is not there is told apart from a malformed command.
struct NotFound : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

void answer(httplib::Response& response, int status, const json& body)
{
    response.status = status;
    // Logged request bodies may hold any bytes; never let them make the answer fail.
    response.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace) + "\n", "application/json");
}

std::string requiredText(const json& body, const char* key)
{
    if (!body.contains(key) || !body.at(key).is_string())
        throw std::invalid_argument(std::string("a text \"") + key + "\" is needed");
    return body.at(key).get<std::string>();
}

} // namespace

ControlServer::ControlServer(DeviceState& state, FaultPlan& faults, RequestLog& log)
    : m_state(state)
    , m_faults(faults)
    , m_log(log)
    , m_thread(std::make_unique<httplib::Server>(), maxBody)
{
    m_thread.server().Get("/state", [this](const httplib::Request&, httplib::Response& response) {
        answer(response, 200, this->state());
    });
    m_thread.server().Get("/log", [this](const httplib::Request&, httplib::Response& response) {
        answer(response, 200, m_log.toJson());
    });
    route("clear-log", [this](const json&) {
        m_log.clear();
        return json::object();
    });
    route("add-document", [this](const json& body) { return addDocument(body); });
    route("delete-document", [this](const json& body) { return deleteDocument(body); });
    route("rename-machine", [this](const json& body) {
        m_state.changeMachine(body);
        return json::object();
    });
    route("rename-account", [this](const json& body) { return renameAccount(body); });
    route("set-fault", [this](const json& body) { return setFault(body); });
    route("clear-faults", [this](const json& body) { return clearFaults(body); });
}

void ControlServer::route(const std::string& name, Command command)
{
    m_thread.server().Post("/" + name, [command](const httplib::Request& request, httplib::Response& response) {
        try {
            const json body = request.body.empty() ? json::object() : json::parse(request.body);
            if (!body.is_object())
                throw std::invalid_argument("the command body must be a JSON object");
            answer(response, 200, command(body));
        } catch (const NotFound& error) {
            answer(response, 404, {{"error", error.what()}});
        } catch (const std::exception& error) {
            answer(response, 400, {{"error", error.what()}});
        }
    });
}

json ControlServer::state() const
{
    json state = m_state.toJson();
    state["faults"] = m_faults.toJson();
    return state;
}

json ControlServer::addDocument(const json& body)
{
    return {{"id", m_state.addDocument(body)}};
}

json ControlServer::deleteDocument(const json& body)
{
    const std::string id = requiredText(body, "id");
    if (!m_state.deleteDocument(id))
        throw NotFound("no such document: " + id);
    return json::object();
}

json ControlServer::renameAccount(const json& body)
{
    const std::string account = requiredText(body, "account");
    if (!m_state.renameAccount(account, requiredText(body, "displayName")))
        throw std::invalid_argument("no such account: " + account);
    return json::object();
}

json ControlServer::setFault(const json& body)
{
    m_faults.set(requiredText(body, "operation"), Fault::fromJson(body));
    return json::object();
}

json ControlServer::clearFaults(const json& body)
{
    if (body.contains("operation"))
        m_faults.clear(requiredText(body, "operation"));
    else
        m_faults.clearAll();
    return json::object();
}

} // namespace OrvaneDevSim
