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

namespace {

using namespace Orvane::HTTP;
using OrvaneTest::LocalServer;
namespace fs = boost::filesystem;

const Timeout Generous {5000, 0, 5000, 5000};

// A device with its own self-signed certificate.
class Device
{
public:
    Device(const OrvaneTest::TempDir& dir, const std::string& name)
        : m_certificate((dir / (name + ".crt")).string())
    {
        OrvaneTest::MakeSelfSignedCertificate(m_certificate, (dir / (name + ".key")).string());
        m_server = std::make_unique<LocalServer>(
            [this](httplib::Server& s) {
                s.Get("/", [this](const httplib::Request&, httplib::Response& response) {
                    ++m_requests;
                    response.set_content("hello", "text/plain");
                });
            },
            m_certificate, (dir / (name + ".key")).string());
    }

    int Port() const { return m_server->Port(); }
    int Requests() const { return m_requests; }

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
