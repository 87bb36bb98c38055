#pragma once

#include "HTTP/KnownDevices.hpp"
#include "HTTP/Mcmd.hpp"
#include "HTTP/Timeout.hpp"

#include <memory>
#include <string>
#include <vector>

namespace Orvane::HTTP {

namespace XML {
class Parser;
}

// One HTTP or HTTPS exchange with a device host: Open, optionally SetCredentials, Send, one of the
// receives (optionally after GetContentType), Close. It may be opened again after Close.
// The connection is made when the request is sent; a host that cannot be reached, or an HTTPS host
// that fails its trust record (another certificate than the recorded one, or no longer passing the
// authorities that once verified it, see PeerTrust), fails Send with HTTP::OpenFailure.
// Send ends by a deadline of all its connection attempts, the send and the receive time-out; a receive
// by one more receive time-out (longer for large bodies, see Transfer).
class Net
{
public:
    enum MethodTag { GET = 0, POST = 1 };
    enum class ContentType { JPEG = 0, PDF = 1, TIFF = 2, XML = 3, Other = 4 };

    // Answers larger than these are refused with HTTP::InvalidResponse.
    static constexpr std::size_t XmlLimit = 16u << 20;
    static constexpr std::size_t BytesLimit = 8u << 20;
    static constexpr std::size_t DocumentLimit = std::size_t(2) << 30;

    // HTTP::Error when host is no host name or address. HTTPS hosts are checked against the given
    // known devices, else against the program's own list (KnownDevices::Default).
    explicit Net(const std::string& host);
    Net(const std::string& host, KnownDevices knownDevices);
    ~Net();
    Net(const Net&) = delete;
    Net& operator=(const Net&) = delete;

    void Open(int port, bool ssl, const Timeout& timeout);
    // HTTP Basic authentication for the following request.
    void SetCredentials(const std::string& user, const std::string& password);
    // GET: document is a Query's document or null. POST: document is a Command::Cmd's document.
    // Throws HTTP::NoAuthority for status 403 and HTTP::ServerError for any other status but 200.
    void Send(MethodTag method, const std::string& path, const Mcmd* document);

    std::unique_ptr<std::vector<unsigned char>> Recv();
    // HTTP::InvalidResponse when the answer is not XML; HTTP::Error when it does not parse.
    void RecvXml(XML::Parser& parser);
    // Streams the body into a new file beside the target and renames it over the target once the
    // whole body is in; on failure nothing is left behind and an earlier file at the path stays.
    void RecvAndSaveFile(const std::string& path);

    ContentType GetContentType() const;
    void Close();

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::HTTP
