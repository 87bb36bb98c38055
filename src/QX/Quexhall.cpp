#include "QX/Quexhall.hpp"

#include "../Config.hpp" // Orvane::Config, for the listening port
#include "HTTP/Cmd.hpp"
#include "HTTP/Net.hpp"
#include "HTTP/Parser.hpp"
#include "HTTP/Query.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"
#include "QX/AnalyzeRSSFeed.hpp"
#include "QX/Config.hpp"
#include "QX/DocumentFile.hpp"
#include "QX/Exceptions.hpp"
#include "System/Shell.hpp"
#include "System/Text.hpp"

#include <boost/throw_exception.hpp>

#include <map>

namespace Orvane::QX {

namespace {

using HTTP::XML::Parser;
using namespace HTTP::Command;

const char* const DocumentPage = "/orvane.htm";

template <class Failure>
[[noreturn]] void Raise()
{
    BOOST_THROW_EXCEPTION(Failure());
}

// Every RESULT but "SUCCESS" that the device may answer, and what it means here.
const std::map<std::string, void (*)()>& Failures()
{
    static const std::map<std::string, void (*)()> failures = {
        {"FAIL_MACHINE_BUSY", &Raise<MachineBusy>},
        {"FAIL_QX_NETWORK_MODE", &Raise<InvalidMode>},
        {"FAIL_AUTHENTICATE", &Raise<AuthenticateFailure>},
        {"FAIL_NO_FEED_REGISTERED", &Raise<MissingRSSFeed>},
        {"FAIL_LISTENPORT_UNREACHABLE", &Raise<ListenPortUnreachable>},
        {"FAIL_NO_SUCH_ENTRY", &Raise<MissingEntry>},
        {"FAIL_NO_SUCH_USER", &Raise<MissingUser>},
    };
    return failures;
}

HTTP::Timeout TimeoutOf(Config::Set set)
{
    return GetConfig().Get(set);
}

std::string NameOf(const MonitoredEntry::User& user)
{
    return System::ToANSI(user.GetID());
}

std::string PasswordOf(const MonitoredEntry::User& user)
{
    return System::ToANSI(user.GetPassword().GetPlainText());
}

Parser::Iterator Require(const Parser& parser, const char* name)
{
    const Parser::Iterator found = parser.Search(name);
    if (found == parser.End())
        BOOST_THROW_EXCEPTION(InvalidResponse());
    return found;
}

Parser::Iterator RequireChild(const Parser::Iterator& at, const char* name)
{
    const Parser::Iterator found = Parser::FindChild(at, name);
    if (found == Parser::Iterator())
        BOOST_THROW_EXCEPTION(InvalidResponse());
    return found;
}

void CheckResult(const Parser& answer)
{
    const std::string result = Require(answer, "RESULT")->GetString();
    if (result == "SUCCESS")
        return;
    const auto failure = Failures().find(result);
    if (failure == Failures().end())
        BOOST_THROW_EXCEPTION(InvalidResponse());
    failure->second();
}

// A decimal answer that must be one of two values: the first gives false, the second true.
bool Flag(const Parser& answer, const char* name, long no, long yes)
{
    const long value = Require(answer, name)->GetDecimal();
    if (value != no && value != yes)
        BOOST_THROW_EXCEPTION(InvalidResponse());
    return value == yes;
}

Cmd Request(const std::string& command)
{
    Cmd cmd;
    cmd << Tag("REQUEST") << BasicNode<std::string>("COMMAND", command);
    return cmd;
}

Cmd RequestForUser(const std::string& command, const MonitoredEntry::User& user)
{
    Cmd cmd = Request(command);
    cmd << Tag("PARAM") << BasicNode<std::string>("USERNAME", NameOf(user)) << ETag();
    return cmd;
}

std::vector<User> UsersFrom(const Parser& answer)
{
    std::vector<User> users;
    for (Parser::Iterator at = Require(answer, "USER"); at != answer.End(); ++at) {
        User user;
        user.Number = static_cast<int>(users.size()) + 1;
        user.DisplayName = RequireChild(at, "DISPLAYNAME")->GetStringOrEmpty();
        user.UserName = RequireChild(at, "USERNAME")->GetString();
        users.push_back(std::move(user));
    }
    return users;
}

// The address from its third "/" on: what the device itself is asked for, whatever host the
// address names. An address without a query parameter "ifm" asks for it.
std::string ThumbnailPath(std::wstring url)
{
    if (url.find(L"ifm") == std::wstring::npos)
        url += url.find(L'?') == std::wstring::npos ? L"?ifm=1" : L"&ifm=1";
    const std::string narrow = System::ToANSI(url);
    std::size_t at = std::string::npos;
    for (int slash = 0; slash < 3; ++slash) {
        at = narrow.find('/', at == std::string::npos ? 0 : at + 1);
        if (at == std::string::npos)
            return std::string();
    }
    return narrow.substr(at);
}

} // namespace

struct Quexhall::Pimpl
{
    explicit Pimpl(const MonitoredEntry::MFP& mfp)
        : host(System::ToANSI(mfp.GetHost()))
        , net(host)
        , port((mfp.IsSSL() ? mfp.GetHTTPS() : mfp.GetHTTP()).value_or(0))
        , ssl(mfp.IsSSL())
    { }

    std::string host;
    HTTP::Net net;
    int port;
    bool ssl;
    bool markAsRead = false;

    Parser Exchange(const std::string& page, const Cmd& cmd, const HTTP::Timeout& timeout)
    {
        Parser answer;
        net.Open(port, ssl, timeout);
        net.Send(HTTP::Net::POST, "/cgi-bin/" + page + ".cgi", &cmd.Document());
        net.RecvXml(answer);
        net.Close();
        CheckResult(answer);
        return answer;
    }

    // Opens a document page request; credentials only where the device wants them.
    void SendDocumentAction(const HTTP::Query& query, const HTTP::Timeout& timeout,
                            const MonitoredEntry::User* credentials)
    {
        net.Open(port, ssl, timeout);
        if (credentials)
            net.SetCredentials(NameOf(*credentials), PasswordOf(*credentials));
        net.Send(HTTP::Net::GET, DocumentPage, &query.Document());
    }

    HTTP::Query DocumentQuery(const char* ifm, const std::wstring& documentId, const MonitoredEntry::User& user,
                              bool withMarkAsRead) const
    {
        HTTP::Query query;
        query.Add("IFM", ifm);
        query.Add("DC", System::ToANSI(documentId));
        query.Add("UN", NameOf(user));
        if (withMarkAsRead)
            query.Add("ISR", markAsRead ? "1" : "0");
        return query;
    }

    void Fetch(const MonitoredEntry::User& user, const std::string& path, const HTTP::Timeout& timeout)
    {
        net.Open(port, ssl, timeout);
        net.SetCredentials(NameOf(user), PasswordOf(user));
        net.Send(HTTP::Net::GET, path, nullptr);
    }

    std::string PageURL() const
    {
        const bool defaultPort = port == (ssl ? 443 : 80);
        const std::string authority = defaultPort ? host : host + ':' + std::to_string(port);
        return std::string(ssl ? "https" : "http") + "://" + authority + DocumentPage;
    }
};

Quexhall::Quexhall(const MonitoredEntry::MFP& mfp)
    : m_pimpl(std::make_shared<Pimpl>(mfp))
{ }

bool Quexhall::IsMarkAsRead() const
{
    return m_pimpl->markAsRead;
}

void Quexhall::SetMarkAsRead(bool markAsRead)
{
    m_pimpl->markAsRead = markAsRead;
}

std::unique_ptr<MachineSettings> Quexhall::GetMachineSettings() const
{
    return GetMachineSettings(TimeoutOf(Config::MachineSettings));
}

std::unique_ptr<MachineSettings> Quexhall::GetMachineSettings(const HTTP::Timeout& timeout) const
{
    Cmd cmd = Request("GETMACHINESETTINGS");
    cmd << ETag();
    const Parser answer = m_pimpl->Exchange("GetMachineSettings", cmd, timeout);
    auto settings = std::make_unique<MachineSettings>();
    settings->SecurityPolicy = Flag(answer, "SECURITYPOLICY", 1, 2);
    settings->GuestLogin = Flag(answer, "GUESTLOGIN", 0, 1);
    settings->MachineName = Require(answer, "MACHINENAME")->GetStringOrEmpty();
    return settings;
}

std::unique_ptr<UserInfo> Quexhall::GetUserInfo(const MonitoredEntry::User& user) const
{
    return GetUserInfo(user, TimeoutOf(Config::UserInfo));
}

std::unique_ptr<UserInfo> Quexhall::GetUserInfo(const MonitoredEntry::User& user, const HTTP::Timeout& timeout) const
{
    Cmd cmd = RequestForUser("GETUSERINFO", user);
    cmd << ETag();
    const Parser answer = m_pimpl->Exchange("GetUserInfo", cmd, timeout);
    auto info = std::make_unique<UserInfo>();
    info->DisplayName = Require(answer, "DISPLAYNAME")->GetStringOrEmpty();
    return info;
}

std::unique_ptr<std::vector<User>> Quexhall::GetUserList() const
{
    return GetUserList(TimeoutOf(Config::UserList));
}

std::unique_ptr<std::vector<User>> Quexhall::GetUserList(const HTTP::Timeout& timeout) const
{
    Cmd cmd = Request("GETUSERLIST");
    cmd << ETag();
    const Parser answer = m_pimpl->Exchange("GetUserList", cmd, timeout);
    if (Require(answer, "COUNT")->GetDecimal() == 0)
        return std::make_unique<std::vector<User>>();
    return std::make_unique<std::vector<User>>(UsersFrom(answer));
}

std::wstring Quexhall::SubscribeToRSSFeed(const MonitoredEntry::User& user) const
{
    return SubscribeToRSSFeed(Orvane::Config::GetCurrent().Port, user, TimeoutOf(Config::Subscribe));
}

std::wstring Quexhall::SubscribeToRSSFeed(int port, const MonitoredEntry::User& user,
                                          const HTTP::Timeout& timeout) const
{
    Cmd cmd = Request("SUBSCRIBETOFEED");
    cmd << Tag("PARAM") << BasicNode<std::string>("USERNAME", NameOf(user));
    cmd.MarkNext();
    cmd << BasicNode<std::string>("PASSWORD", PasswordOf(user)) << BasicNode<long>("LISTENPORT", port) << ETag()
        << ETag();
    const Parser answer = m_pimpl->Exchange("SubscribeToFeed", cmd, timeout);
    return System::FromANSI(Require(answer, "FEEDRSS")->GetString());
}

void Quexhall::UnsubscribeToRSSFeed(const MonitoredEntry::User& user) const
{
    UnsubscribeToRSSFeed(user, TimeoutOf(Config::Unsubscribe));
}

void Quexhall::UnsubscribeToRSSFeed(const MonitoredEntry::User& user, const HTTP::Timeout& timeout) const
{
    Cmd cmd = RequestForUser("UNSUBSCRIBETOFEED", user);
    cmd << ETag();
    m_pimpl->Exchange("UnSubscribeToFeed", cmd, timeout);
}

std::unique_ptr<RSS::RSSFeed> Quexhall::GetRSSFeed(const MonitoredEntry::User& user, const std::wstring& location)
{
    return GetRSSFeed(user, location, TimeoutOf(Config::RSSFeed));
}

std::unique_ptr<RSS::RSSFeed> Quexhall::GetRSSFeed(const MonitoredEntry::User& user, const std::wstring& location,
                                                   const HTTP::Timeout& timeout)
{
    m_pimpl->Fetch(user, System::ToANSI(location), timeout);
    Parser answer;
    m_pimpl->net.RecvXml(answer);
    m_pimpl->net.Close();
    return AnalyzeRSSFeed()(answer);
}

std::unique_ptr<MemoryImage> Quexhall::GetThumbnail(const MonitoredEntry::User& user, const std::wstring& url)
{
    return GetThumbnail(user, url, TimeoutOf(Config::Thumbnail));
}

std::unique_ptr<MemoryImage> Quexhall::GetThumbnail(const MonitoredEntry::User& user, const std::wstring& url,
                                                    const HTTP::Timeout& timeout)
{
    m_pimpl->Fetch(user, ThumbnailPath(url), timeout);
    auto bytes = m_pimpl->net.Recv();
    m_pimpl->net.Close();
    return std::make_unique<MemoryImage>(std::move(bytes));
}

void Quexhall::OpenWebPage(const MonitoredEntry::User& user, int mode) const
{
    HTTP::Query query;
    query.Add("IFM", std::to_string(mode));
    query.Add("UN", NameOf(user));
    System::OpenWithQuery(m_pimpl->PageURL(), query);
}

void Quexhall::DownloadDocument(const MonitoredEntry::User& user, const std::wstring& documentId, std::wstring& path)
{
    DownloadDocument(user, documentId, path, TimeoutOf(Config::DownloadImage));
}

void Quexhall::DownloadDocument(const MonitoredEntry::User& user, const std::wstring& documentId, std::wstring& path,
                                const HTTP::Timeout& timeout)
{
    RequestDocument(user, documentId, timeout);
    DocumentFile::AdjustPath(path, GetDocumentExtension());
    SaveDocument(path);
}

void Quexhall::RequestDocument(const MonitoredEntry::User& user, const std::wstring& documentId)
{
    RequestDocument(user, documentId, TimeoutOf(Config::DownloadImage));
}

void Quexhall::RequestDocument(const MonitoredEntry::User& user, const std::wstring& documentId,
                               const HTTP::Timeout& timeout)
{
    m_pimpl->SendDocumentAction(m_pimpl->DocumentQuery("1", documentId, user, true), timeout, nullptr);
}

std::wstring Quexhall::GetDocumentExtension() const
{
    return DocumentFile::Extension(m_pimpl->net.GetContentType());
}

void Quexhall::SaveDocument(const std::wstring& path)
{
    m_pimpl->net.RecvAndSaveFile(System::ToANSI(path));
    m_pimpl->net.Close();
}

void Quexhall::PrintDocument(const MonitoredEntry::User& user, const std::wstring& documentId)
{
    PrintDocument(user, documentId, TimeoutOf(Config::Print));
}

void Quexhall::PrintDocument(const MonitoredEntry::User& user, const std::wstring& documentId,
                             const HTTP::Timeout& timeout)
{
    m_pimpl->SendDocumentAction(m_pimpl->DocumentQuery("2", documentId, user, true), timeout, &user);
    m_pimpl->net.Close();
}

void Quexhall::DeleteDocument(const MonitoredEntry::User& user, const std::wstring& documentId)
{
    DeleteDocument(user, documentId, TimeoutOf(Config::Delete));
}

void Quexhall::DeleteDocument(const MonitoredEntry::User& user, const std::wstring& documentId,
                              const HTTP::Timeout& timeout)
{
    m_pimpl->SendDocumentAction(m_pimpl->DocumentQuery("5", documentId, user, false), timeout, &user);
    m_pimpl->net.Close();
}

} // namespace Orvane::QX
