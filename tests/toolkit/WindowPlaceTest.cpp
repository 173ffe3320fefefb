#include "toolkit/WindowPlace.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

// A 1366x768 screen less a 32 px panel at the top.
const QRect kScreen(0, 32, 1366, 736);
const QSize kRules(636, 760);

TEST(WindowPlace, BesideTheOwnerWhereTheScreenHasRoomElseWhollyOnTheScreen)
{
    const struct
    {
        const char *name;
        QRect owner;
        QSize size;
        QRect expected;
    } rows[] = {
        { "room on the right: level with the owner, 8 px from it", QRect(10, 40, 600, 500),
          QSize(300, 400), QRect(618, 40, 300, 400) },
        { "no room on the right, room on the left", QRect(700, 100, 600, 500), QSize(300, 400),
          QRect(392, 100, 300, 400) },
        { "maximised owner: against the screen's right edge, over it", kScreen, kRules,
          QRect(1366 - 636, 32, 636, 736) },
        { "room on neither side, more on the left: against the left edge", QRect(500, 32, 800, 600),
          QSize(600, 400), QRect(0, 32, 600, 400) },
        { "owner low on the screen: moved up only as far as needed", QRect(0, 500, 400, 300),
          QSize(300, 400), QRect(408, 768 - 400, 300, 400) },
        { "owner above the panel: moved down below it", QRect(0, 0, 400, 300), QSize(300, 400),
          QRect(408, 32, 300, 400) },
        { "exactly the room on the right", QRect(0, 32, 1366 - 8 - 300, 500), QSize(300, 400),
          QRect(1366 - 300, 32, 300, 400) },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QRect placed = windowplace::beside(row.owner, row.size, kScreen);
        EXPECT_EQ(placed, row.expected)
            << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
        EXPECT_TRUE(kScreen.contains(placed));
    }
}

TEST(WindowPlace, OverTheOwnerCentredAndWhollyOnTheScreen)
{
    const struct
    {
        const char *name;
        QRect owner;
        QSize size;
        QRect expected;
    } rows[] = {
        { "centred", QRect(100, 100, 600, 400), QSize(200, 100), QRect(300, 250, 200, 100) },
        { "owner half off the left edge", QRect(-500, 100, 600, 400), QSize(300, 100),
          QRect(0, 250, 300, 100) },
        { "owner half below the bottom", QRect(100, 600, 600, 400), QSize(200, 300),
          QRect(300, 768 - 300, 200, 300) },
        { "larger than the screen: cut to it", QRect(0, 32, 1366, 736), QSize(1500, 900), kScreen },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(windowplace::over(row.owner, row.size, kScreen), row.expected);
    }
}

// The window itself, on the offscreen screen: its frame is its geometry there.
TEST(WindowPlace, AWindowOpenedBesideAScreenFillingOwnerIsCutToTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QDialog owner;
    owner.setGeometry(screen);
    owner.show();
    QDialog window(&owner);
    window.resize(kRules.width(), screen.height() + 200);
    windowplace::placeBeside(&window, &owner);
    window.show();
    EXPECT_TRUE(screen.contains(window.frameGeometry()))
        << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
        << window.frameGeometry().width() << "x" << window.frameGeometry().height();
    EXPECT_LT(window.height(), screen.height() + 200) << "cut to the screen";
}

} // namespace
