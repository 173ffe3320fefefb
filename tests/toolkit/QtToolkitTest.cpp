#include "toolkit/QtToolkit.h"
#include "toolkit/GameSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using Style = Toolkit::Style;
using Answer = Toolkit::Answer;

namespace {

// Waits for the real message box to come up, hands it to the test, and gives up after a while
// so that a box that never came fails the test instead of hanging it.
void whenBoxShows(std::function<void(QMessageBox *)> act)
{
    auto *poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, act] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            act(box);
        } else if (++*tries > 500) {
            poll->deleteLater();
            ADD_FAILURE() << "no message box came";
        }
    });
    poll->start(10);
}

QStringList buttonTexts(QMessageBox *box)
{
    QStringList texts;
    for (QAbstractButton *button : box->buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

TEST(RealMessageBoxes, ThaiButtonsIconsAndAnswers)
{
    struct Row
    {
        Style style;
        QMessageBox::Icon icon;
        QStringList buttons; // sorted
        bool pressAccept;
        Answer expected;
    } rows[] = {
        { Style::Ok, QMessageBox::NoIcon, { QStringLiteral("ตกลง") }, true, Answer::Ok },
        { Style::StopOk, QMessageBox::Critical, { QStringLiteral("ตกลง") }, true, Answer::Ok },
        { Style::QuestionYesNo,
          QMessageBox::Question,
          { QStringLiteral("ใช่"), QStringLiteral("ไม่ใช่") },
          true,
          Answer::Yes },
        { Style::QuestionYesNo,
          QMessageBox::Question,
          { QStringLiteral("ใช่"), QStringLiteral("ไม่ใช่") },
          false,
          Answer::No },
        { Style::WarningOkCancel,
          QMessageBox::Warning,
          { QStringLiteral("ตกลง"), QStringLiteral("ยกเลิก") },
          false,
          Answer::Cancel },
    };
    QtToolkit toolkit;
    for (const auto &row : rows) {
        QStringList buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title, text;
        whenBoxShows([&](QMessageBox *box) {
            buttons = buttonTexts(box);
            icon = box->icon();
            title = box->windowTitle();
            text = box->text();
            if (row.pressAccept)
                box->defaultButton()->click();
            else
                QTest::keyClick(box, Qt::Key_Escape); // Escape, or the close box
        });
        const Answer answer = toolkit.messageBox(nullptr, QStringLiteral("ต้องการเล่นใหม่ ? "),
                                                 row.style, QStringLiteral("เริ่มใหม่"));
        EXPECT_EQ(answer, row.expected) << int(row.style);
        EXPECT_EQ(buttons, row.buttons) << int(row.style);
        EXPECT_EQ(icon, row.icon) << int(row.style);
        EXPECT_EQ(title, QStringLiteral("เริ่มใหม่"));
        EXPECT_EQ(text, QStringLiteral("ต้องการเล่นใหม่ ? "));
    }
    EXPECT_FALSE(toolkit.isEnding());
}

// The real toolkit plays a sound only while the player has sounds on, asking the settings each
// time; with them off its player, and so the sound library, is never reached. With no sound
// server a sound fails in the player's own thread, quietly: no box, nothing started.
TEST(RealToolkitSounds, PlayedOnlyWhileSoundsAreOnAndQuietWithoutAServer)
{
    qputenv("PULSE_SERVER", "unix:/nonexistent/pokdeng-no-server");
    GameSettings().setSound(false);
    QtToolkit toolkit;
    for (Sound sound :
         { Sound::SlideOut, Sound::Land, Sound::TurnOver, Sound::Bet, Sound::Win, Sound::Lose })
        toolkit.playSound(sound);
    EXPECT_EQ(toolkit.soundPlayer().asked(), 0) << "off at first";

    GameSettings().setSound(true);
    toolkit.playSound(Sound::Bet);
    EXPECT_EQ(toolkit.soundPlayer().asked(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return toolkit.soundPlayer().failed() == 1; }, 10000));
    EXPECT_EQ(toolkit.soundPlayer().started(), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    GameSettings().setSound(false);
    toolkit.playSound(Sound::Win);
    EXPECT_EQ(toolkit.soundPlayer().asked(), 1) << "off again";
    qunsetenv("PULSE_SERVER");
}

} // namespace
