#include "toolkit/QtToolkit.h"
#include "toolkit/GameSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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
        // Enter on a question whose yes cannot be undone answers no.
        { Style::QuestionYesNoDefaultNo,
          QMessageBox::Question,
          { QStringLiteral("ใช่"), QStringLiteral("ไม่ใช่") },
          true,
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

// A sound server that takes the connection and never answers holds nothing up: each call
// returns, the sounds beyond the few waiting are dropped, and the toolkit goes away all the same.
TEST(RealToolkitSounds, AServerThatNeverAnswersHoldsNothingUp)
{
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("native")));
    // Listening, never accepting: a client's connection is taken and then left waiting.
    const int server = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(listen(server, 8), 0);
    qputenv("PULSE_SERVER", "unix:" + path);
    GameSettings().setSound(true);
    {
        QtToolkit toolkit;
        toolkit.playSound(Sound::Land);
        // The player's thread has reached the server, which keeps it waiting.
        pollfd connection { server, POLLIN, 0 };
        ASSERT_EQ(poll(&connection, 1, 10000), 1) << "the player never reached the server";
        for (int i = 0; i < 6; ++i)
            toolkit.playSound(Sound::Land);
        EXPECT_EQ(toolkit.soundPlayer().asked(), 7);
        EXPECT_EQ(toolkit.soundPlayer().failed(), 2) << "four wait, the rest are dropped";
        EXPECT_EQ(toolkit.soundPlayer().started(), 0);
    }
    GameSettings().setSound(false);
    qunsetenv("PULSE_SERVER");
    // The thread left behind hears the server go and ends.
    close(server);
}

} // namespace
