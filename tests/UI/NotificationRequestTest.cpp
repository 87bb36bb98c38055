#include "UI/NotificationRequest.hpp"

#include "UI/PreviewFolders.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"
#include "support/TestSupport.hpp"

#include "DocumentFixture.hpp"

#include <gtest/gtest.h>

#include <QDBusArgument>

#include <boost/filesystem/operations.hpp>

#include <ctime>

namespace {

using namespace Orvane;
using namespace OrvaneTest;
using UI::NotificationRequest;

class NotificationRequestTest : public ::testing::Test, public DocumentFixture
{ };

TEST_F(NotificationRequestTest, CarriesTheEventTheThumbnailAndTheActionsTheServerHas)
{
    configure(true, false, 3000);
    const auto request = addDocument();
    const UI::EventThumbnail thumbnail = UI::EventThumbnail::Fetch(request.event);
    const QStringList withActions {QStringLiteral("actions"), QStringLiteral("body")};
    const NotificationRequest full(request, thumbnail, withActions);
    EXPECT_EQ(QStringLiteral("Scan - DevSim MFP"), full.GetSummary());
    EXPECT_TRUE(full.GetBody().startsWith(QStringLiteral("Alice\nReport\n"))) << full.GetBody().toStdString();
    EXPECT_EQ((QStringList {NotificationRequest::Details, UI::Text(Utility::StringId::Detail),
                            NotificationRequest::Viewer, UI::Text(Utility::StringId::MenuEventLog),
                            NotificationRequest::Preview, UI::Text(Utility::StringId::Preview),
                            NotificationRequest::Print, UI::Text(Utility::StringId::Print)}),
              full.GetActions());
    EXPECT_EQ(3000, full.GetEraseTime());
    EXPECT_TRUE(full.IsMarkRead());
    ASSERT_TRUE(full.GetHints().contains(QStringLiteral("image-data")));
    const QDBusArgument image = full.GetHints().value(QStringLiteral("image-data")).value<QDBusArgument>();
    EXPECT_EQ(QStringLiteral("(iiibiiay)"), image.currentSignature());
    const QVariantList arguments = full.Arguments();
    ASSERT_EQ(8, arguments.size());
    EXPECT_EQ(3000, arguments.at(7).toInt());

    // No actions on the server, no picture of a document that is gone, and markup escaped.
    const auto notice = addNotice(L"<b>Toner</b> & more");
    const NotificationRequest plain(notice, UI::EventThumbnail::Fetch(notice.event), {QStringLiteral("body-markup")});
    EXPECT_TRUE(plain.GetActions().isEmpty());
    EXPECT_FALSE(plain.GetHints().contains(QStringLiteral("image-data")));
    EXPECT_NE(-1, plain.GetBody().indexOf(QStringLiteral("&lt;b&gt;Toner&lt;/b&gt; &amp; more")));
}

TEST(PreviewFoldersTest, RemovesOnlyPreviewFoldersOlderThanTheLimit)
{
    namespace fs = boost::filesystem;
    const TempDir folder;
    const std::time_t old = std::time(nullptr) - 8 * 24 * 3600;
    for (const char* name : {"2026120195959100000000", "2026121011111100000000", "notes", "ABCDEF012"})
        fs::create_directory(folder / name);
    writeFile(folder / "2026120195959100000000" / "prev.pdf", "x");
    for (const char* name : {"2026120195959100000000", "notes", "ABCDEF012"})
        fs::last_write_time(folder / name, old);
    UI::PreviewFolders::RemoveExpired(folder.path().string());
    EXPECT_FALSE(fs::exists(folder / "2026120195959100000000"));
    EXPECT_FALSE(fs::exists(folder / "ABCDEF012"));
    EXPECT_TRUE(fs::exists(folder / "2026121011111100000000")); // recent
    EXPECT_TRUE(fs::exists(folder / "notes")); // not a preview folder
}

} // namespace
