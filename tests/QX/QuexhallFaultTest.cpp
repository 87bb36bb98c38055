// How the device client fails when the device answers badly, slowly, or not at all.
#include "Device.hpp"

#include "HTTP/KnownDevices.hpp"
#include "QX/Config.hpp"
#include "QX/Exceptions.hpp"
#include "QX/Quexhall.hpp"

#include <gtest/gtest.h>

#include <functional>

using nlohmann::json;
using Orvane::QX::Quexhall;
using OrvaneTest::DevSim;
using namespace QXTest;
namespace HTTP = Orvane::HTTP;
namespace QX = Orvane::QX;

namespace {

class QuexhallFaultTest : public ::testing::Test
{
protected:
    void machineSettings() const { Quexhall(DeviceOf(devsim, false)).GetMachineSettings(Patient()); }
    void feed() const { Quexhall(DeviceOf(devsim, false)).GetRSSFeed(Alice(), L"/rss/alice.xml", Patient()); }

    DevSim devsim;
};

using Check = std::function<bool(const std::function<void()>&)>;

template <class E>
Check Is()
{
    return [](const std::function<void()>& call) { return Throws<E>(call); };
}

// Restores the process-wide time-outs a test installs.
class ScopedTimeouts
{
public:
    explicit ScopedTimeouts(const HTTP::Timeout& timeout)
        : m_old(QX::GetConfig())
    {
        QX::Config config;
        for (int set = 0; set < QX::Config::SetCount; ++set)
            config.Put(static_cast<QX::Config::Set>(set), timeout);
        QX::SetConfig(config);
    }
    ~ScopedTimeouts() { QX::SetConfig(m_old); }

private:
    QX::Config m_old;
};

} // namespace

TEST_F(QuexhallFaultTest, EachResultRaisesItsClass)
{
    const std::pair<const char*, Check> cases[] = {
        {"FAIL_MACHINE_BUSY", Is<QX::MachineBusy>()},
        {"FAIL_QX_NETWORK_MODE", Is<QX::InvalidMode>()},
        {"FAIL_AUTHENTICATE", Is<QX::AuthenticateFailure>()},
        {"FAIL_NO_FEED_REGISTERED", Is<QX::MissingRSSFeed>()},
        {"FAIL_LISTENPORT_UNREACHABLE", Is<QX::ListenPortUnreachable>()},
        {"FAIL_NO_SUCH_ENTRY", Is<QX::MissingEntry>()},
        {"FAIL_NO_SUCH_USER", Is<QX::MissingUser>()},
        {"SUCCESS ", Is<QX::InvalidResponse>()},
        {"success", Is<QX::InvalidResponse>()},
        {"FAIL_SOMETHING_NEW", Is<QX::InvalidResponse>()},
    };
    for (const auto& [result, check] : cases) {
        devsim.setFault("GetMachineSettings", {{"kind", "result"}, {"result", result}});
        EXPECT_TRUE(check([&] { machineSettings(); })) << result;
    }
    for (const char* failure : {"FAIL_MACHINE_BUSY", "FAIL_NO_SUCH_USER"}) {
        devsim.setFault("GetMachineSettings", {{"kind", "result"}, {"result", failure}});
        EXPECT_TRUE(Is<QX::ErrorResult>()([&] { machineSettings(); })) << failure;
    }
}

TEST_F(QuexhallFaultTest, BadAnswersRaiseTransportErrors)
{
    const std::pair<json, Check> cases[] = {
        {{{"kind", "status"}, {"status", 403}}, Is<HTTP::NoAuthority>()},
        {{{"kind", "status"}, {"status", 401}}, Is<HTTP::ServerError>()},
        {{{"kind", "status"}, {"status", 500}}, Is<HTTP::ServerError>()},
        {{{"kind", "html"}}, Is<HTTP::InvalidResponse>()},
        {{{"kind", "wrong-content-type"}}, Is<HTTP::InvalidResponse>()},
        {{{"kind", "malformed-xml"}}, Is<HTTP::Error>()},
        {{{"kind", "truncated"}}, Is<HTTP::Error>()},
        {{{"kind", "huge-length"}}, Is<HTTP::InvalidResponse>()},
        {{{"kind", "drop"}}, Is<HTTP::Error>()},
    };
    for (const auto& [fault, check] : cases) {
        devsim.setFault("GetMachineSettings", fault);
        EXPECT_TRUE(check([&] { machineSettings(); })) << fault;
        devsim.setFault("feed", fault);
        EXPECT_TRUE(check([&] { feed(); })) << fault;
    }
    devsim.setFault("feed", {{"kind", "status"}, {"status", 403}});
    EXPECT_FALSE(Is<QX::Error>()([&] { feed(); })) << "transport errors pass through unchanged";
}

TEST_F(QuexhallFaultTest, SlowOrSilentDeviceFailsWithinTheConfiguredTimeouts)
{
    const ScopedTimeouts quick({2000, 0, 300, 300});
    const Quexhall quexhall(DeviceOf(devsim, false));
    devsim.setFault("GetUserList", {{"kind", "delay"}, {"ms", 5000}});
    EXPECT_TRUE(Is<HTTP::Error>()([&] { quexhall.GetUserList(); }));
    devsim.setFault("GetUserList", {{"kind", "hang"}});
    EXPECT_TRUE(Is<HTTP::Error>()([&] { quexhall.GetUserList(); }));
    devsim.clearFaults();
    EXPECT_EQ(2u, quexhall.GetUserList()->size());
}

TEST_F(QuexhallFaultTest, UnreachableDeviceFailsToOpen)
{
    Orvane::MonitoredEntry::MFP mfp = DeviceOf(devsim, false);
    const int port = devsim.httpPort();
    devsim.stop();
    EXPECT_TRUE(Is<HTTP::OpenFailure>()([&] { Quexhall(mfp).GetMachineSettings(Patient()); })) << port;
    mfp.SetHTTP(boost::none);
    EXPECT_TRUE(Is<HTTP::OpenFailure>()([&] { Quexhall(mfp).GetMachineSettings(Patient()); }));
}

// Two simulators make two certificates: the second address is recorded with the first one's, as
// if the device had been seen before and now showed a new certificate.
TEST_F(QuexhallFaultTest, CertificateChangeAfterFirstUseIsRefused)
{
    Quexhall(DeviceOf(devsim, true)).GetMachineSettings(Patient());
    const HTTP::KnownDevices known = HTTP::KnownDevices::Default();
    const auto first = known.Fingerprint("127.0.0.1", devsim.httpsPort());
    ASSERT_TRUE(first) << "the first use recorded nothing";

    DevSim other;
    ASSERT_TRUE(known.Remember("127.0.0.1", other.httpsPort(), *first));
    EXPECT_TRUE(Is<HTTP::OpenFailure>()([&] { Quexhall(DeviceOf(other, true)).GetMachineSettings(Patient()); }));
    EXPECT_EQ(*first, known.Fingerprint("127.0.0.1", other.httpsPort()));
    Quexhall(DeviceOf(devsim, true)).GetMachineSettings(Patient());
}
