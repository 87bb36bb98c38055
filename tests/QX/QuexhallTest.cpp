// Every operation of the device client against the simulated device, over HTTP and over HTTPS.
#include "Device.hpp"
#include "UdpSocket.hpp"

#include "QX/Exceptions.hpp"
#include "QX/Quexhall.hpp"
#include "System/Text.hpp"

#include <gtest/gtest.h>

using nlohmann::json;
using Orvane::QX::Quexhall;
using OrvaneTest::DevSim;
using OrvaneTest::waitUntil;
using namespace QXTest;

namespace {

class QuexhallTest : public ::testing::TestWithParam<bool>
{
protected:
    Quexhall client() const { return Quexhall(DeviceOf(devsim, GetParam())); }

    json document(const std::string& id) const
    {
        for (const json& account : devsim.state()["accounts"])
            for (const json& document : account["documents"])
                if (document["id"] == id)
                    return document;
        return json();
    }

    // The last request the device saw for an operation.
    json lastRequest(const std::string& operation) const
    {
        json found;
        for (const json& entry : devsim.requestLog())
            if (entry["operation"] == operation)
                found = entry;
        return found;
    }

    // Carol's password holds what XML would have to escape, and the end of a CDATA section.
    static json config()
    {
        json config = DevSim::defaultConfig();
        config["accounts"].push_back({{"id", "carol"}, {"password", "p<a&ss]]>"}, {"displayName", "Carol"}});
        return config;
    }

    OrvaneTest::TempDir folder;
    DevSim devsim {config()};
};

std::wstring Wide(const std::string& text)
{
    return Orvane::System::FromANSI(text);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Scheme, QuexhallTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "HTTPS" : "HTTP"; });

TEST_P(QuexhallTest, ReadsMachineSettingsUsersAndUserInfo)
{
    devsim.renameMachine("Floor 3 MFP");
    const auto settings = client().GetMachineSettings(Patient());
    EXPECT_EQ("Floor 3 MFP", settings->MachineName);
    EXPECT_FALSE(settings->SecurityPolicy);
    EXPECT_FALSE(settings->GuestLogin);

    const auto users = client().GetUserList(Patient());
    ASSERT_EQ(3u, users->size());
    EXPECT_EQ(1, (*users)[0].Number);
    EXPECT_EQ("Alice", (*users)[0].DisplayName);
    EXPECT_EQ("alice", (*users)[0].UserName);
    EXPECT_EQ(2, (*users)[1].Number);
    EXPECT_EQ("bob", (*users)[1].UserName);
    EXPECT_EQ(3, (*users)[2].Number);

    devsim.renameAccount("alice", "アリス");
    EXPECT_EQ("アリス", client().GetUserInfo(Alice(), Patient())->DisplayName);
    // The account goes by its ID, never its display name.
    EXPECT_NE(std::string::npos, lastRequest("GetUserInfo")["body"].get<std::string>().find(">alice<"));
    EXPECT_TRUE(Throws<Orvane::QX::MissingUser>([&] { client().GetUserInfo(Account(L"carol", L"x"), Patient()); }));
}

TEST_P(QuexhallTest, SubscribedFeedSignalsANewDocumentThatTheFeedThenShows)
{
    UdpSocket listener;
    const std::wstring location = client().SubscribeToRSSFeed(listener.port(), Alice(), Patient());
    EXPECT_EQ(L"/rss/alice.xml", location);
    EXPECT_EQ(0u, client().GetRSSFeed(Alice(), location, Patient())->GetItemList().size());

    const std::string id = devsim.addDocument("alice", "Scan 東京", "application/pdf", {{"category", "Scan"}});
    std::string sender;
    ASSERT_TRUE(waitUntil([&] { return !(sender = listener.take()).empty(); })) << "no change signal";
    EXPECT_EQ("127.0.0.1", sender);

    const auto feed = client().GetRSSFeed(Alice(), location, Patient());
    ASSERT_EQ(1u, feed->GetItemList().size());
    const Orvane::RSS::Item& item = feed->GetItemList()[0];
    EXPECT_EQ("Scan 東京", item.GetTitle());
    EXPECT_EQ("Scan", item.GetCategory());
    EXPECT_EQ(id, item.GetGuid());
    EXPECT_NE(std::string::npos, item.GetDescription().find("/thumbnail.jpg?DC=")) << item.GetDescription();

    const auto thumbnail = client().GetThumbnail(Alice(), Wide(item.GetDescription()), Patient());
    const Orvane::QX::Bitmap& bitmap = thumbnail->GetBitmap();
    EXPECT_GT(bitmap.Width, 0);
    EXPECT_EQ(static_cast<std::size_t>(bitmap.Width) * bitmap.Height * 3, bitmap.Pixels.size());
    EXPECT_EQ("DC=" + id + "&ifm=1", lastRequest("thumbnail")["query"]);

    client().UnsubscribeToRSSFeed(Alice(), Patient());
    EXPECT_TRUE(devsim.state()["accounts"][0]["subscribers"].empty());
    EXPECT_TRUE(Throws<Orvane::QX::MissingRSSFeed>([&] { client().UnsubscribeToRSSFeed(Alice(), Patient()); }));
}

TEST_P(QuexhallTest, SubscribingSendsThePasswordAndRefusesAWrongOne)
{
    UdpSocket listener;
    EXPECT_EQ(L"/rss/carol.xml",
              client().SubscribeToRSSFeed(listener.port(), Account(L"carol", L"p<a&ss]]>"), Patient()));
    EXPECT_TRUE(Throws<Orvane::QX::AuthenticateFailure>(
        [&] { client().SubscribeToRSSFeed(listener.port(), Account(L"carol", L"p<a&ss"), Patient()); }));
}

TEST_P(QuexhallTest, DocumentActionsReachTheDocumentPage)
{
    const std::string pdf = "%PDF-1.4 simulated";
    const std::string id = devsim.addDocument("alice", "Doc", "application/pdf", {{"content", pdf}});
    Quexhall quexhall = client();

    std::wstring path = Wide((folder / "scan.txt").string());
    quexhall.DownloadDocument(Alice(), Wide(id), path, Patient());
    EXPECT_EQ(Wide((folder / "scan.txt.pdf").string()), path);
    EXPECT_EQ(pdf, OrvaneTest::readFile(Orvane::System::ToANSI(path)));
    EXPECT_EQ("IFM=1&DC=" + id + "&UN=alice&ISR=0", lastRequest("download")["query"]);
    EXPECT_FALSE(document(id)["read"].get<bool>());

    quexhall.SetMarkAsRead(true);
    quexhall.PrintDocument(Alice(), Wide(id), Patient());
    EXPECT_EQ(1, document(id)["printCount"].get<int>());
    EXPECT_TRUE(document(id)["read"].get<bool>());
    EXPECT_EQ("IFM=2&DC=" + id + "&UN=alice&ISR=1", lastRequest("print")["query"]);

    quexhall.DeleteDocument(Alice(), Wide(id), Patient());
    EXPECT_TRUE(document(id).is_null());
    EXPECT_EQ("IFM=5&DC=" + id + "&UN=alice", lastRequest("delete")["query"]);
}

TEST_P(QuexhallTest, RequestedDocumentIsSavedUnderTheExtensionOfItsType)
{
    const std::string tiff = "II*\0simulated";
    const std::string id = devsim.addDocument("alice", "Fax", "image/tiff", {{"content", tiff}});
    Quexhall quexhall = client();
    quexhall.RequestDocument(Alice(), Wide(id), Patient());
    EXPECT_EQ(L".tif", quexhall.GetDocumentExtension());
    const std::wstring path = Wide((folder / "fax.tif").string());
    quexhall.SaveDocument(path);
    EXPECT_EQ(tiff, OrvaneTest::readFile(Orvane::System::ToANSI(path)));

    std::wstring upper = Wide((folder / "fax.TIFF").string());
    quexhall.DownloadDocument(Alice(), Wide(id), upper, Patient());
    EXPECT_EQ(Wide((folder / "fax.TIFF").string()), upper);
}

TEST_P(QuexhallTest, AnotherAccountsDocumentOrWrongPasswordIsRefused)
{
    const std::string id = devsim.addDocument("bob", "Bob's");
    std::wstring path = Wide((folder / "x.pdf").string());
    EXPECT_TRUE(
        Throws<Orvane::HTTP::NoAuthority>([&] { client().DownloadDocument(Alice(), Wide(id), path, Patient()); }));
    EXPECT_FALSE(boost::filesystem::exists(folder / "x.pdf"));
    EXPECT_TRUE(Throws<Orvane::HTTP::NoAuthority>([&] { client().PrintDocument(Alice(), Wide(id), Patient()); }));
    EXPECT_TRUE(Throws<Orvane::HTTP::ServerError>(
        [&] { client().DeleteDocument(Account(L"bob", L"wrong"), Wide(id), Patient()); }));
    EXPECT_FALSE(document(id).is_null());
}
