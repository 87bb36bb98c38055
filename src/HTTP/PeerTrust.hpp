#pragma once

#include "HTTP/KnownDevices.hpp"

#include <string>

namespace Orvane::HTTP {

// Whom one HTTPS connection trusts, by the known devices' record of the device. A device trusted on
// first use must show the recorded certificate; one recorded as verified by an authority must pass
// the trusted authorities again. A device without a record is first verified against the
// authorities: when that works it is recorded as such; when it fails, a connection that carries
// nothing of the request records its certificate (first use), and the request follows on a connection
// that must show that certificate. So credentials only ever go to a device checked against a record
// or an authority. The certificate is checked inside the handshake, before any byte of a request.
class PeerTrust
{
public:
    enum Mode { Authority, Pinned, FirstUse };

    PeerTrust(KnownDevices store, std::string host, int port);

    Mode GetMode() const { return m_mode; }
    // After a verification failure under Authority: the next connection trusts on first use. False
    // when the device is on record as verified by an authority: it is refused instead.
    bool FallBackToFirstUse();
    // The attempt failed because the device showed a certificate other than the recorded one.
    bool Refused() const { return m_refused; }
    // After a successful connection: records how the device was trusted, when it had no record; on
    // first use the certificate seen becomes the one later connections must show. False when another
    // connection recorded something else meanwhile.
    bool Commit();

    // Installed as the handshake's SSL context hook (CURLOPT_SSL_CTX_FUNCTION / _DATA).
    static int ConfigureContext(void* curl, void* sslContext, void* self);

private:
    static int CheckPeer(void* storeContext, void* self);

    KnownDevices m_store;
    std::string m_host;
    int m_port;
    Mode m_mode;
    bool m_recorded = false;
    std::string m_expected;
    std::string m_seen;
    bool m_refused = false;
};

} // namespace Orvane::HTTP
