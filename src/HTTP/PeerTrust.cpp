#include "HTTP/PeerTrust.hpp"

#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <curl/curl.h>

namespace Orvane::HTTP {

namespace {

std::string Sha256Fingerprint(X509* certificate)
{
    static const char Hex[] = "0123456789ABCDEF";
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!certificate || X509_digest(certificate, EVP_sha256(), digest, &size) != 1)
        return std::string();
    std::string text;
    for (unsigned int i = 0; i < size; ++i) {
        if (i)
            text += ':';
        text += Hex[digest[i] >> 4];
        text += Hex[digest[i] & 0xF];
    }
    return text;
}

} // namespace

PeerTrust::PeerTrust(KnownDevices store, std::string host, int port)
    : m_store(std::move(store))
    , m_host(std::move(host))
    , m_port(port)
    , m_mode(Authority)
{
    const auto record = m_store.Record(m_host, m_port);
    m_recorded = static_cast<bool>(record);
    if (record && *record != KnownDevices::AuthorityMark) {
        m_mode = Pinned;
        m_expected = *record;
    }
}

bool PeerTrust::FallBackToFirstUse()
{
    if (m_recorded) {
        m_refused = true;
        return false;
    }
    m_mode = FirstUse;
    return true;
}

bool PeerTrust::Commit()
{
    if (m_recorded)
        return true;
    if (m_mode == Authority) {
        m_recorded = true;
        return m_store.RememberAuthority(m_host, m_port);
    }
    if (m_mode != FirstUse || m_seen.empty())
        return true;
    m_recorded = true;
    m_mode = Pinned;
    m_expected = m_seen;
    return m_store.Remember(m_host, m_port, m_seen);
}

int PeerTrust::ConfigureContext(void*, void* sslContext, void* self)
{
    auto* trust = static_cast<PeerTrust*>(self);
    if (trust->m_mode == Authority)
        return CURLE_OK; // libcurl verifies chain and host name itself
    auto* context = static_cast<SSL_CTX*>(sslContext);
    // Our check replaces chain verification; SSL_VERIFY_PEER makes its verdict end the handshake.
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, nullptr);
    SSL_CTX_set_cert_verify_callback(
        context, [](X509_STORE_CTX* store, void* arg) { return CheckPeer(store, arg); }, trust);
    return CURLE_OK;
}

int PeerTrust::CheckPeer(void* storeContext, void* self)
{
    auto* trust = static_cast<PeerTrust*>(self);
    const std::string seen = Sha256Fingerprint(X509_STORE_CTX_get0_cert(static_cast<X509_STORE_CTX*>(storeContext)));
    if (seen.empty())
        return 0;
    if (trust->m_mode == Pinned && seen != trust->m_expected) {
        trust->m_refused = true;
        return 0;
    }
    trust->m_seen = seen;
    return 1;
}

} // namespace Orvane::HTTP
