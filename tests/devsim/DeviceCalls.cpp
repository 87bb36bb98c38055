#include "DeviceCalls.hpp"

#include <libxml/parser.h>
#include <libxml/xpath.h>

#include <memory>

DeviceCalls::DeviceCalls(const OrvaneTest::DevSim& devsim, bool secure)
    : m_client(std::string(secure ? "https" : "http")
               + "://127.0.0.1:" + std::to_string(secure ? devsim.httpsPort() : devsim.httpPort()))
{
    m_client.enable_server_certificate_verification(false);
    m_client.set_read_timeout(std::chrono::seconds(20));
}

httplib::Result DeviceCalls::command(const std::string& page, const std::string& name, const std::string& params)
{
    const std::string body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<REQUEST><COMMAND>" + name + "</COMMAND>"
        + (params.empty() ? "" : "<PARAM>" + params + "</PARAM>") + "</REQUEST>";
    return post("/cgi-bin/" + page + ".cgi", body);
}

httplib::Result DeviceCalls::post(const std::string& path, const std::string& body)
{
    return m_client.Post(path.c_str(), body, "text/xml");
}

httplib::Result DeviceCalls::get(const std::string& target, const std::string& user, const std::string& password)
{
    httplib::Headers headers;
    if (!user.empty())
        headers.insert(httplib::make_basic_authentication_header(user, password));
    return m_client.Get(target.c_str(), headers);
}

std::optional<std::string> DeviceCalls::text(const std::string& xml, const std::string& element)
{
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
        xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
        xmlFreeDoc);
    if (!doc)
        return std::nullopt;
    std::unique_ptr<xmlXPathContext, void (*)(xmlXPathContextPtr)> context(xmlXPathNewContext(doc.get()),
                                                                           xmlXPathFreeContext);
    const std::string path = "//" + element;
    std::unique_ptr<xmlXPathObject, void (*)(xmlXPathObjectPtr)> found(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(path.c_str()), context.get()), xmlXPathFreeObject);
    if (!found || !found->nodesetval || found->nodesetval->nodeNr == 0)
        return std::nullopt;
    xmlChar* content = xmlNodeGetContent(found->nodesetval->nodeTab[0]);
    std::string result = reinterpret_cast<const char*>(content);
    xmlFree(content);
    return result;
}

std::string DeviceCalls::subscribeParams(const std::string& user, const std::string& password, int port)
{
    return "<USERNAME>" + user + "</USERNAME><PASSWORD>" + password + "</PASSWORD><LISTENPORT>" + std::to_string(port)
        + "</LISTENPORT>";
}
