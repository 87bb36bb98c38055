#include "HTTP/Net.hpp"
#include "HTTP/Cmd.hpp"
#include "HTTP/Exceptions.hpp"
#include "HTTP/Parser.hpp"
#include "HTTP/Query.hpp"

#include "LocalServer.hpp"
#include "RawServer.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

namespace {

using namespace Orvane::HTTP;
using OrvaneTest::LocalServer;
using OrvaneTest::RawServer;

const Timeout Generous {5000, 0, 5000, 5000};
const std::string Answer = "<?xml version=\"1.0\"?><RESPONSE><RESULT>SUCCESS</RESULT></RESPONSE>";

void Get(Net& net, int port, const std::string& path, const Mcmd* query = nullptr, const Timeout& timeout = Generous)
{
    net.Open(port, false, timeout);
    net.Send(Net::GET, path, query);
}

// An answer of the given status, content type and body for every GET of "/answer".
LocalServer::Setup Answering(int status, const std::string& type, const std::string& body)
{
    return [=](httplib::Server& server) {
        server.Get("/answer", [=](const httplib::Request&, httplib::Response& response) {
            response.status = status;
            response.set_content(body, type.c_str());
        });
    };
}

TEST(Net, PostsTheCommandWithCredentialsAndParsesTheAnswer)
{
    Command::Cmd cmd;
    cmd << Command::Tag("REQUEST") << Command::BasicNode<std::string>("COMMAND", "GETUSERLIST") << Command::ETag();
    std::string received, contentType, authorization;
    LocalServer server([&](httplib::Server& s) {
        s.Post("/cgi-bin/user.cgi", [&](const httplib::Request& request, httplib::Response& response) {
            received = request.body;
            contentType = request.get_header_value("Content-Type");
            authorization = request.get_header_value("Authorization");
            response.set_content(Answer, "text/xml; charset=UTF-8");
        });
    });

    Net net("127.0.0.1");
    net.Open(server.Port(), false, Generous);
    net.SetCredentials("user", "pa:ss");
    net.Send(Net::POST, "/cgi-bin/user.cgi", &cmd.Document());
    EXPECT_EQ(Net::ContentType::XML, net.GetContentType());
    XML::Parser parser;
    net.RecvXml(parser);
    net.Close();

    EXPECT_EQ("SUCCESS", parser.Search("RESULT")->GetString());
    EXPECT_EQ(cmd.Document().ToXml(), received);
    EXPECT_EQ("text/xml; charset=UTF-8", contentType);
    EXPECT_EQ("Basic dXNlcjpwYTpzcw==", authorization);
}

TEST(Net, GetsWithTheQueryAndSavesTheDocument)
{
    const std::string pdf("%PDF-1.4\0\x01\xff binary", 19);
    std::string dc, un, target;
    LocalServer server([&](httplib::Server& s) {
        s.Get("/orvane.htm", [&](const httplib::Request& request, httplib::Response& response) {
            dc = request.get_param_value("DC");
            un = request.get_param_value("UN");
            target = request.target;
            response.set_content(pdf, "application/pdf");
        });
    });
    Query query;
    query.Add("IFM", "1");
    query.Add("DC", "doc 1&x=2");
    query.Add("UN", "山田");
    OrvaneTest::TempDir dir;
    const auto file = dir / "scan.pdf";

    Net net("127.0.0.1");
    Get(net, server.Port(), "/orvane.htm", &query.Document());
    EXPECT_EQ(Net::ContentType::PDF, net.GetContentType());
    net.RecvAndSaveFile(file.string());

    EXPECT_EQ("/orvane.htm?IFM=1&DC=doc%201%26x%3D2&UN=%E5%B1%B1%E7%94%B0", target);
    EXPECT_EQ("doc 1&x=2", dc);
    EXPECT_EQ("山田", un);
    EXPECT_EQ(pdf, OrvaneTest::readFile(file));
}

TEST(Net, ContentTypesComeFromTheHeader)
{
    const std::vector<std::pair<std::string, Net::ContentType>> cases = {
        {"text/xml", Net::ContentType::XML},
        {"application/xml; charset=Shift_JIS", Net::ContentType::XML},
        {"Text/XML ; charset=UTF-8", Net::ContentType::XML},
        {"image/jpeg", Net::ContentType::JPEG},
        {"application/pdf", Net::ContentType::PDF},
        {"image/tiff", Net::ContentType::TIFF},
        {"text/html", Net::ContentType::Other},
        {"application/xhtml+xml", Net::ContentType::Other},
        {"image/jpeg2000", Net::ContentType::Other},
    };
    for (const auto& [header, expected] : cases) {
        LocalServer server(Answering(200, header, "x"));
        Net net("127.0.0.1");
        Get(net, server.Port(), "/answer");
        EXPECT_EQ(expected, net.GetContentType()) << header;
        EXPECT_EQ(std::vector<unsigned char> {'x'}, *net.Recv()) << header;
    }
}

TEST(Net, StatusesOtherThan200Fail)
{
    const std::vector<std::pair<int, std::function<void(Net&)>>> cases = {
        {403, [](Net& net) { EXPECT_THROW(net.Send(Net::GET, "/answer", nullptr), NoAuthority); }},
        {401, [](Net& net) { EXPECT_THROW(net.Send(Net::GET, "/answer", nullptr), ServerError); }},
        {404, [](Net& net) { EXPECT_THROW(net.Send(Net::GET, "/answer", nullptr), ServerError); }},
        {500, [](Net& net) { EXPECT_THROW(net.Send(Net::GET, "/answer", nullptr), ServerError); }},
        {302, [](Net& net) { EXPECT_THROW(net.Send(Net::GET, "/answer", nullptr), ServerError); }},
    };
    for (const auto& [status, check] : cases) {
        SCOPED_TRACE(status);
        LocalServer server(Answering(status, "text/xml", Answer));
        Net net("127.0.0.1");
        net.Open(server.Port(), false, Generous);
        check(net);
        net.Close();
    }
}

TEST(Net, XmlExchangesRequireAnXmlAnswer)
{
    {
        LocalServer server(Answering(200, "text/html", "<html><body>login</body></html>"));
        Net net("127.0.0.1");
        Get(net, server.Port(), "/answer");
        XML::Parser parser;
        EXPECT_THROW(net.RecvXml(parser), InvalidResponse);
    }
    {
        LocalServer server(Answering(200, "text/xml", "<RESPONSE><RESULT>"));
        Net net("127.0.0.1");
        Get(net, server.Port(), "/answer");
        XML::Parser parser;
        try {
            net.RecvXml(parser);
            ADD_FAILURE() << "broken XML was accepted";
        } catch (const InvalidResponse&) {
            ADD_FAILURE() << "broken XML is a receive failure, not a wrong answer";
        } catch (const Error&) { }
        EXPECT_EQ(parser.End(), parser.Search("RESPONSE"));
    }
}

TEST(Net, OpensAgainAndKeepsExchangesApart)
{
    int requests = 0;
    LocalServer server([&](httplib::Server& s) {
        s.Get("/n", [&](const httplib::Request& request, httplib::Response& response) {
            response.set_content(std::to_string(++requests) + request.get_header_value("Authorization"), "text/plain");
        });
        s.Get("/empty", [](const httplib::Request&, httplib::Response& response) { response.status = 200; });
    });
    Net net("127.0.0.1");
    net.Open(server.Port(), false, Generous);
    net.SetCredentials("a", "b");
    net.Send(Net::GET, "/n", nullptr);
    // Opening again ends the earlier request, and its credentials with it.
    Get(net, server.Port(), "/n");
    EXPECT_EQ((std::vector<unsigned char> {'2'}), *net.Recv());
    net.Close();
    Get(net, server.Port(), "/empty");
    EXPECT_TRUE(net.Recv()->empty());
    EXPECT_THROW(net.Recv(), Error); // one answer per request
}

TEST(Net, UnreachableOrUnusableTargetsFail)
{
    Net net("127.0.0.1");
    EXPECT_THROW(net.Send(Net::GET, "/", nullptr), Error); // not open
    EXPECT_THROW(net.Open(0, false, Generous), OpenFailure);
    EXPECT_THROW(net.Send(Net::GET, "/", nullptr), Error);

    net.Open(OrvaneTest::ClosedPort(), false, Timeout {1000, 2, 1000, 1000});
    EXPECT_THROW(net.Send(Net::GET, "/", nullptr), OpenFailure);

    for (const char* host : {"", "a/b", "a b", "host@evil", "h\r\nX: y", "[]"})
        EXPECT_THROW(Net {host}, Error) << host;
    EXPECT_NO_THROW(Net("::1"));
    EXPECT_NO_THROW(Net("[::1]"));
}

TEST(Net, PathsCannotCarryRawBytesIntoTheRequest)
{
    std::string target;
    LocalServer server([&](httplib::Server& s) {
        s.Get(R"(/[\s\S]*)", [&](const httplib::Request& request, httplib::Response& response) {
            target = request.target;
            response.set_content("x", "text/plain");
        });
    });
    Net net("127.0.0.1");
    Get(net, server.Port(), "feed/rss 1\r\nX-Injected: 1?ifm=1");
    EXPECT_EQ("/feed/rss%201%0D%0AX-Injected:%201?ifm=1", target);
}

} // namespace
