#include "HTTP/Cmd.hpp"
#include "HTTP/Exceptions.hpp"
#include "HTTP/Net.hpp"
#include "HTTP/Parser.hpp"

#include "LocalServer.hpp"
#include "RawServer.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Orvane::HTTP;
using OrvaneTest::LocalServer;
using OrvaneTest::RawServer;

const Timeout Generous {5000, 0, 5000, 5000};
const Timeout Short {1000, 0, 300, 300};

std::string Header(const std::string& type, const std::string& length)
{
    return "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " + length
        + "\r\nConnection: close\r\n\r\n";
}

LocalServer::Setup Chunked(const std::string& type, std::vector<std::string> chunks)
{
    return [=](httplib::Server& server) {
        server.Get("/chunked", [=](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider(type.c_str(), [chunks](std::size_t, httplib::DataSink& sink) {
                for (const std::string& chunk : chunks)
                    sink.write(chunk.data(), chunk.size());
                sink.done();
                return true;
            });
        });
    };
}

void Get(Net& net, int port, const std::string& path, const Timeout& timeout = Generous)
{
    net.Open(port, false, timeout);
    net.Send(Net::GET, path, nullptr);
}

TEST(NetBodies, ChunkedAnswersAreAssembled)
{
    LocalServer server(
        Chunked("text/xml", {"<RESPONSE><RES", "ULT>SUCC", std::string(100000, ' '), "ESS</RESULT></RESPONSE>"}));
    Net net("127.0.0.1");
    Get(net, server.Port(), "/chunked");
    XML::Parser parser;
    net.RecvXml(parser);
    EXPECT_EQ("SUCC", parser.Search("RESULT")->GetString().substr(0, 4));
    Get(net, server.Port(), "/chunked");
    EXPECT_EQ(100000u + 45u, net.Recv()->size());
}

TEST(NetBodies, OversizedAnswersAreRefusedButDocumentsStream)
{
    const std::string big(Net::XmlLimit + 1, 'x');
    LocalServer server([&](httplib::Server& s) {
        Chunked("text/xml", {"<R>", big, "</R>"})(s);
        s.Get("/sized", [&](const httplib::Request&, httplib::Response& response) {
            response.set_content(big, "application/pdf");
        });
    });
    Net net("127.0.0.1");
    XML::Parser parser;
    Get(net, server.Port(), "/chunked"); // no length announced: the limit catches it on the way
    EXPECT_THROW(net.RecvXml(parser), InvalidResponse);
    Get(net, server.Port(), "/sized"); // length announced beyond the limit: refused at once
    EXPECT_THROW(net.Recv(), InvalidResponse);

    OrvaneTest::TempDir dir;
    Get(net, server.Port(), "/sized");
    net.RecvAndSaveFile((dir / "big.pdf").string());
    EXPECT_EQ(big.size(), boost::filesystem::file_size(dir / "big.pdf"));
}

TEST(NetBodies, ClaimedLengthsAreNotTrusted)
{
    OrvaneTest::TempDir dir;
    const auto file = dir / "doc.pdf";
    const std::vector<std::pair<std::string, std::function<void(Net&)>>> cases = {
        {Header("image/jpeg", "1000000000000") + "0123456789",
         [](Net& net) { EXPECT_THROW(net.Recv(), InvalidResponse); }},
        {Header("text/xml", "1000000000000") + "<R/>",
         [](Net& net) {
             XML::Parser parser;
             EXPECT_THROW(net.RecvXml(parser), InvalidResponse);
         }},
        {Header("image/jpeg", "100") + "0123456789", [](Net& net) { EXPECT_THROW(net.Recv(), Error); }},
        {Header("application/pdf", "1000000000000") + "0123456789",
         [&](Net& net) {
             EXPECT_THROW(net.RecvAndSaveFile(file.string()), Error);
             EXPECT_FALSE(boost::filesystem::exists(file)); // no truncated document left behind
         }},
        {Header("image/jpeg", "4") + "0123456789", [](Net& net) { EXPECT_EQ(4u, net.Recv()->size()); }},
    };
    for (const auto& [answer, check] : cases) {
        SCOPED_TRACE(answer);
        RawServer server({answer});
        Net net("127.0.0.1");
        Get(net, server.Port(), "/");
        check(net);
    }
}

TEST(NetBodies, UnwritableFileFails)
{
    RawServer server({Header("application/pdf", "3") + "abc"});
    Net net("127.0.0.1");
    Get(net, server.Port(), "/");
    EXPECT_THROW(net.RecvAndSaveFile("/nonexistent-folder/doc.pdf"), Error);
}

// A document lands whole or not at all; whatever stood at the path before stays until the new one is
// complete, and a link there is replaced, never followed.
TEST(NetBodies, DownloadsReplaceTheTargetOnlyWhenComplete)
{
    namespace fs = boost::filesystem;
    OrvaneTest::TempDir dir;
    const auto target = dir / "doc.pdf";
    const auto elsewhere = dir / "elsewhere";
    const auto download = [&](const std::string& answer) {
        RawServer server({answer});
        Net net("127.0.0.1");
        Get(net, server.Port(), "/");
        net.RecvAndSaveFile(target.string());
    };
    const auto onlyTarget = [&] {
        std::vector<std::string> names;
        for (const auto& item : fs::directory_iterator(dir.path()))
            names.push_back(item.path().filename().string());
        return names;
    };

    OrvaneTest::writeFile(target, "the earlier document");
    EXPECT_THROW(download(Header("application/pdf", "100") + "0123456789"), Error); // cut short
    EXPECT_THROW(download(Header("application/pdf", "3000000000") + "0123456789"), InvalidResponse); // too big
    EXPECT_EQ("the earlier document", OrvaneTest::readFile(target));
    EXPECT_EQ(std::vector<std::string> {"doc.pdf"}, onlyTarget()); // no partial file left beside it

    OrvaneTest::writeFile(elsewhere, "not to be touched");
    fs::remove(target);
    fs::create_symlink(elsewhere, target);
    EXPECT_THROW(download(Header("application/pdf", "100") + "0123456789"), Error);
    EXPECT_EQ("not to be touched", OrvaneTest::readFile(elsewhere));
    download(Header("application/pdf", "3") + "abc");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ("abc", OrvaneTest::readFile(target));
    EXPECT_EQ("not to be touched", OrvaneTest::readFile(elsewhere));
    struct stat status
    { };
    ::stat(target.c_str(), &status);
    EXPECT_EQ(0600u, status.st_mode & 0777);
}

TEST(NetTimeouts, DeviceThatNeverAnswersFails)
{
    RawServer silent({"", false, false});
    Net net("127.0.0.1");
    net.Open(silent.Port(), false, Short);
    EXPECT_THROW(net.Send(Net::GET, "/", nullptr), Error);

    // The request itself cannot be delivered: nobody reads it.
    Orvane::HTTP::Command::Cmd cmd;
    cmd << Command::Tag("REQUEST") << Command::BasicNode<std::string>("COMMAND", std::string(16 << 20, 'x'))
        << Command::ETag();
    net.Open(silent.Port(), false, Short);
    EXPECT_THROW(net.Send(Net::POST, "/cgi-bin/x.cgi", &cmd.Document()), Error);
}

TEST(NetTimeouts, BodyThatStopsFlowingFails)
{
    RawServer stalling({Header("image/jpeg", "100") + "0123456789", true});
    Net net("127.0.0.1");
    Get(net, stalling.Port(), "/", Short);
    EXPECT_THROW(net.Recv(), Error);

    RawServer headerOnly({"HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n", true});
    net.Open(headerOnly.Port(), false, Short);
    EXPECT_THROW(net.Send(Net::GET, "/", nullptr), Error);
}

// A device that sends a byte now and then never stalls, yet every exchange ends by its deadline:
// the header by connection, send and receive time-outs together, the body by one receive time-out.
TEST(NetTimeouts, TricklingDeviceIsCutOffByTheDeadline)
{
    const std::string slowHeader = Header("text/xml", "4") + "<R/>";
    const std::string slowBody = Header("image/jpeg", "100000") + std::string(100000, 'x');
    const auto timed = [](const std::function<void()>& exchange) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(exchange(), Error);
        return std::chrono::steady_clock::now() - start;
    };

    RawServer header({slowHeader, false, true, 20}); // 20 ms a byte: the header alone takes over a second
    Net net("127.0.0.1");
    net.Open(header.Port(), false, Timeout {200, 0, 200, 300});
    EXPECT_LT(timed([&] { net.Send(Net::GET, "/", nullptr); }), std::chrono::seconds(3));

    RawServer body({slowBody, false, true, 5});
    net.Open(body.Port(), false, Timeout {1000, 0, 1000, 300});
    EXPECT_LT(timed([&] {
                  net.Send(Net::GET, "/", nullptr);
                  net.Recv();
              }),
              std::chrono::seconds(4));
}

TEST(NetTimeouts, ConnectAttemptsAreBoundedAndRepeated)
{
    // A listener whose backlog is full drops further connection requests: connecting hangs.
    RawServer full({"", false, false});
    std::vector<int> fillers;
    for (int i = 0; i < 64; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(full.Port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        fillers.push_back(fd);
    }
    Net net("127.0.0.1");
    net.Open(full.Port(), false, Timeout {200, 2, 200, 200});
    EXPECT_THROW(net.Send(Net::GET, "/", nullptr), OpenFailure);
    for (const int fd : fillers)
        ::close(fd);
}

} // namespace
