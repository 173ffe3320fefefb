#include "shell/Form1.h"
#include "rules/CardName.h"
#include "shell/Program.h"
#include "support/ScriptedToolkit.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/Twips.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class StartWindow : public ::testing::Test
{
protected:
    template<class T = QWidget> T *control(const QString &name) const
    {
        T *widget = form.findChild<T *>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QLabel *image(int n) const { return control<QLabel>(QStringLiteral("Image%1").arg(n)); }
    QPushButton *button(int n) const
    {
        return control<QPushButton>(QStringLiteral("Command%1").arg(n));
    }

    ScriptedToolkit toolkit;
    Form1 form;
};

struct SampleCard
{
    int image;
    int left;
    cards::Card card;
};
// The load step's nine pictures: the nine and ten of spades, the two, three and four of three
// suits, and the four aces in the order clubs, diamonds, hearts, spades.
const SampleCard kSamples[] = {
    { 1, 360, { 1, 10 } }, { 2, 120, { 1, 9 } },  { 3, 1680, { 4, 2 } },
    { 4, 1920, { 3, 3 } }, { 5, 2160, { 2, 4 } }, { 6, 3480, { 4, 1 } },
    { 7, 3720, { 3, 1 } }, { 8, 3960, { 2, 1 } }, { 9, 4200, { 1, 1 } },
};

} // namespace

TEST_F(StartWindow, IsAFixedWindowCalledQuindeloWithTheIcon)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quindelo"));
    EXPECT_FALSE(form.windowIcon().isNull());
    // The design's panels, and a row for the other entries below them.
    EXPECT_EQ(form.minimumSize(), twips::size(5430, 3105));
    EXPECT_EQ(form.maximumSize(), twips::size(5430, 3105));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMinMaxButtonsHint);
}

TEST_F(StartWindow, LoadPutsTheNineSampleCardsInPlace)
{
    for (const SampleCard &sample : kSamples) {
        SCOPED_TRACE(sample.image);
        QLabel *label = image(sample.image);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->geometry(), twips::rect(sample.left, 120, 1065, 1440));
        EXPECT_EQ(label->pixmap().cacheKey(),
                  CardLibrary::face(sample.card.suit, sample.card.rank).cacheKey());
        EXPECT_EQ(label->accessibleName(), QString::fromStdString(cards::cardName(sample.card)));
    }
    EXPECT_EQ(image(1)->accessibleName(), QStringLiteral("10 โพดำ"));
}

// No other picture is on the window, and every picture lies inside the client area.
TEST_F(StartWindow, ShowsNoPictureButTheSampleHands)
{
    int pictures = 0;
    for (const QLabel *label : form.findChildren<QLabel *>()) {
        if (label->pixmap().isNull())
            continue;
        ++pictures;
        EXPECT_TRUE(form.rect().contains(label->geometry())) << label->objectName().toStdString();
    }
    EXPECT_EQ(pictures, 9);
}

// In each fan the right card lies over its left neighbour, and the covered card still shows its
// corner index: the window's pixels there are the face's own.
TEST_F(StartWindow, EachFanShowsTheCornerIndicesOfItsCoveredCards)
{
    const QImage shot = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const std::pair<int, int> coveredBy[]
        = { { 2, 1 }, { 3, 4 }, { 4, 5 }, { 6, 7 }, { 7, 8 }, { 8, 9 } };
    for (auto [covered, over] : coveredBy) {
        SCOPED_TRACE(testing::Message() << "Image" << covered << " under Image" << over);
        const QRect under = image(covered)->geometry();
        const QRect top = image(over)->geometry();
        EXPECT_EQ(form.childAt(top.left() + 2, top.top() + 40), image(over));

        const QRect index(3, 3, 12, 22); // the index, inside the card's rounded corner
        const QImage face
            = image(covered)->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shot.copy(index.translated(under.topLeft())), face.copy(index));
    }
}

TEST_F(StartWindow, HasTheThreeGameButtonsInTabOrder)
{
    const struct
    {
        int n;
        QString caption;
        int left;
    } buttons[] = { { 1, QStringLiteral("ป๊อกเด้ง"), 120 },
                    { 2, QStringLiteral("9 เก"), 1800 },
                    { 3, QStringLiteral("ดัมมี่"), 3720 } };
    for (const auto &expected : buttons) {
        QPushButton *b = button(expected.n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), expected.caption);
        EXPECT_EQ(b->geometry(), twips::rect(expected.left, 1680, 1335, 495));
        EXPECT_TRUE(b->font().bold());
    }

    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), button(1));
    // The games, then the row below them, then round again.
    QStringList order;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(order,
              (QStringList { QStringLiteral("Command2"), QStringLiteral("Command3"),
                             QStringLiteral("cmdfriends"), QStringLiteral("cmdrules"),
                             QStringLiteral("cmdhistory"), QStringLiteral("Command1") }));
}

// Below the three panels, a row shows what else the program offers, each entry with its key
// on it and in what a screen reader says of it; a click does what the key does.
TEST_F(StartWindow, ShowsItsOtherEntriesWithTheirKeysBelowTheGames)
{
    const struct
    {
        const char *name;
        QString text;
        QString key;
        const char *opens;
    } entries[] = {
        { "cmdfriends", QStringLiteral("เล่นกับเพื่อน"), QStringLiteral("Ctrl+F"), "FriendsDialog" },
        { "cmdrules", QStringLiteral("วิธีเล่น"), QStringLiteral("F1"), "Frmrules" },
        { "cmdhistory", QStringLiteral("ประวัติการเล่น"), QStringLiteral("Ctrl+H"), "Frmhistory" },
    };
    form.show();
    const int frameBottom = twips::point(0, 2280).y();
    for (const auto &entry : entries) {
        SCOPED_TRACE(entry.name);
        auto *b = control<QPushButton>(QString::fromLatin1(entry.name));
        ASSERT_NE(b, nullptr);
        EXPECT_TRUE(b->isVisible());
        EXPECT_GT(b->geometry().top(), frameBottom);
        EXPECT_TRUE(form.rect().contains(b->geometry()));
        EXPECT_EQ(b->text(), entry.text + u'\n' + entry.key);
        EXPECT_GE(b->width(), b->sizeHint().width()) << "the text fits";
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(b);
        EXPECT_EQ(reader->text(QAccessible::Name), entry.text);
        EXPECT_TRUE(reader->text(QAccessible::Description).contains(entry.key));

        QString opened;
        QTimer::singleShot(0, &form, [&] {
            for (QWidget *window : QApplication::topLevelWidgets())
                if (window != &form && window->isVisible() && !window->objectName().isEmpty()
                    && window->objectName() != QLatin1String("Form1")) {
                    opened = window->objectName();
                    window->close();
                }
        });
        b->click();
        QApplication::processEvents();
        EXPECT_EQ(opened, QString::fromLatin1(entry.opens));
    }
}

TEST_F(StartWindow, EscapeDoesNotCloseIt)
{
    form.show();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
}

// Before any game, F1 shows the rules beside the start window and Ctrl+H the play history over
// it; its context menu offers both.
TEST_F(StartWindow, OffersTheRulesTheHistoryAndPlayWithFriendsByTheirKeys)
{
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_F1);
    QWidget *rules = form.findChild<QWidget *>(QStringLiteral("Frmrules"));
    ASSERT_NE(rules, nullptr);
    EXPECT_TRUE(rules->isVisible());
    rules->close();

    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QString opened;
    QTimer::singleShot(0, &form, [&] {
        if (QWidget *window = QApplication::activeModalWidget()) {
            opened = window->objectName();
            window->close();
        }
    });
    QTest::keyClick(&form, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(opened, QStringLiteral("Frmhistory"));

    // เล่นกับเพื่อน asks first whether to host or join; closing the dialog plays nothing.
    opened.clear();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTimer::singleShot(0, &form, [&] {
        if (QWidget *window = QApplication::activeModalWidget()) {
            opened = window->objectName();
            window->close();
        }
    });
    QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(opened, QStringLiteral("FriendsDialog"));

    QStringList entries;
    for (QAction *action : form.actions())
        if (!action->text().isEmpty())
            entries << action->text() + u' ' + action->shortcut().toString();
    EXPECT_EQ(entries,
              (QStringList { QStringLiteral("เล่นกับเพื่อน Ctrl+F"), QStringLiteral("วิธีเล่น F1"),
                             QStringLiteral("ประวัติการเล่น Ctrl+H") }));
}

// Each button opens its game modally over the start window, which stays on screen behind it and
// takes clicks again once the game window closes.
TEST_F(StartWindow, ButtonsOpenTheirGamesModallyOverIt)
{
    const std::pair<int, QString> games[] = { { 1, QStringLiteral("ป๊อกเด้ง") },
                                              { 2, QStringLiteral("9เก") },
                                              { 3, QStringLiteral("ดัมมี่") } };
    form.show();
    for (const auto &[n, caption] : games) {
        SCOPED_TRACE(n);
        QString opened;
        bool startWindowBehind = false;
        QTimer::singleShot(0, &form, [&] {
            QWidget *game = QApplication::activeModalWidget();
            if (!game)
                return;
            opened = game->windowTitle();
            startWindowBehind
                = game->parentWidget() == &form && form.isVisible() && game->isModal();
            game->close();
        });
        button(n)->click();
        EXPECT_EQ(opened, caption);
        EXPECT_TRUE(startWindowBehind);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(form.isVisible());
    }
}

// The program runs until its start window closes, and then ends.
TEST(Program, EndsWhenTheStartWindowCloses)
{
    bool startWindowShown = false;
    QTimer::singleShot(0, [&] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<Form1 *>(window); form && form->isVisible()) {
                startWindowShown = true;
                form->close();
            }
        }
    });
    EXPECT_EQ(runProgram(), 0);
    EXPECT_TRUE(startWindowShown);
}
