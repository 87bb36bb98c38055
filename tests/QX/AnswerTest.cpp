// Command answers the simulator never gives, served as they stand by a loopback server.
#include "Device.hpp"

#include "QX/Exceptions.hpp"
#include "QX/Quexhall.hpp"

#include <httplib.h>

#include <gtest/gtest.h>

#include <thread>

using Orvane::QX::Quexhall;
using namespace QXTest;
namespace QX = Orvane::QX;

namespace {

// Answers every POST with one XML body.
class AnswerServer
{
public:
    explicit AnswerServer(const std::string& body)
    {
        m_server.Post(".*", [body](const httplib::Request&, httplib::Response& response) {
            response.set_content("<?xml version=\"1.0\"?><RESPONSE>" + body + "</RESPONSE>", "text/xml");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        OrvaneTest::waitUntil([this] { return m_server.is_running(); });
    }
    ~AnswerServer()
    {
        m_server.stop();
        m_thread.join();
    }

    Quexhall client() const
    {
        Orvane::MonitoredEntry::MFP mfp;
        mfp.SetHost(L"127.0.0.1");
        mfp.SetHTTP(m_port);
        return Quexhall(mfp);
    }

private:
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

const std::string Success = "<RESULT>SUCCESS</RESULT>";

std::string Users(int count)
{
    std::string users;
    for (int i = 1; i <= count; ++i)
        users += "<USER><DISPLAYNAME>User " + std::to_string(i) + "</DISPLAYNAME><USERNAME>u" + std::to_string(i)
            + "</USERNAME></USER>";
    return users;
}

} // namespace

TEST(Answer, MachineSettingsTakeOnlyTheKnownFlagValues)
{
    struct Case
    {
        std::string body;
        bool valid;
        bool securityPolicy;
        bool guestLogin;
    };
    const Case cases[] = {
        {"<SECURITYPOLICY>2</SECURITYPOLICY><GUESTLOGIN>1</GUESTLOGIN><MACHINENAME>M</MACHINENAME>", true, true, true},
        {"<SECURITYPOLICY>1</SECURITYPOLICY><GUESTLOGIN>0</GUESTLOGIN><MACHINENAME>M</MACHINENAME>", true, false,
         false},
        {"<SECURITYPOLICY>0</SECURITYPOLICY><GUESTLOGIN>0</GUESTLOGIN><MACHINENAME>M</MACHINENAME>", false},
        {"<SECURITYPOLICY>1</SECURITYPOLICY><GUESTLOGIN>2</GUESTLOGIN><MACHINENAME>M</MACHINENAME>", false},
        {"<SECURITYPOLICY>1</SECURITYPOLICY><GUESTLOGIN>0</GUESTLOGIN>", false},
        {"<GUESTLOGIN>0</GUESTLOGIN><MACHINENAME>M</MACHINENAME>", false},
    };
    for (const Case& c : cases) {
        AnswerServer server(Success + c.body);
        if (!c.valid) {
            EXPECT_TRUE(Throws<QX::InvalidResponse>([&] { server.client().GetMachineSettings(Patient()); })) << c.body;
            continue;
        }
        const auto settings = server.client().GetMachineSettings(Patient());
        EXPECT_EQ(c.securityPolicy, settings->SecurityPolicy) << c.body;
        EXPECT_EQ(c.guestLogin, settings->GuestLogin) << c.body;
        EXPECT_EQ("M", settings->MachineName);
    }
}

TEST(Answer, UserListIsEveryUserFromTheFirstToItsParentsEnd)
{
    EXPECT_TRUE(AnswerServer(Success + "<COUNT>0</COUNT>" + Users(2)).client().GetUserList(Patient())->empty());
    const auto users = AnswerServer(Success + "<COUNT>1</COUNT>" + Users(3)).client().GetUserList(Patient());
    ASSERT_EQ(3u, users->size());
    EXPECT_EQ(3, (*users)[2].Number);
    EXPECT_EQ("User 3", (*users)[2].DisplayName);
    EXPECT_EQ("u3", (*users)[2].UserName);

    for (const std::string body : {"<COUNT>2</COUNT>" + Users(3) + "<OTHER/>", "<COUNT>2</COUNT>",
                                   "<COUNT>1</COUNT><USER><USERNAME>u</USERNAME></USER>", Users(1)}) {
        AnswerServer server(Success + body);
        EXPECT_TRUE(Throws<QX::InvalidResponse>([&] { server.client().GetUserList(Patient()); })) << body;
    }
}

TEST(Answer, MissingResultOrAnswerElementIsAnInvalidResponse)
{
    for (const std::string body : {"<FEEDRSS>/rss/a.xml</FEEDRSS>", Success}) {
        AnswerServer server(body);
        EXPECT_TRUE(Throws<QX::InvalidResponse>([&] { server.client().SubscribeToRSSFeed(1, Alice(), Patient()); }))
            << body;
    }
    AnswerServer server(Success + "<FEEDRSS>/rss/a.xml</FEEDRSS>");
    EXPECT_EQ(L"/rss/a.xml", server.client().SubscribeToRSSFeed(1, Alice(), Patient()));
}
