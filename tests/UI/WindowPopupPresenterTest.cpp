#include "UI/PopupWindows.hpp"
#include "UI/UiThreadPresenter.hpp"

#include "MachineEvent/Event.hpp"
#include "UI/PopupEventDlg.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include "UiFixtures.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <future>

namespace {

using namespace Orvane;
using namespace OrvaneTest;
using Presenter = UI::UiThreadPresenter;

UI::PopupEventDlg* openPopup()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<UI::PopupEventDlg*>(widget); popup && popup->isVisible())
            return popup;
    return nullptr;
}

void click(QWidget& window, std::uint32_t textId)
{
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == UI::Text(textId))
            return button->click();
    FAIL() << "no button " << textId;
}

// The popup manager's side: Show on a thread of its own, as the popup manager calls it.
class WindowPopupPresenterTest : public ::testing::Test
{
protected:
    WindowPopupPresenterTest()
        : entryID(addQuietEntry(entries, L"127.0.0.1"))
        , eventID(addEvent(entries, entryID, L"doc"))
    { }

    std::future<Presenter::Result> show()
    {
        MachineEvent::Event event(validProperty(L"127.0.0.1").GetMFP(), validProperty().GetUser(),
                                  eventProperty(L"doc"));
        return std::async(std::launch::async, [this, event] {
            return presenter.Show(Presenter::Request {entries, entryID, eventID, event});
        });
    }

    static bool ready(const std::future<Presenter::Result>& result)
    {
        return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

    MonitoredEntry::EntryManager entries;
    const MonitoredEntry::Entry::ID entryID;
    const MonitoredEntry::Event::ID eventID;
    QObject ui;
    int viewerOpened = 0;
    Presenter presenter {ui, std::make_shared<UI::PopupWindows>(), [this] { ++viewerOpened; }};
};

TEST_F(WindowPopupPresenterTest, ButtonsEndTheWaitWithTheirResult)
{
    struct Case
    {
        std::uint32_t button;
        int code;
        bool viewer;
    };
    for (const Case& c : {Case {Utility::StringId::Close, Presenter::ResultRead, false},
                          Case {Utility::StringId::MenuEventLog, 0, true}}) {
        auto result = show();
        ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
        UI::PopupEventDlg* popup = openPopup();
        EXPECT_TRUE(popup->testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_TRUE(popup->windowFlags() & Qt::WindowStaysOnTopHint);
        click(*popup, c.button);
        ASSERT_TRUE(waitWithEvents([&] { return ready(result); }));
        const Presenter::Result outcome = result.get();
        EXPECT_EQ(c.code == Presenter::ResultRead, outcome.code == Presenter::ResultRead) << c.button;
        EXPECT_EQ(c.viewer, outcome.viewerRequested) << c.button;
        ASSERT_TRUE(waitWithEvents([] { return openPopup() == nullptr; }));
    }
    EXPECT_EQ(1, viewerOpened);
}

TEST_F(WindowPopupPresenterTest, CloseOnTheUiThreadReleasesTheWaitAndTheWindowAndShowsNothingUntilReopened)
{
    auto result = show();
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    presenter.Close(); // the UI thread does not wait for the popup thread here
    ASSERT_TRUE(waitWithEvents([&] { return ready(result); }));
    EXPECT_NE(Presenter::ResultRead, result.get().code);
    EXPECT_TRUE(waitWithEvents([] { return openPopup() == nullptr; }));

    EXPECT_NE(Presenter::ResultRead, show().get().code); // closed: answers at once
    EXPECT_EQ(nullptr, openPopup());
    presenter.Reopen();
    auto again = show();
    EXPECT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    presenter.Close();
    again.get();
}

TEST_F(WindowPopupPresenterTest, EraseTimerRunsUntilThePointerMovesOverThePopup)
{
    auto result = show();
    ASSERT_TRUE(waitWithEvents([] { return openPopup() != nullptr; }));
    UI::PopupEventDlg* popup = openPopup();
    EXPECT_TRUE(popup->IsTimerActive());
    // The first report of the pointer (it may lie under a new window) keeps the timer; a move stops it.
    for (const QPoint at : {QPoint(5, 5), QPoint(5, 5), QPoint(9, 7)}) {
        QMouseEvent move(QEvent::MouseMove, at, popup->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(popup, &move);
        EXPECT_EQ(at != QPoint(9, 7), popup->IsTimerActive());
    }
    presenter.Close();
    result.get();
}

} // namespace
