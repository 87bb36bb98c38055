#include "HTTP/Net.hpp"

#include "HTTP/Exceptions.hpp"
#include "HTTP/Parser.hpp"
#include "HTTP/PeerTrust.hpp"
#include "HTTP/PercentEncoding.hpp"
#include "HTTP/ReplacementFile.hpp"
#include "HTTP/Transfer.hpp"

#include <boost/optional.hpp>
#include <boost/throw_exception.hpp>

#include <algorithm>

namespace Orvane::HTTP {

namespace {

// A time-out that is not set must not mean waiting for ever.
constexpr std::chrono::milliseconds DefaultTimeout(30000);

std::chrono::milliseconds Effective(std::int32_t ms)
{
    return ms > 0 ? std::chrono::milliseconds(ms) : DefaultTimeout;
}

// Every connection attempt, then sending the request and waiting for the answer, each once; a day at
// most, whatever the settings say.
std::chrono::milliseconds Budget(const Transfer::Request& request, std::int32_t retry)
{
    const long long attempts = 1LL + std::max(retry, 0);
    const long long total = request.connect.count() * attempts + request.send.count() + request.receive.count();
    return std::chrono::milliseconds(std::min(total, 24LL * 3600 * 1000));
}

bool IsHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
        || c == '_' || c == ':' || c == '%';
}

// The host as it stands in an address: checked, so that nothing but the host can be smuggled into it,
// and bracketed when it is an IPv6 literal.
std::string AddressHost(const std::string& host)
{
    const bool bracketed = host.size() > 2 && host.front() == '[' && host.back() == ']';
    const std::string bare = bracketed ? host.substr(1, host.size() - 2) : host;
    if (bare.empty() || !std::all_of(bare.begin(), bare.end(), IsHostCharacter))
        BOOST_THROW_EXCEPTION(Error());
    return bare.find(':') == std::string::npos ? bare : '[' + bare + ']';
}

bool PrintableNonSpace(unsigned char c)
{
    return c > 0x20 && c < 0x7F;
}

// The path as the device gave it, with bytes an address cannot hold percent-encoded.
std::string AddressPath(const std::string& path)
{
    const std::string slash = path.empty() || path.front() != '/' ? "/" : "";
    return slash + PercentEncode(path, &PrintableNonSpace);
}

std::string MediaType(std::string header)
{
    header = header.substr(0, header.find(';'));
    const auto first = header.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    header = header.substr(first, header.find_last_not_of(" \t") - first + 1);
    for (char& c : header)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return header;
}

} // namespace

struct Net::Pimpl
{
    Pimpl(const std::string& host, boost::optional<KnownDevices> knownDevices)
        : host(host)
        , addressHost(AddressHost(host))
        , known(std::move(knownDevices))
    { }

    std::string host;
    std::string addressHost;
    boost::optional<KnownDevices> known; // the program's own list unless one is given
    Transfer transfer;
    boost::optional<PeerTrust> trust; // lives as long as the connection it checked

    bool open = false;
    bool sent = false;
    int port = 0;
    bool ssl = false;
    Timeout timeout;
    boost::optional<std::string> user;
    std::string password;

    Transfer::Request MakeRequest(MethodTag method, const std::string& path, const Mcmd* document)
    {
        Transfer::Request request;
        request.url = (ssl ? "https://" : "http://") + addressHost + ':' + std::to_string(port) + AddressPath(path);
        if (method == POST)
            request.body = document ? document->ToXml() : std::string();
        else if (document && !document->RenderQuery().empty())
            request.url += (path.find('?') == std::string::npos ? '?' : '&') + document->RenderQuery();
        request.user = user;
        request.password = password;
        request.connect = Effective(timeout.ConnectMs);
        request.send = Effective(timeout.SendMs);
        request.receive = Effective(timeout.RecvMs);
        request.deadline = std::chrono::steady_clock::now() + Budget(request, timeout.Retry);
        if (ssl) {
            trust.emplace(known ? *known : KnownDevices::Default(), host, port);
            request.trust = &*trust;
        }
        return request;
    }

    // Connection attempts: the first plus the configured retries. A device without a record that fails
    // verification under the authorities is no failed attempt: its certificate is then recorded on a
    // connection that sends nothing, and the request goes out on one that must show that certificate.
    void Exchange(const Transfer::Request& request)
    {
        for (int retries = std::max(timeout.Retry, 0);;) {
            const bool pinning = trust && trust->GetMode() == PeerTrust::FirstUse;
            const CURLcode code = transfer.Start(pinning ? Handshake(request) : request);
            if (code == CURLE_OK) {
                if (trust && !trust->Commit()) {
                    transfer.Abandon();
                    BOOST_THROW_EXCEPTION(OpenFailure());
                }
                if (!pinning)
                    return;
                continue;
            }
            if (transfer.Opened() && !pinning)
                BOOST_THROW_EXCEPTION(Error());
            if (trust && trust->Refused())
                BOOST_THROW_EXCEPTION(OpenFailure());
            if (trust && trust->GetMode() == PeerTrust::Authority && code == CURLE_PEER_FAILED_VERIFICATION) {
                if (!trust->FallBackToFirstUse())
                    BOOST_THROW_EXCEPTION(OpenFailure());
                continue;
            }
            if (retries-- == 0)
                BOOST_THROW_EXCEPTION(OpenFailure());
        }
    }

    static Transfer::Request Handshake(const Transfer::Request& request)
    {
        Transfer::Request handshake;
        handshake.url = request.url;
        handshake.connect = request.connect;
        handshake.send = request.send;
        handshake.receive = request.receive;
        handshake.deadline = request.deadline;
        handshake.trust = request.trust;
        handshake.connectOnly = true;
        return handshake;
    }

    void CheckStatus() const
    {
        const long status = transfer.Status();
        if (status == 403)
            BOOST_THROW_EXCEPTION(NoAuthority());
        if (status != 200)
            BOOST_THROW_EXCEPTION(ServerError());
    }

    // Bodies are taken as they arrive, never by the length the device announces.
    void Receive(std::size_t limit, const Transfer::Sink& sink)
    {
        if (!sent)
            BOOST_THROW_EXCEPTION(Error());
        const long long announced = transfer.AnnouncedLength();
        if (announced > 0 && static_cast<unsigned long long>(announced) > limit) {
            transfer.Abandon();
            BOOST_THROW_EXCEPTION(InvalidResponse());
        }
        std::size_t total = 0;
        const CURLcode code = transfer.Receive([&](const char* data, std::size_t size) {
            total += size;
            return total <= limit && sink(data, size);
        });
        sent = false;
        if (code == CURLE_OK)
            return;
        if (transfer.SinkRefused() && total > limit)
            BOOST_THROW_EXCEPTION(InvalidResponse());
        BOOST_THROW_EXCEPTION(Error());
    }
};

Net::Net(const std::string& host)
    : m_pimpl(std::make_shared<Pimpl>(host, boost::none))
{ }

Net::Net(const std::string& host, KnownDevices knownDevices)
    : m_pimpl(std::make_shared<Pimpl>(host, std::move(knownDevices)))
{ }

Net::~Net()
{
    Close();
}

void Net::Open(int port, bool ssl, const Timeout& timeout)
{
    Close();
    if (port <= 0 || port > 65535)
        BOOST_THROW_EXCEPTION(OpenFailure());
    m_pimpl->port = port;
    m_pimpl->ssl = ssl;
    m_pimpl->timeout = timeout;
    m_pimpl->open = true;
}

void Net::SetCredentials(const std::string& user, const std::string& password)
{
    m_pimpl->user = user;
    m_pimpl->password = password;
}

void Net::Send(MethodTag method, const std::string& path, const Mcmd* document)
{
    if (!m_pimpl->open)
        BOOST_THROW_EXCEPTION(Error());
    m_pimpl->sent = false;
    m_pimpl->Exchange(m_pimpl->MakeRequest(method, path, document));
    m_pimpl->sent = true;
    m_pimpl->CheckStatus();
}

std::unique_ptr<std::vector<unsigned char>> Net::Recv()
{
    auto body = std::make_unique<std::vector<unsigned char>>();
    m_pimpl->Receive(BytesLimit, [&](const char* data, std::size_t size) {
        body->insert(body->end(), data, data + size);
        return true;
    });
    return body;
}

void Net::RecvXml(XML::Parser& parser)
{
    parser.Document().Clear();
    std::vector<char> body;
    m_pimpl->Receive(XmlLimit, [&](const char* data, std::size_t size) {
        body.insert(body.end(), data, data + size);
        return true;
    });
    if (GetContentType() != ContentType::XML)
        BOOST_THROW_EXCEPTION(InvalidResponse());
    if (!parser.Document().ParseXml(body.data(), body.size()))
        BOOST_THROW_EXCEPTION(Error());
}

void Net::RecvAndSaveFile(const std::string& path)
{
    ReplacementFile file(path);
    m_pimpl->Receive(DocumentLimit, [&file](const char* data, std::size_t size) { return file.Write(data, size); });
    file.Commit();
}

Net::ContentType Net::GetContentType() const
{
    const std::string type = MediaType(m_pimpl->transfer.ContentTypeHeader());
    if (type == "text/xml" || type == "application/xml")
        return ContentType::XML;
    if (type == "image/jpeg")
        return ContentType::JPEG;
    if (type == "application/pdf")
        return ContentType::PDF;
    if (type == "image/tiff")
        return ContentType::TIFF;
    return ContentType::Other;
}

void Net::Close()
{
    if (!m_pimpl->open)
        return;
    m_pimpl->transfer.Abandon();
    m_pimpl->trust.reset();
    m_pimpl->open = m_pimpl->sent = false;
    m_pimpl->user.reset();
    m_pimpl->password.clear();
}

} // namespace Orvane::HTTP
