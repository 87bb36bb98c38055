#include "UI/Placement.hpp"

#include "UI/WindowIcon.hpp"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using Orvane::UI::CentreOn;
using Orvane::UI::MoveToBottomRight;

namespace {

QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The frame of a window is known once it is on screen, and the window is placed again then.
void ShowAndSettle(QWidget& window, const std::function<QPoint()>& expected, const std::function<QPoint()>& actual)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    (void)QTest::qWaitFor([&] { return expected() == actual(); }); // the check below tells what differs
    EXPECT_EQ(expected(), actual());
}

QPoint BottomRight(const QWidget& window)
{
    return window.frameGeometry().bottomRight();
}

QPoint Centre(const QWidget& window)
{
    return window.frameGeometry().center();
}

TEST(PlacementTest, BottomRightCornerLandsOnTheWorkAreasCorner)
{
    QWidget window;
    window.resize(200, 120);
    MoveToBottomRight(window);
    ShowAndSettle(
        window, [] { return WorkArea().bottomRight(); }, [&] { return BottomRight(window); });
    EXPECT_EQ(QSize(200, 120), window.size());

    // Placed again while shown: stays where it is.
    MoveToBottomRight(window);
    EXPECT_EQ(WorkArea().bottomRight(), BottomRight(window));
}

TEST(PlacementTest, WindowNotShownYetIsPlacedAtTheSizeItWillShowWith)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("イベント履歴 — a line long enough to widen the window")));
    MoveToBottomRight(window);
    ShowAndSettle(
        window, [] { return WorkArea().bottomRight(); }, [&] { return BottomRight(window); });
    EXPECT_EQ(window.sizeHint(), window.size());
}

TEST(PlacementTest, CentreOnMakesBothCentresCoincide)
{
    QWidget reference;
    reference.setGeometry(100, 80, 400, 300);
    reference.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&reference));
    QWidget window;
    window.resize(121, 61);
    CentreOn(window, reference);
    ShowAndSettle(
        window, [&] { return Centre(reference); }, [&] { return Centre(window); });

    // Children of one dialog, as the text shown in place of a missing thumbnail.
    auto* frame = new QWidget(&reference);
    frame->setGeometry(40, 30, 200, 100);
    auto* text = new QLabel(QStringLiteral("すでに文書が削除されています。"), &reference);
    text->resize(90, 20);
    CentreOn(*text, *frame);
    EXPECT_EQ(frame->geometry().center(), text->geometry().center());
}

TEST(WindowIconTest, WindowsGetTheProgramsIcon)
{
    ASSERT_FALSE(Orvane::UI::ApplicationIcon().isNull());
    EXPECT_FALSE(Orvane::UI::ApplicationIcon().pixmap(32, 32).isNull());
    QWidget window;
    Orvane::UI::SetWindowIcon(window);
    EXPECT_FALSE(window.windowIcon().pixmap(16, 16).isNull());
}

} // namespace
