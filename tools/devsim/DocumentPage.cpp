#include "DocumentPage.hpp"

#include "BasicAuth.hpp"
#include "DeviceRequest.hpp"
#include "DeviceState.hpp"
#include "Markup.hpp"

#include <map>

namespace OrvaneDevSim {

namespace {

const std::map<std::string, std::string> operations
    = {{"1", "download"}, {"2", "print"}, {"3", "login"}, {"4", "notified"}, {"5", "delete"}};

DeviceReply page(const std::string& title, const std::string& bodyHtml)
{
    return {200,
            "text/html; charset=UTF-8",
            "<html><head><title>" + Markup::escape(title) + "</title></head><body><h1>" + Markup::escape(title)
                + "</h1>" + bodyHtml + "</body></html>\n",
            {}};
}

DeviceReply missingDocument()
{
    return DeviceReply::html(404, "No such document");
}

} // namespace

DocumentPage::DocumentPage(DeviceState& state)
    : m_state(state)
{ }

std::string DocumentPage::operationOf(const std::string& ifm)
{
    const auto found = operations.find(ifm);
    return found == operations.end() ? "page" : found->second;
}

DeviceReply DocumentPage::handle(const std::string& operation, const DeviceRequest& request)
{
    if (operation == "download")
        return download(request);
    if (operation == "print")
        return print(request);
    if (operation == "delete")
        return remove(request);
    if (operation == "login")
        return loginPage(request);
    if (operation == "notified")
        return notifiedPage(request);
    return topPage();
}

DeviceReply DocumentPage::download(const DeviceRequest& request)
{
    // Downloads carry no credentials; the account named by "UN" must still own the document.
    const auto found = m_state.findDocument(request.param("DC"));
    if (!found)
        return missingDocument();
    if (found->account != request.param("UN"))
        return DeviceReply::html(403, "This belongs to another account");
    markReadIfAsked(request);
    return {200, found->document.contentType, found->document.content, {}};
}

DeviceReply DocumentPage::print(const DeviceRequest& request)
{
    const auto found = m_state.findDocument(request.param("DC"));
    if (!found)
        return missingDocument();
    if (auto refusal = BasicAuth::refuse(m_state, request, found->account))
        return *refusal;
    m_state.markPrinted(found->document.id);
    markReadIfAsked(request);
    return page("Printing", "<p>" + Markup::escape(found->document.title) + "</p>");
}

DeviceReply DocumentPage::remove(const DeviceRequest& request)
{
    const auto found = m_state.findDocument(request.param("DC"));
    if (!found)
        return missingDocument();
    if (auto refusal = BasicAuth::refuse(m_state, request, found->account))
        return *refusal;
    m_state.deleteDocument(found->document.id);
    return page("Deleted", "<p>" + Markup::escape(found->document.title) + "</p>");
}

DeviceReply DocumentPage::loginPage(const DeviceRequest& request) const
{
    return page("Login",
                "<form method=\"post\" action=\"/orvane.htm\"><input name=\"UN\" value=\""
                    + Markup::escape(request.param("UN"))
                    + "\"><input name=\"PW\" type=\"password\"><input type=\"submit\"></form>");
}

DeviceReply DocumentPage::notifiedPage(const DeviceRequest& request) const
{
    const auto account = m_state.account(request.param("UN"));
    if (!account)
        return DeviceReply::html(404, "No such user");
    std::string list = "<ul>";
    for (const Document& document : account->documents)
        list += "<li>" + Markup::escape(document.category + ": " + document.title) + "</li>";
    return page("Notified items of " + account->displayName, list + "</ul>");
}

DeviceReply DocumentPage::topPage() const
{
    return page(m_state.machine().name, "<p>Orvane device page</p>");
}

void DocumentPage::markReadIfAsked(const DeviceRequest& request)
{
    if (request.param("ISR") == "1")
        m_state.markRead(request.param("DC"));
}

} // namespace OrvaneDevSim
