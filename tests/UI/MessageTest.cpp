#include "UI/Message.hpp"

#include "MessageBoxRecorder.hpp"
#include "UI/MessageBoxSeam.hpp"
#include "UI/Texts.hpp"
#include "Utility/StringId.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

using Orvane::UI::Message;
using Orvane::UI::MessageBoxSeam;
using OrvaneTest::MessageBoxRecorder;
using Icon = MessageBoxSeam::Icon;
namespace Id = Orvane::Utility::StringId;

namespace {

TEST(MessageTest, EachFixedMessageShowsItsTextWithItsIcon)
{
    const std::vector<std::tuple<std::function<void(QWidget*)>, std::uint32_t, Icon>> cases = {
        {Message::InitFailure, Id::InitFailure, Icon::Exclamation},
        {Message::LoadFailure, Id::LoadFailure, Icon::Exclamation},
        {Message::SaveFailure, Id::SaveFailure, Icon::Exclamation},
        {Message::CommunicationError, Id::CommunicationError, Icon::Exclamation},
        {Message::QuexhallAccessFailure, Id::QuexhallAccessFailure, Icon::Exclamation},
        {Message::DocumentSaveFailure, Id::DocumentSaveFailure, Icon::Exclamation},
        {Message::NoDeleteAuthority, Id::NoDeleteAuthority, Icon::Exclamation},
        {Message::EnterInteger, Id::ParseInteger, Icon::Exclamation},
        {Message::NoUsers, Id::NoUsers, Icon::Information},
        {Message::EntryLimit, Id::EntryLimit, Icon::Stop},
    };
    QWidget window;
    for (const auto& [show, id, icon] : cases) {
        MessageBoxRecorder boxes;
        show(&window);
        ASSERT_EQ(1u, boxes.shown.size()) << id;
        EXPECT_EQ(MessageBoxRecorder::Shown(id, icon), boxes.shown.front()) << id;
        EXPECT_EQ(&window, boxes.parents.front()) << id;
    }
}

TEST(MessageTest, AffirmationAsksTheQuestionAndAnswersTrueForYes)
{
    MessageBoxRecorder boxes;
    boxes.answers = {true, false};
    EXPECT_TRUE(Message::Affirmation(Id::Confirm));
    EXPECT_FALSE(Message::Affirmation(Id::ConfirmDocumentDelete));
    const std::vector<MessageBoxRecorder::Shown> asked
        = {{Id::Confirm, Icon::Question}, {Id::ConfirmDocumentDelete, Icon::Question}};
    EXPECT_EQ(asked, boxes.shown);
    EXPECT_EQ(nullptr, boxes.parents.front());
}

// The real box, answered by pressing its buttons as soon as it runs.
class RealMessageBoxTest : public ::testing::Test
{
protected:
    // Presses the given button of the next box to open and notes what the box showed.
    void answerNextBox(QMessageBox::StandardButton button)
    {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(nullptr, box);
            m_caption = box->windowTitle();
            m_text = box->text();
            m_icon = box->icon();
            m_buttons = box->standardButtons();
            box->button(button)->click();
        });
    }

    QString m_caption, m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons m_buttons;
};

TEST_F(RealMessageBoxTest, ShowsTheTextUnderTheProgramTitle)
{
    answerNextBox(QMessageBox::Ok);
    Message::SaveFailure();
    EXPECT_EQ(QStringLiteral("Orvane"), m_caption);
    EXPECT_EQ(Orvane::UI::Text(Id::SaveFailure), m_text);
    EXPECT_EQ(QMessageBox::Warning, m_icon);
    EXPECT_EQ(QMessageBox::StandardButtons(QMessageBox::Ok), m_buttons);
}

TEST_F(RealMessageBoxTest, AffirmationIsYesOnlyForTheYesButton)
{
    for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
        answerNextBox(button);
        EXPECT_EQ(button == QMessageBox::Yes, Message::Affirmation(Id::Confirm));
        EXPECT_EQ(QMessageBox::Question, m_icon);
        EXPECT_EQ(QMessageBox::Yes | QMessageBox::No, m_buttons);
    }
}

} // namespace
