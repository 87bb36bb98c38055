#include "DeviceService.hpp"

#include "BasicAuth.hpp"
#include "DeviceRequest.hpp"
#include "DeviceState.hpp"
#include "FeedWriter.hpp"
#include "Thumbnail.hpp"

namespace OrvaneDevSim {

namespace {

const std::string cgiPrefix = "/cgi-bin/";
const std::string cgiSuffix = ".cgi";
const std::string feedPrefix = "/rss/";
const std::string feedSuffix = ".xml";

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The text between a prefix and a suffix, or nothing when the path does not have that shape.
std::string between(const std::string& path, const std::string& prefix, const std::string& suffix)
{
    if (path.size() <= prefix.size() + suffix.size() || !startsWith(path, prefix) || !endsWith(path, suffix))
        return {};
    return path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
}

std::string baseUrl(const DeviceRequest& request)
{
    return std::string(request.secure ? "https" : "http") + "://" + request.host;
}

DeviceReply notFound()
{
    return DeviceReply::html(404, "Not found");
}

} // namespace

DeviceService::DeviceService(DeviceState& state)
    : m_state(state)
    , m_commands(state)
    , m_page(state)
{ }

std::string DeviceService::operationOf(const DeviceRequest& request)
{
    const std::string command = between(request.path, cgiPrefix, cgiSuffix);
    if (request.method == "POST" && CommandService::isCommand(command))
        return command;
    if (request.method != "GET")
        return "unknown";
    if (!feedAccount(request.path).empty())
        return "feed";
    if (request.path == "/thumbnail.jpg")
        return "thumbnail";
    if (request.path == "/orvane.htm")
        return DocumentPage::operationOf(request.param("IFM"));
    return "unknown";
}

DeviceReply DeviceService::handle(const std::string& operation, const DeviceRequest& request)
{
    if (CommandService::isCommand(operation))
        return m_commands.handle(operation, request);
    if (operation == "feed")
        return feed(request);
    if (operation == "thumbnail")
        return thumbnail(request);
    if (operation == "unknown")
        return notFound();
    return m_page.handle(operation, request);
}

std::string DeviceService::feedAccount(const std::string& path)
{
    return between(path, feedPrefix, feedSuffix);
}

DeviceReply DeviceService::feed(const DeviceRequest& request) const
{
    const auto account = m_state.account(feedAccount(request.path));
    if (!account)
        return notFound();
    if (auto refusal = BasicAuth::refuse(m_state, request, account->id))
        return *refusal;
    return {200, "text/xml; charset=UTF-8", FeedWriter(baseUrl(request)).write(*account), {}};
}

DeviceReply DeviceService::thumbnail(const DeviceRequest& request) const
{
    const auto found = m_state.findDocument(request.param("DC"));
    if (!found)
        return notFound();
    if (auto refusal = BasicAuth::refuse(m_state, request, found->account))
        return *refusal;
    return {200, "image/jpeg", Thumbnail::jpeg(found->document.id), {}};
}

} // namespace OrvaneDevSim
