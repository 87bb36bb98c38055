#include "UI/EventDlg.hpp"

#include "System/Folders.hpp"
#include "System/Text.hpp"
#include "UI/DocumentSaver.hpp"
#include "UI/SaveDownload.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"
#include "support/TestSupport.hpp"

#include "DocumentFixture.hpp"
#include "FileDialogRecorder.hpp"
#include "MessageBoxRecorder.hpp"
#include "System/ScopedEnvironment.hpp"
#include "UiFixtures.hpp"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <boost/filesystem/operations.hpp>

namespace {

using namespace Orvane;
using namespace OrvaneTest;
namespace Id = Utility::StringId;
namespace fs = boost::filesystem;
using Icon = UI::MessageBoxSeam::Icon;

// Files the save worker left in the temporary folder.
std::vector<std::string> temporaryFiles()
{
    std::vector<std::string> found;
    for (const auto& item : fs::directory_iterator(System::GetTempDir()))
        if (item.path().filename().string().rfind("~OV", 0) == 0)
            found.push_back(item.path().string());
    return found;
}

class EventDlgTest : public ::testing::Test, public DocumentFixture
{
protected:
    EventDlgTest()
        : opener("ORVANE_OPEN_COMMAND", (folder / "open").string())
    {
        writeFile(folder / "open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >>'" + (folder / "opened").string() + "'\n");
        fs::permissions(folder / "open", fs::perms(0755));
    }

    UI::EventDlg& open(const UI::EventDlg::Target& target)
    {
        dialog = std::make_unique<UI::EventDlg>(target);
        return *dialog;
    }

    template <class Widget = QPushButton>
    Widget* control(const char* name) const
    {
        return dialog->findChild<Widget*>(QLatin1String(name));
    }

    std::vector<std::uint32_t> messages() const
    {
        std::vector<std::uint32_t> ids;
        for (const auto& [id, icon] : boxes.shown)
            ids.push_back(id);
        return ids;
    }

    std::string opened() const { return fs::exists(folder / "opened") ? readFile(folder / "opened") : std::string(); }

    TempDir folder;
    ScopedEnvironment opener;
    MessageBoxRecorder boxes;
    FileDialogRecorder files;
    std::unique_ptr<UI::EventDlg> dialog;
};

TEST_F(EventDlgTest, ShowsTheEventWithItsThumbnailOrTheShorterLayoutWithoutDocument)
{
    configure(true, false);
    const auto withDocument = addDocument();
    UI::EventDlg& details = open(withDocument);
    details.adjustSize();
    EXPECT_EQ(UI::Text(Id::EventDlgTitle), details.windowTitle());
    EXPECT_EQ(QStringLiteral("DevSim MFP"), control<QLabel>("deviceValue")->text());
    EXPECT_EQ(QStringLiteral("Alice"), control<QLabel>("accountValue")->text());
    EXPECT_EQ(QStringLiteral("Scan"), control<QLabel>("categoryValue")->text());
    EXPECT_EQ(QStringLiteral("1") + UI::Text(Id::CountUnit), control<QLabel>("countText")->text());
    EXPECT_TRUE(control<QLabel>("countText")->font().bold());
    EXPECT_TRUE(control("loginButton")->isHidden()); // the entry is not monitored
    EXPECT_TRUE(control<QCheckBox>("markReadCheck")->isChecked());
    const QPixmap picture = control<QLabel>("thumbnail")->pixmap();
    EXPECT_EQ(QSize(48, 64), picture.size()); // smaller than its frame: never enlarged
    for (const char* name : {"previewButton", "printButton", "saveButton", "deleteButton"})
        EXPECT_TRUE(control(name)->isEnabled()) << name;
    const int tall = details.sizeHint().height();

    const auto request = addNotice();
    markAllRead(entries, entryID);
    UI::EventDlg& notice = open(request);
    notice.adjustSize();
    EXPECT_TRUE(control<QWidget>("documentArea")->isHidden());
    EXPECT_FALSE(control("saveButton")->isEnabled());
    EXPECT_LT(notice.sizeHint().height(), tall - 100);
    EXPECT_FALSE(control<QLabel>("countText")->font().bold());
}

TEST_F(EventDlgTest, ADocumentTheDeviceNoLongerHasShowsTheDeletedTextAndDisablesTheActions)
{
    const auto gone = addDocument();
    sim.deleteDocument(System::ToANSI(*gone.event.GetEventProperty().GetDocID()));
    open(gone);
    EXPECT_EQ(UI::Text(Id::DocumentDeleted), control<QLabel>("thumbnail")->text());
    for (const char* name : {"previewButton", "printButton", "saveButton", "deleteButton"})
        EXPECT_FALSE(control(name)->isEnabled()) << name;
    EXPECT_FALSE(control<QCheckBox>("markReadCheck")->isEnabled());
}

// Each action against the simulator, with each failure it can inject that maps to a message.
TEST_F(EventDlgTest, DocumentActionsReachTheDeviceAndReportFailures)
{
    struct Case
    {
        const char* button;
        const char* operation;
        nlohmann::json fault;
        std::uint32_t message; // 0: none
        bool deleted;
    };
    const nlohmann::json none;
    const Case cases[] = {
        {"previewButton", "download", none, 0, false},
        {"previewButton", "download", {{"kind", "status"}, {"status", 500}}, Id::QuexhallAccessFailure, false},
        {"previewButton", "download", {{"kind", "drop"}}, Id::QuexhallAccessFailure, false},
        {"printButton", "print", none, 0, false},
        {"printButton", "print", {{"kind", "status"}, {"status", 403}}, Id::QuexhallAccessFailure, false},
        {"deleteButton", "delete", none, 0, true},
        {"deleteButton", "delete", {{"kind", "status"}, {"status", 403}}, Id::NoDeleteAuthority, false},
        {"deleteButton", "delete", {{"kind", "status"}, {"status", 500}}, Id::QuexhallAccessFailure, false},
    };
    configure(true, false);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + c.fault.dump());
        const auto target = addDocument();
        const std::string id = System::ToANSI(*target.event.GetEventProperty().GetDocID());
        sim.clearRequestLog();
        if (!c.fault.is_null())
            sim.setFault(c.operation, c.fault);
        boxes.shown.clear();
        fs::remove(folder / "opened");
        UI::EventDlg& details = open(target);
        details.show();
        control(c.button)->click();
        sim.clearFaults();
        EXPECT_EQ(c.message ? std::vector<std::uint32_t> {c.message} : std::vector<std::uint32_t> {}, messages());
        const auto sent = queries(c.operation);
        ASSERT_FALSE(sent.empty());
        if (std::string(c.operation) != "delete") {
            EXPECT_NE(std::string::npos, sent.back().find("ISR=1")) << sent.back();
        }
        const nlohmann::json record = document(id);
        EXPECT_EQ(c.deleted, record.is_null());
        EXPECT_EQ(c.deleted, details.result() == QDialog::Accepted && !details.isVisible());
        const bool done = !c.message;
        if (std::string(c.button) == "printButton") {
            EXPECT_EQ(done ? 1 : 0, record.at("printCount").get<int>());
        }
        if (std::string(c.button) == "previewButton") {
            EXPECT_EQ(done, record.at("read").get<bool>());
            EXPECT_EQ(done,
                      waitUntil([&] { return opened().find("/prev.pdf") != std::string::npos; },
                                std::chrono::milliseconds(done ? 5000 : 100)));
        }
    }
}

TEST_F(EventDlgTest, PreviewKeepsTheFileInsideItsOwnFolderWhateverTheDeviceNamesAndUnchecksMarkRead)
{
    configure(true, false);
    const auto target = addDocument("text/plain", {{"id", "../../x/..y"}});
    open(target);
    control<QCheckBox>("markReadCheck")->click(); // this dialog only
    control("previewButton")->click();
    ASSERT_TRUE(waitUntil([&] { return !opened().empty(); }));
    const fs::path file = opened().substr(0, opened().size() - 1);
    EXPECT_EQ("prev", file.filename().string());
    EXPECT_EQ(fs::path(System::GetAppTempDir()).parent_path(), file.parent_path().parent_path());
    EXPECT_TRUE(fs::exists(file));
    EXPECT_NE(std::string::npos, queries("download").back().find("ISR=0"));
    EXPECT_FALSE(document("../../x/..y").at("read").get<bool>());
}

TEST_F(EventDlgTest, DeleteAsksFirstWhenTheEntrySaysSo)
{
    configure(false, true);
    const auto target = addDocument();
    const std::string id = System::ToANSI(*target.event.GetEventProperty().GetDocID());
    open(target).show();
    boxes.answers = {false, true};
    control("deleteButton")->click();
    EXPECT_FALSE(document(id).is_null());
    EXPECT_TRUE(dialog->isVisible());
    control("deleteButton")->click();
    EXPECT_TRUE(document(id).is_null());
    EXPECT_EQ((std::vector<std::uint32_t> {Id::ConfirmDocumentDelete, Id::ConfirmDocumentDelete}), messages());
    EXPECT_EQ(QDialog::Accepted, dialog->result());
}

TEST_F(EventDlgTest, TheViewerButtonEndsTheDialogAskingForTheViewer)
{
    UI::EventDlg& details = open(addDocument());
    QTimer::singleShot(0, &details, [this] { control("viewerButton")->click(); });
    EXPECT_EQ(QDialog::Rejected, details.exec());
    EXPECT_TRUE(details.IsViewerRequested());
}

TEST_F(EventDlgTest, SaveCopiesTheDeviceBytesToTheChosenFileAndLeavesNoTemporaryFile)
{
    const auto target = addDocument("application/pdf", {{"content", "%PDF-1.4 the bytes"}});
    files.names = {QString::fromStdString((folder / "saved.pdf").string())};
    // The worker makes its file once the answer's header is in; it stays until the copy is done.
    files.whileOpen = [] { EXPECT_TRUE(waitUntil([] { return temporaryFiles().size() == 1; })); };
    open(target);
    control("saveButton")->click();
    EXPECT_EQ("%PDF-1.4 the bytes", readFile(folder / "saved.pdf"));
    EXPECT_EQ(std::vector<QString> {QStringLiteral("PDF (*.pdf)|*.pdf||")}, files.filters);
    EXPECT_EQ(std::vector<QString> {QStringLiteral(".pdf")}, files.suffixes);
    EXPECT_TRUE(temporaryFiles().empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(EventDlgTest, SaveCancelledOrFailingLeavesNoTemporaryFileAndShowsItsMessage)
{
    struct Case
    {
        nlohmann::json fault;
        QString name;
        std::vector<std::uint32_t> messages;
        std::size_t dialogs;
        // A body cut short may fail before the file dialog would open; then none is shown.
        bool mayFailFirst = false;
    };
    const QString target = QString::fromStdString((folder / "out").string());
    const Case cases[] = {
        {nullptr, QString(), {}, 1}, // cancelled: the download still ends first
        {{{"kind", "status"}, {"status", 500}}, target, {Id::QuexhallAccessFailure}, 0},
        {{{"kind", "truncated"}}, target, {Id::QuexhallAccessFailure}, 1, true},
        {nullptr, QString::fromStdString((folder / "missing" / "out").string()), {Id::DocumentSaveFailure}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault.dump() + " " + c.name.toStdString());
        const auto request = addDocument("application/pdf", {{"content", std::string(200000, 'x')}});
        if (!c.fault.is_null())
            sim.setFault("download", c.fault);
        boxes.shown.clear();
        files.filters.clear();
        files.names = {c.name};
        open(request);
        control("saveButton")->click();
        sim.clearFaults();
        EXPECT_EQ(c.messages, messages());
        if (c.mayFailFirst)
            EXPECT_LE(files.filters.size(), c.dialogs);
        else
            EXPECT_EQ(c.dialogs, files.filters.size());
        EXPECT_TRUE(temporaryFiles().empty());
        EXPECT_FALSE(fs::exists(folder / "out"));
    }
}

TEST(DocumentSaverTest, FileTypesFollowTheDocumentExtensionExactly)
{
    const std::pair<std::wstring, const char*> cases[] = {
        {L".jpeg", "JPEG (*.jpeg)|*.jpeg||"},     {L".pdf", "PDF (*.pdf)|*.pdf||"},
        {L".tif", "TIFF (*.tif)|*.tif||"},        {L".xml", "XML (*.xml)|*.xml||"},
        {L"", "Unknown Typeed File (*.*)|*.*||"}, {L".PDF", "Unknown Typeed File (*.*)|*.*||"},
    };
    for (const auto& [extension, filter] : cases)
        EXPECT_EQ(QString::fromLatin1(filter), UI::DocumentSaver::Filter(extension));
}

} // namespace

namespace {

// Pictures of the details dialog for a person to look at; the desktop end to end runs them on its
// display with ORVANE_SCREENSHOT_DIR set. Skipped otherwise.
class EventDlgScreenshots : public ::testing::Test, public DocumentFixture
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("ORVANE_SCREENSHOT_DIR"))
            GTEST_SKIP() << "ORVANE_SCREENSHOT_DIR is not set";
    }

    static void save(UI::EventDlg& dialog, const char* name)
    {
        dialog.show();
        waitWithEvents([&] { return dialog.isVisible(); });
        QCoreApplication::processEvents();
        const QString path = qEnvironmentVariable("ORVANE_SCREENSHOT_DIR") + QLatin1Char('/') + QLatin1String(name);
        ASSERT_TRUE(dialog.grab().save(path)) << name;
    }
};

TEST_F(EventDlgScreenshots, DetailsWithAndWithoutDocumentAndWithTheThumbnailMissing)
{
    configure(true, true, 10000, true);
    UI::EventDlg withDocument(addDocument());
    save(withDocument, "details-document.png");
    UI::EventDlg notice(addNotice());
    save(notice, "details-no-document.png");
    const auto gone = addDocument();
    sim.deleteDocument(System::ToANSI(*gone.event.GetEventProperty().GetDocID()));
    UI::EventDlg missing(gone);
    save(missing, "details-thumbnail-missing.png");
}

} // namespace

namespace {

TEST_F(EventDlgTest, LoginOpensTheDevicePageOfTheAccount)
{
    configure(false, false, 10000, true);
    open(addDocument());
    ASSERT_FALSE(control("loginButton")->isHidden());
    control("loginButton")->click();
    ASSERT_TRUE(waitUntil([&] { return !opened().empty(); }));
    EXPECT_NE(std::string::npos, opened().find("/orvane.htm?IFM=3&UN=alice")) << opened();
}

// A quit asked for while the save waits for the device: no file dialog, the worker's end is awaited,
// nothing is left behind, and the quit stays asked for. Run in a process of its own, since a quit
// ends every event loop of the process from then on.
TEST_F(EventDlgTest, AQuitDuringTheSaveIsHonouredOnceTheWorkerHasEnded)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const auto target = addDocument();
            sim.setFault("download", {{"kind", "delay"}, {"ms", 600}});
            files.names = {QString::fromStdString((folder / "never").string())};
            QTimer::singleShot(100, [] { QCoreApplication::exit(7); });
            const auto started = std::chrono::steady_clock::now();
            UI::DocumentSaver::Run(target.event, false, nullptr);
            const bool waited = std::chrono::steady_clock::now() - started >= std::chrono::milliseconds(550);
            // Without the process's exit handlers: the application of the parent's tests is no one's to end.
            std::_Exit(waited && files.filters.empty() && temporaryFiles().empty() && !fs::exists(folder / "never")
                               && boxes.shown.empty()
                           ? 0
                           : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
