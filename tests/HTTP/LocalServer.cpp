#include "LocalServer.hpp"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <stdexcept>

namespace OrvaneTest {

LocalServer::LocalServer(const Setup& setup)
    : m_server(std::make_unique<httplib::Server>())
{
    Run(setup);
}

LocalServer::LocalServer(const Setup& setup, const std::string& certificateFile, const std::string& keyFile, int port)
    : m_server(std::make_unique<httplib::SSLServer>(certificateFile.c_str(), keyFile.c_str()))
{
    Run(setup, port);
}

void LocalServer::Run(const Setup& setup, int port)
{
    setup(*m_server);
    // Listening starts here, so requests queue up before the serving thread gets going.
    if (port > 0)
        m_port = m_server->bind_to_port("127.0.0.1", port) ? port : -1;
    else
        m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        throw std::runtime_error("cannot listen on loopback");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
}

LocalServer::~LocalServer()
{
    m_server->stop();
    m_thread.join();
}

void MakeSelfSignedCertificate(const std::string& certificateFile, const std::string& keyFile)
{
    EVP_PKEY* key = EVP_EC_gen("P-256");
    X509* certificate = X509_new();
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate), 86400);
    X509_set_pubkey(certificate, key);
    X509_NAME* name = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("device"), -1, -1, 0);
    X509_set_issuer_name(certificate, name);
    X509_sign(certificate, key, EVP_sha256());

    FILE* out = std::fopen(certificateFile.c_str(), "w");
    PEM_write_X509(out, certificate);
    std::fclose(out);
    out = std::fopen(keyFile.c_str(), "w");
    PEM_write_PrivateKey(out, key, nullptr, nullptr, 0, nullptr, nullptr);
    std::fclose(out);
    X509_free(certificate);
    EVP_PKEY_free(key);
}

} // namespace OrvaneTest
