#include "HTTP/Exceptions.hpp"
#include "HTTP/KnownDevices.hpp"
#include "HTTP/Net.hpp"

#include "LocalServer.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <openssl/pem.h>
#include <openssl/x509.h>

#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>

namespace {

using namespace Orvane::HTTP;
using OrvaneTest::LocalServer;
namespace fs = boost::filesystem;

const Timeout Generous {5000, 0, 5000, 5000};

// A device on loopback, by default with its own self-signed certificate. It counts the requests
// it is sent and those that carried credentials.
class Device
{
public:
    Device(const OrvaneTest::TempDir& dir, const std::string& name)
        : Device((dir / (name + ".crt")).string(), (dir / (name + ".key")).string(), 0, true)
    { }

    Device(const std::string& certificate, const std::string& key, int port, bool selfSigned = false)
        : m_certificate(certificate)
    {
        if (selfSigned)
            OrvaneTest::MakeSelfSignedCertificate(certificate, key);
        m_server = std::make_unique<LocalServer>(
            [this](httplib::Server& s) {
                s.Get("/", [this](const httplib::Request& request, httplib::Response& response) {
                    ++m_requests;
                    if (request.has_header("Authorization"))
                        ++m_credentials;
                    response.set_content("hello", "text/plain");
                });
            },
            certificate, key, port);
    }

    int Port() const { return m_server->Port(); }
    int Requests() const { return m_requests; }
    int Credentials() const { return m_credentials; }

    std::string Fingerprint() const
    {
        FILE* in = std::fopen(m_certificate.c_str(), "r");
        X509* certificate = PEM_read_X509(in, nullptr, nullptr, nullptr);
        std::fclose(in);
        unsigned char digest[32];
        unsigned int size = 0;
        X509_digest(certificate, EVP_sha256(), digest, &size);
        X509_free(certificate);
        std::string text;
        char hex[4];
        for (unsigned int i = 0; i < size; ++i) {
            std::snprintf(hex, sizeof hex, i ? ":%02X" : "%02X", digest[i]);
            text += hex;
        }
        return text;
    }

private:
    std::string m_certificate;
    std::atomic<int> m_requests {0};
    std::atomic<int> m_credentials {0};
    std::unique_ptr<LocalServer> m_server;
};

std::string Fetch(const KnownDevices& known, int port)
{
    Net net("127.0.0.1", known);
    net.Open(port, true, Generous);
    net.SetCredentials("user", "secret");
    net.Send(Net::GET, "/", nullptr);
    const auto body = net.Recv();
    return std::string(body->begin(), body->end());
}

// A throwaway authority (its certificate is the bundle of trusted authorities) and a device
// certificate for 127.0.0.1 that it signed, made by the openssl tool.
struct Authority
{
    explicit Authority(const OrvaneTest::TempDir& dir)
        : bundle((dir / "authority.crt").string())
        , certificate((dir / "signed.crt").string())
        , key((dir / "signed.key").string())
    {
        const std::string newKey = "openssl req -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes ";
        const std::string script = "cd '" + dir.path().string() + "' && " + newKey
            + "-x509 -days 1 -keyout authority.key -out authority.crt -subj /CN=Throwaway-Authority && " + newKey
            + "-keyout signed.key -out signed.csr -subj /CN=127.0.0.1 && "
              "printf 'subjectAltName=IP:127.0.0.1\\nbasicConstraints=CA:FALSE\\n' > signed.ext && "
              "openssl x509 -req -in signed.csr -CA authority.crt -CAkey authority.key -CAcreateserial "
              "-days 1 -extfile signed.ext -out signed.crt";
        if (std::system((script + " >/dev/null 2>&1").c_str()) != 0)
            throw std::runtime_error("openssl could not make the authority");
    }

    std::string bundle;
    std::string certificate;
    std::string key;
};

// Trusts the authorities of one bundle while it lives.
class TrustedAuthorities
{
public:
    explicit TrustedAuthorities(const std::string& bundle) { ::setenv("SSL_CERT_FILE", bundle.c_str(), 1); }
    ~TrustedAuthorities() { ::unsetenv("SSL_CERT_FILE"); }
};

unsigned Mode(const fs::path& path)
{
    struct stat status
    { };
    ::stat(path.c_str(), &status);
    return status.st_mode & 0777;
}

TEST(Trust, FirstUseRecordsThenOnlyThatCertificatePasses)
{
    OrvaneTest::TempDir dir;
    const KnownDevices known(dir / "new" / "folder" / "known_devices");
    Device device(dir, "first");

    EXPECT_EQ("hello", Fetch(known, device.Port()));
    const std::string line = "127.0.0.1:" + std::to_string(device.Port()) + ' ' + device.Fingerprint() + '\n';
    EXPECT_EQ(line, OrvaneTest::readFile(known.File()));
    EXPECT_EQ(0600u, Mode(known.File()));
    EXPECT_EQ(0700u, Mode(known.File().parent_path()));

    EXPECT_EQ("hello", Fetch(known, device.Port())); // the same certificate again
    EXPECT_EQ(line, OrvaneTest::readFile(known.File()));
    EXPECT_EQ(2, device.Requests());
    EXPECT_EQ(2, device.Credentials());
}

// The review's scenario: a device the authorities vouched for is replaced, on its address and port,
// by one with a self-signed certificate. It must not be taken on first use nor see the credentials.
TEST(Trust, DeviceVerifiedByAnAuthorityIsNeverTakenOnFirstUseAfterwards)
{
    OrvaneTest::TempDir dir;
    const Authority authority(dir);
    const TrustedAuthorities trusted(authority.bundle);
    const KnownDevices known(dir / "known_devices");
    int port = 0;
    {
        Device genuine(authority.certificate, authority.key, 0);
        port = genuine.Port();
        EXPECT_EQ("hello", Fetch(known, port));
        EXPECT_EQ(1, genuine.Credentials());
    }
    const std::string record = "127.0.0.1:" + std::to_string(port) + " authority\n";
    EXPECT_EQ(record, OrvaneTest::readFile(known.File()));

    Device impostor((dir / "impostor.crt").string(), (dir / "impostor.key").string(), port, true);
    ASSERT_EQ(port, impostor.Port());
    EXPECT_THROW(Fetch(known, port), OpenFailure);
    EXPECT_EQ(0, impostor.Requests());
    EXPECT_EQ(record, OrvaneTest::readFile(known.File()));

    Device back(authority.certificate, authority.key, 0); // the same device elsewhere still passes
    EXPECT_EQ("hello", Fetch(known, back.Port()));
}

// A device taken on first use is recorded before any request goes to it: when the record cannot be
// written, the device has seen neither the request nor the credentials.
TEST(Trust, FirstUseRecordsBeforeTheRequestGoesOut)
{
    OrvaneTest::TempDir dir;
    OrvaneTest::writeFile(dir / "not-a-folder", "");
    const KnownDevices unwritable(dir / "not-a-folder" / "known_devices");
    Device device(dir, "device");
    EXPECT_THROW(Fetch(unwritable, device.Port()), OpenFailure);
    EXPECT_EQ(0, device.Requests());
}

TEST(Trust, AnotherCertificateIsRefusedUntilForgotten)
{
    OrvaneTest::TempDir dir;
    const KnownDevices known(dir / "known_devices");
    Device impostor(dir, "impostor");
    const std::string recorded = "127.0.0.1:" + std::to_string(impostor.Port()) + " 00:11:22\n";
    OrvaneTest::writeFile(known.File(), recorded);

    EXPECT_THROW(Fetch(known, impostor.Port()), OpenFailure);
    EXPECT_EQ(0, impostor.Requests()); // refused inside the handshake: no request, no credentials went out
    EXPECT_EQ(recorded, OrvaneTest::readFile(known.File()));

    OrvaneTest::writeFile(known.File(), "");
    EXPECT_EQ("hello", Fetch(known, impostor.Port()));
    EXPECT_EQ("127.0.0.1:" + std::to_string(impostor.Port()) + ' ' + impostor.Fingerprint() + '\n',
              OrvaneTest::readFile(known.File()));
}

TEST(Trust, DevicesAreKnownByHostAndPort)
{
    OrvaneTest::TempDir dir;
    const KnownDevices known(dir / "known_devices");
    OrvaneTest::writeFile(known.File(), "127.0.0.1:4430 AA\n127.0.0.10:443 BB\n# 127.0.0.1:443 CC\n127.0.0.1:443 DD\n");
    EXPECT_EQ(std::string("DD"), known.Fingerprint("127.0.0.1", 443).value_or(""));
    EXPECT_EQ(std::string("AA"), known.Fingerprint("127.0.0.1", 4430).value_or(""));
    EXPECT_FALSE(known.Fingerprint("127.0.0.1", 44));
    EXPECT_TRUE(known.Remember("127.0.0.1", 443, "DD"));
    EXPECT_FALSE(known.Remember("127.0.0.1", 443, "EE"));
}

TEST(Trust, ByDefaultDevicesAreRecordedInTheProgramFolder)
{
    OrvaneTest::TempDir dir;
    Device device(dir, "device");
    Net net("127.0.0.1");
    net.Open(device.Port(), true, Generous);
    net.Send(Net::GET, "/", nullptr);

    const fs::path folder = fs::path(std::getenv("XDG_DATA_HOME")) / "Brantel" / "Orvane";
    EXPECT_EQ(folder / "known_devices", KnownDevices::Default().File());
    EXPECT_NE(std::string::npos,
              OrvaneTest::readFile(folder / "known_devices")
                  .find("127.0.0.1:" + std::to_string(device.Port()) + ' ' + device.Fingerprint() + '\n'));
    EXPECT_EQ(0700u, Mode(folder));
    EXPECT_EQ(0600u, Mode(folder / "known_devices"));
}

} // namespace
