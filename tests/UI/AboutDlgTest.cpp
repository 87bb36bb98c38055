#include "UI/AboutDlg.hpp"

#include "System/CLrcReader.hpp"
#include "System/LrcFile.hpp"
#include "support/TestSupport.hpp"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using Orvane::UI::AboutDlg;

namespace {

QString LabelText(const QWidget& dialog, const char* name)
{
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}

QStringList LabelTexts(const QWidget& dialog, const char* name)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>(QString::fromLatin1(name)))
        texts << label->text();
    return texts;
}

const AboutDlg::SessionFacts kSession = {
    {QStringLiteral("Platform"), QStringLiteral("xcb (X11)")},
    {QStringLiteral("Tray"), QStringLiteral("XEmbed")},
    {QStringLiteral("Notifications"),
     QStringLiteral("dunst 1.9.0 (actions, body, body-markup, icon-static, persistence)")},
};

TEST(AboutDlgTest, ShowsProductVersionsAndTheSessionFacts)
{
    AboutDlg dialog(kSession);
    EXPECT_EQ(QStringLiteral("バージョン情報"), dialog.windowTitle());
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_EQ(QStringLiteral("BRANTEL Orvane"), LabelText(dialog, "product"));
    EXPECT_EQ(QStringLiteral("Version ") + QString::fromLatin1(ORVANE_VERSION_TEXT), LabelText(dialog, "version"));
    EXPECT_EQ(QStringLiteral("Language -"), LabelText(dialog, "language"));
    EXPECT_EQ((QStringList {QStringLiteral("Platform"), QStringLiteral("Tray"), QStringLiteral("Notifications")}),
              LabelTexts(dialog, "sessionLabel"));
    EXPECT_EQ(kSession[2].second, LabelTexts(dialog, "sessionValue").value(2));
}

TEST(AboutDlgTest, ShowsTheVersionOfTheLoadedLanguageFile)
{
    OrvaneTest::TempDir dir;
    OrvaneTest::LrcFile file;
    file.version = {2, 0, 1, 7};
    OrvaneTest::writeFile(dir / "orvane.lrc", file.build());
    Orvane::System::CLrcReader& language = Orvane::System::CLrcReader::Instance();
    ASSERT_TRUE(language.Load((dir / "orvane.lrc").string()));
    AboutDlg dialog({});
    language.Release();
    EXPECT_EQ(QStringLiteral("Language 2.0.1.7 !"), LabelText(dialog, "language")); // the title was not in the file
    EXPECT_EQ(QStringLiteral("バージョン情報"), dialog.windowTitle());
}

TEST(AboutDlgTest, WithoutSessionFactsThereIsNoSessionSection)
{
    AboutDlg dialog({});
    EXPECT_EQ(nullptr, dialog.findChild<QLabel*>(QStringLiteral("sessionHeading")));
}

TEST(AboutDlgTest, CloseButtonAndEscapeCloseTheModelessWindow)
{
    AboutDlg dialog(kSession);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_FALSE(dialog.isModal());
    QPushButton* close = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
    EXPECT_EQ(QStringLiteral("閉じる(&C)"), close->text());
    close->click();
    EXPECT_FALSE(dialog.isVisible());

    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(AboutDlgTest, EveryTextFitsItsLabel)
{
    AboutDlg dialog(kSession);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap())
            continue;
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    const QString folder = QStringLiteral(ORVANE_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(dialog.grab().save(folder + QStringLiteral("/AboutDlg.png")));
}

} // namespace
