#include "UI/PopupEventDlg.hpp"

#include "MachineEvent/PopupEventManager.hpp"
#include "System/Text.hpp"
#include "UI/PopupWindows.hpp"
#include "UI/UiThreadPresenter.hpp"

#include "DocumentFixture.hpp"
#include "MessageBoxRecorder.hpp"
#include "UiFixtures.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

using namespace Orvane;
using namespace OrvaneTest;
using namespace std::chrono_literals;

UI::PopupEventDlg* openPopup()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<UI::PopupEventDlg*>(widget); popup && popup->isVisible())
            return popup;
    return nullptr;
}

QString shownInfo()
{
    UI::PopupEventDlg* popup = openPopup();
    return popup ? popup->findChild<QLabel*>(QStringLiteral("infoValue"))->text() : QString();
}

void click(const char* button)
{
    openPopup()->findChild<QPushButton*>(QLatin1String(button))->click();
}

// The real popup manager with the desktop's presenter and popup windows, against the simulator.
class PopupEventDlgTest : public ::testing::Test, public DocumentFixture
{
protected:
    ~PopupEventDlgTest() override
    {
        popups.stop();
        waitWithEvents([] { return openPopup() == nullptr; });
    }

    void notify(const MachineEvent::PopupPresenter::Request& request)
    {
        popups.Notify({request.entryID, request.eventID});
    }

    QObject ui;
    int viewerOpened = 0;
    UI::UiThreadPresenter presenter {ui, std::make_shared<UI::PopupWindows>(), [this] { ++viewerOpened; }};
    MachineEvent::PopupEventManager popups {entries, presenter, 0ms};
};

TEST_F(PopupEventDlgTest, ThePopupErasesItselfAfterTheEraseTimeLeavingTheEventUnread)
{
    configure(false, false, 400);
    const auto request = addDocument();
    popups.start();
    const auto opened = std::chrono::steady_clock::now();
    notify(request);
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    EXPECT_FALSE(openPopup()->findChild<QLabel*>(QStringLiteral("thumbnail"))->pixmap().isNull());
    EXPECT_TRUE(openPopup()->IsTimerActive());
    ASSERT_TRUE(waitWithEvents([] { return openPopup() == nullptr; }));
    EXPECT_GE(std::chrono::steady_clock::now() - opened, 400ms);
    EXPECT_FALSE(isRead(request));
}

TEST_F(PopupEventDlgTest, CloseButtonAndDeleteMarkTheEventReadAndDeleteRemovesTheDocument)
{
    configure(false, false, 0);
    const auto closed = addDocument();
    const auto deleted = addDocument();
    const std::string id = System::ToANSI(*deleted.event.GetEventProperty().GetDocID());
    popups.start();
    notify(closed);
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    EXPECT_FALSE(openPopup()->IsTimerActive()); // erase time 0: stays until closed
    click("closeButton");
    ASSERT_TRUE(waitWithEvents([&] { return isRead(closed); }));
    notify(deleted);
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    click("deleteButton");
    ASSERT_TRUE(waitWithEvents([&] { return isRead(deleted); }));
    EXPECT_TRUE(document(id).is_null());
}

TEST_F(PopupEventDlgTest, TheViewerButtonOpensTheViewerAndDiscardsTheWaitingPopups)
{
    configure(false, false, 0, false, 50);
    const auto first = addNotice(L"first");
    popups.start();
    notify(first);
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    for (int n = 0; n < 51; ++n)
        notify(addNotice(L"waiting " + std::to_wstring(n)));
    click("viewerButton");
    ASSERT_TRUE(waitWithEvents([] { return openPopup() == nullptr; }));
    // The popup thread discards the waiting ones once it has the result.
    ASSERT_TRUE(waitWithEvents([&] { return popups.CountPending() == 0; }));
    EXPECT_EQ(1, viewerOpened);
    notify(addNotice(L"later"));
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    EXPECT_EQ(QStringLiteral("later"), shownInfo());
}

TEST_F(PopupEventDlgTest, AStopClosesTheOpenPopupWithoutMarkingItRead)
{
    configure(false, false, 0);
    const auto request = addNotice();
    popups.start();
    notify(request);
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    popups.stop();
    EXPECT_TRUE(waitWithEvents([] { return openPopup() == nullptr; }));
    EXPECT_FALSE(isRead(request));
}

} // namespace
