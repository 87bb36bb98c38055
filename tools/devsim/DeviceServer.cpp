#include "DeviceServer.hpp"

#include "Certificate.hpp"
#include "ConnectionDropper.hpp"
#include "DeviceReply.hpp"
#include "DeviceRequest.hpp"
#include "DeviceService.hpp"
#include "FaultPlan.hpp"
#include "RequestLog.hpp"

#include <httplib.h>

namespace OrvaneDevSim {

namespace {

std::unique_ptr<httplib::Server> makeServer(const Certificate* certificate)
{
    if (!certificate)
        return std::make_unique<httplib::Server>();
    return std::make_unique<httplib::SSLServer>(certificate->certificate(), certificate->key());
}

std::string queryOf(const std::string& target)
{
    const auto mark = target.find('?');
    return mark == std::string::npos ? std::string() : target.substr(mark + 1);
}

constexpr std::size_t hugeLength = std::size_t(1) << 40;

} // namespace

DeviceServer::DeviceServer(DeviceService& service, FaultPlan& faults, RequestLog& log, const Certificate* certificate)
    : m_service(service)
    , m_faults(faults)
    , m_log(log)
    , m_secure(certificate != nullptr)
    , m_thread(makeServer(certificate), maxBody)
{
    auto handler = [this](const httplib::Request& request, httplib::Response& response) { handle(request, response); };
    m_thread.server().Get(".*", handler).Post(".*", handler).Put(".*", handler).Delete(".*", handler);
}

int DeviceServer::bind(const std::string& address, int port)
{
    m_address = address;
    m_port = m_thread.bind(address, port);
    return m_port;
}

DeviceRequest DeviceServer::translate(const httplib::Request& request) const
{
    DeviceRequest result;
    result.method = request.method;
    result.path = request.path;
    for (const auto& [key, value] : request.params)
        result.params.emplace(key, value);
    result.body = request.body;
    result.remoteAddress = request.remote_addr;
    result.authorization = request.get_header_value("Authorization");
    result.host
        = request.has_header("Host") ? request.get_header_value("Host") : m_address + ":" + std::to_string(m_port);
    result.secure = m_secure;
    return result;
}

void DeviceServer::handle(const httplib::Request& request, httplib::Response& response)
{
    const DeviceRequest translated = translate(request);
    const std::string operation = DeviceService::operationOf(translated);
    const long entry = m_log.begin({0, m_secure ? "https" : "http", operation, request.method, request.path,
                                    queryOf(request.target), request.body});
    const auto fault = m_faults.take(operation);
    const Fault::Kind kind = fault ? fault->kind() : Fault::Kind::Delay;
    if (fault && (kind == Fault::Kind::Drop || kind == Fault::Kind::Hang))
        return hangUp(request, operation, entry);
    if (fault && kind == Fault::Kind::Delay)
        m_faults.pause(std::chrono::milliseconds(fault->delayMs()));
    DeviceReply reply = fault && fault->replacesAnswer() ? fault->answer() : m_service.handle(operation, translated);
    if (fault && kind == Fault::Kind::WrongContentType)
        reply.contentType = "text/plain";
    if (fault && kind == Fault::Kind::Truncated)
        writeCut(reply, reply.body.size(), reply.body.size() / 2, response);
    else if (fault && kind == Fault::Kind::HugeLength)
        writeCut(reply, hugeLength, reply.body.size(), response);
    else if (fault && kind == Fault::Kind::Trickle)
        writeTrickled(reply, std::chrono::milliseconds(fault->delayMs()), response);
    else
        write(reply, response);
    m_log.finish(entry, reply.status, "answered");
}

void DeviceServer::hangUp(const httplib::Request& request, const std::string& operation, long entry)
{
    m_faults.hang(operation);
    ConnectionDropper::drop(request.local_port, request.remote_addr, request.remote_port);
    m_log.finish(entry, 0, "dropped");
}

void DeviceServer::write(const DeviceReply& reply, httplib::Response& response)
{
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers)
        response.set_header(name, value);
    response.set_content(reply.body, reply.contentType);
}

void DeviceServer::writeCut(const DeviceReply& reply, std::size_t claimed, std::size_t sent,
                            httplib::Response& response)
{
    response.status = reply.status;
    auto body = std::make_shared<std::string>(reply.body.substr(0, sent));
    // Refusing to provide the rest makes the server close the connection mid-body.
    response.set_content_provider(claimed, reply.contentType,
                                  [body](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                      if (offset < body->size())
                                          return sink.write(body->data() + offset, body->size() - offset);
                                      return false;
                                  });
}

void DeviceServer::writeTrickled(const DeviceReply& reply, std::chrono::milliseconds interval,
                                 httplib::Response& response)
{
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers)
        response.set_header(name, value);
    auto body = std::make_shared<std::string>(reply.body);
    // Each byte keeps the connection alive a little longer: progress, but never an end in sight.
    response.set_content_provider(body->size(), reply.contentType,
                                  [this, body, interval](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                      m_faults.pause(interval);
                                      return sink.write(body->data() + offset, 1);
                                  });
}

} // namespace OrvaneDevSim
