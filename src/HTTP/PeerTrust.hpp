#pragma once

#include "HTTP/KnownDevices.hpp"

#include <string>

namespace Orvane::HTTP {

// Whom one HTTPS connection attempt trusts. A device recorded in the known devices must show the
// recorded certificate. Any other host is first verified against the trusted authorities; when that
// fails, the next attempt trusts it on first use and records its certificate once the exchange works.
// The certificate is checked inside the handshake, before a single byte of the request goes out.
class PeerTrust
{
public:
    enum Mode { Authority, Pinned, FirstUse };

    PeerTrust(KnownDevices store, std::string host, int port);

    Mode GetMode() const { return m_mode; }
    // After a verification failure under Authority: the next attempt trusts on first use.
    void FallBackToFirstUse();
    // The attempt failed because the device showed a certificate other than the recorded one.
    bool Refused() const { return m_refused; }
    // After a successful exchange: records the certificate seen on first use. False when another
    // connection recorded a different one meanwhile.
    bool Commit();

    // Installed as the handshake's SSL context hook (CURLOPT_SSL_CTX_FUNCTION / _DATA).
    static int ConfigureContext(void* curl, void* sslContext, void* self);

private:
    static int CheckPeer(void* storeContext, void* self);

    KnownDevices m_store;
    std::string m_host;
    int m_port;
    Mode m_mode;
    std::string m_expected;
    std::string m_seen;
    bool m_refused = false;
};

} // namespace Orvane::HTTP
