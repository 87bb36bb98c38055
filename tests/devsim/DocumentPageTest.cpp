#include "DeviceCalls.hpp"

#include <gtest/gtest.h>

using OrvaneTest::DevSim;

namespace {

class DocumentPageTest : public ::testing::Test
{
protected:
    nlohmann::json document(const std::string& id)
    {
        const nlohmann::json state = devsim.state();
        for (const auto& account : state["accounts"])
            for (const auto& document : account["documents"])
                if (document["id"] == id)
                    return document;
        return nullptr;
    }

    static std::string page(const std::string& ifm, const std::string& id, const std::string& user,
                            const std::string& isr = "")
    {
        return "/orvane.htm?IFM=" + ifm + "&DC=" + id + "&UN=" + user + (isr.empty() ? "" : "&ISR=" + isr);
    }

    int status(const httplib::Result& answer)
    {
        EXPECT_TRUE(answer);
        return answer ? answer->status : 0;
    }

    DevSim devsim;
    DeviceCalls calls {devsim};
};

} // namespace

TEST_F(DocumentPageTest, DownloadAnswersTheDocumentWithItsContentType)
{
    struct Case
    {
        std::string contentType;
        std::string magic;
    };
    for (const Case& c : {Case {"application/pdf", "%PDF-"}, Case {"image/tiff", std::string("II*\0", 4)},
                          Case {"image/jpeg", "\xFF\xD8\xFF"}}) {
        const std::string id = devsim.addDocument("alice", "Doc", c.contentType);
        const auto answer = calls.get(page("1", id, "alice", "0"));
        ASSERT_EQ(200, status(answer)) << c.contentType;
        EXPECT_EQ(c.contentType, answer->get_header_value("Content-Type"));
        EXPECT_EQ(c.magic, answer->body.substr(0, c.magic.size())) << c.contentType;
    }
    const std::string given = devsim.addDocument("alice", "Given", "application/pdf", {{"content", "exact bytes"}});
    EXPECT_EQ("exact bytes", calls.get(page("1", given, "alice"))->body);
}

TEST_F(DocumentPageTest, DownloadMarksReadOnlyWhenAsked)
{
    const std::string id = devsim.addDocument("alice", "Doc");
    ASSERT_EQ(200, status(calls.get(page("1", id, "alice", "0"))));
    EXPECT_FALSE(document(id)["read"].get<bool>());
    ASSERT_EQ(200, status(calls.get(page("1", id, "alice", "1"))));
    EXPECT_TRUE(document(id)["read"].get<bool>());

    EXPECT_EQ(403, status(calls.get(page("1", id, "bob"))));
    EXPECT_EQ(404, status(calls.get(page("1", "NOPE", "alice"))));
}

TEST_F(DocumentPageTest, PrintNeedsTheOwnersCredentials)
{
    const std::string id = devsim.addDocument("alice", "Doc");
    EXPECT_EQ(401, status(calls.get(page("2", id, "alice", "1"))));
    EXPECT_EQ(403, status(calls.get(page("2", id, "alice", "1"), "bob", "bob-pass")));
    EXPECT_EQ(0, document(id)["printCount"].get<int>());
    EXPECT_FALSE(document(id)["read"].get<bool>());

    EXPECT_EQ(200, status(calls.get(page("2", id, "alice", "1"), "alice", "alice-pass")));
    EXPECT_EQ(1, document(id)["printCount"].get<int>());
    EXPECT_TRUE(document(id)["read"].get<bool>());
}

TEST_F(DocumentPageTest, DeleteRefusesAnotherAccount)
{
    const std::string id = devsim.addDocument("alice", "Doc");
    EXPECT_EQ(401, status(calls.get(page("5", id, "alice"), "alice", "wrong")));
    EXPECT_EQ(403, status(calls.get(page("5", id, "bob"), "bob", "bob-pass")));
    EXPECT_FALSE(document(id).is_null());

    EXPECT_EQ(200, status(calls.get(page("5", id, "alice"), "alice", "alice-pass")));
    EXPECT_TRUE(document(id).is_null());
    EXPECT_EQ(404, status(calls.get(page("5", id, "alice"), "alice", "alice-pass")));
}

TEST_F(DocumentPageTest, BrowserPagesAreHtml)
{
    devsim.addDocument("alice", "Listed title");
    for (const std::string target : {"/orvane.htm?IFM=3&UN=alice", "/orvane.htm?IFM=4&UN=alice", "/orvane.htm"}) {
        const auto answer = calls.get(target);
        ASSERT_EQ(200, status(answer)) << target;
        EXPECT_EQ(0u, answer->get_header_value("Content-Type").find("text/html")) << target;
    }
    EXPECT_NE(std::string::npos, calls.get("/orvane.htm?IFM=4&UN=alice")->body.find("Listed title"));
}
