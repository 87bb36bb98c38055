#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <memory>
#include <string>

namespace OrvaneDevSim {

// The HTTPS server's certificate and private key: loaded from PEM files, or a self-signed pair
// made at start for the address the simulator listens on.
class Certificate
{
public:
    static Certificate load(const std::string& certificatePath, const std::string& keyPath);
    static Certificate selfSigned(const std::string& address);

    X509* certificate() const { return m_certificate.get(); }
    EVP_PKEY* key() const { return m_key.get(); }

private:
    Certificate(X509* certificate, EVP_PKEY* key);
    static void sign(X509* certificate, EVP_PKEY* key, const std::string& address);

    std::shared_ptr<X509> m_certificate;
    std::shared_ptr<EVP_PKEY> m_key;
};

} // namespace OrvaneDevSim
