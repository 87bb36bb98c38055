#include "Certificate.hpp"

#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <stdexcept>

namespace OrvaneDevSim {

namespace {

std::unique_ptr<FILE, int (*)(FILE*)> openFile(const std::string& path)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "r"), std::fclose);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    return file;
}

void require(bool done, const char* step)
{
    if (!done)
        throw std::runtime_error(std::string("cannot make the certificate: ") + step);
}

void addExtension(X509* certificate, int id, const std::string& value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, id, value.c_str());
    require(extension != nullptr, "extension");
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
}

} // namespace

Certificate::Certificate(X509* certificate, EVP_PKEY* key)
    : m_certificate(certificate, X509_free)
    , m_key(key, EVP_PKEY_free)
{
    require(certificate && key, "missing certificate or key");
}

Certificate Certificate::load(const std::string& certificatePath, const std::string& keyPath)
{
    X509* certificate = PEM_read_X509(openFile(certificatePath).get(), nullptr, nullptr, nullptr);
    EVP_PKEY* key = PEM_read_PrivateKey(openFile(keyPath).get(), nullptr, nullptr, nullptr);
    if (!certificate || !key) {
        X509_free(certificate);
        EVP_PKEY_free(key);
        throw std::runtime_error("cannot read the PEM certificate or key");
    }
    return Certificate(certificate, key);
}

Certificate Certificate::selfSigned(const std::string& address)
{
    // An EC key: quick to make at every start, and every TLS client accepts it.
    EVP_PKEY* key = EVP_EC_gen("P-256");
    require(key != nullptr, "key");
    Certificate result(X509_new(), key);
    sign(result.certificate(), key, address);
    return result;
}

void Certificate::sign(X509* certificate, EVP_PKEY* key, const std::string& address)
{
    require(X509_set_version(certificate, 2) == 1, "version");
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate), 60L * 60 * 24 * 365);
    require(X509_set_pubkey(certificate, key) == 1, "public key");
    X509_NAME* name = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("Orvane devsim"), -1, -1,
                               0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(address.c_str()), -1,
                               -1, 0);
    require(X509_set_issuer_name(certificate, name) == 1, "issuer");
    addExtension(certificate, NID_subject_alt_name, "IP:" + address);
    addExtension(certificate, NID_basic_constraints, "critical,CA:FALSE");
    require(X509_sign(certificate, key, EVP_sha256()) > 0, "signature");
}

} // namespace OrvaneDevSim
