#include "toolkit/CardSlider.h"
#include "rules/pokdeng/SlidePath.h"
#include "support/ScriptedToolkit.h"
#include "toolkit/DesignCanvas.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/Twips.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using cards::TwipsPoint;

namespace {

// Notes every position a widget is moved to.
class MoveRecorder : public QObject
{
public:
    explicit MoveRecorder(QWidget *watched) { watched->installEventFilter(this); }
    std::vector<QPoint> positions;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Move)
            positions.push_back(static_cast<QWidget *>(watched)->pos());
        return false;
    }
};

// A table of the design's size with a card on the pack and, above it in the stack, a button.
class Slides : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CardSlider::setInstant(false);
        card = new QLabel(&table);
        table.place(card, { 2880, 1680, 1065, 1440 });
        button = new QPushButton(&table);
        table.place(button, { 4800, 1800, 1095, 255 });
        table.show();
    }
    void TearDown() override { CardSlider::setInstant(true); }

    DesignCanvas table { 6300, 5280, nullptr };
    QLabel *card = nullptr;
    QPushButton *button = nullptr;
};

// The path is in twips: at any scale the card passes through the path's points as the canvas
// lays them out, and ends exactly where the canvas puts its end.
TEST_F(Slides, FramesFollowThePathInOrderAndEndExactlyInPlace)
{
    for (const QSize size : { QSize(420, 352), QSize(1000, 482) }) {
        SCOPED_TRACE(size.width());
        table.resize(size);
        const auto path = pokdeng::slidePath(10); // a third card: about half a second
        std::vector<QPoint> onScreen;
        for (const TwipsPoint &p : path)
            onScreen.push_back(table.toPixels(QPoint(p.left, p.top)));

        MoveRecorder recorder(card);
        ASSERT_TRUE(CardSlider::slide(card, path));
        EXPECT_EQ(card->pos(), onScreen.back());
        EXPECT_EQ(card->size(), table.toPixels(QRect(0, 0, 1065, 1440)).size());
        ASSERT_GE(recorder.positions.size(), 3u) << "the card was seen on its way";
        auto from = onScreen.begin();
        for (const QPoint &seen : recorder.positions) {
            from = std::find(from, onScreen.end(), seen);
            ASSERT_NE(from, onScreen.end()) << "a frame off the path, or going back";
        }
        table.moveTo(card, { 2880, 1680 });
    }
}

// A card in motion is drawn above every control it crosses; at rest it is back under the
// controls that the design stacks above it.
TEST_F(Slides, AMovingCardIsOnTopAndGoesBackInTheStackWhenItStops)
{
    const auto topmost = [&] {
        QWidget *top = nullptr;
        for (QObject *child : table.children())
            if (child->isWidgetType())
                top = static_cast<QWidget *>(child);
        return top;
    };
    ASSERT_EQ(topmost(), button);
    int framesSeen = 0, framesOnTop = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!CardSlider::isSliding())
            return;
        ++framesSeen;
        framesOnTop += topmost() == card;
    });
    watch.start(5);
    ASSERT_TRUE(CardSlider::slide(card, pokdeng::slidePath(9)));
    watch.stop();
    EXPECT_GT(framesSeen, 0);
    EXPECT_EQ(framesOnTop, framesSeen);
    EXPECT_EQ(topmost(), button);
}

// A card leaving the pack is hidden under the pack's picture until it comes out from under it:
// on its way it is above every other control but the pack, and at rest back in its place.
TEST_F(Slides, ACardLeavingThePackStaysUnderThePack)
{
    auto *pack = new QLabel(&table);
    table.place(pack, { 2760, 1560, 1200, 1575 });
    pack->stackUnder(button); // the design's stack: card, pack, button
    pack->show();
    const auto stack = [&] {
        std::vector<QObject *> widgets;
        for (QObject *child : table.children())
            if (child->isWidgetType())
                widgets.push_back(child);
        return widgets;
    };
    const std::vector<QObject *> atRest = stack();
    int framesSeen = 0, framesRight = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!CardSlider::isSliding())
            return;
        ++framesSeen;
        framesRight += stack() == std::vector<QObject *> { button, card, pack };
    });
    watch.start(5);
    ASSERT_TRUE(CardSlider::slide(card, pokdeng::slidePath(9), pack));
    watch.stop();
    EXPECT_GT(framesSeen, 0);
    EXPECT_EQ(framesRight, framesSeen);
    EXPECT_EQ(stack(), atRest);
}

TEST_F(Slides, InputDuringASlideIsDroppedNotDeferred)
{
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    QTimer::singleShot(30, [&] {
        ASSERT_TRUE(CardSlider::isSliding());
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Space);
    });
    ASSERT_TRUE(CardSlider::slide(card, pokdeng::slidePath(9)));
    QCoreApplication::processEvents();
    QTest::qWait(20);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "input after the slide is handled again";
}

TEST_F(Slides, KeysOfCommandsDuringASlideAreDroppedToo)
{
    QApplication::setActiveWindow(&table);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
    auto *draw = new QAction(&table);
    shortcuts::bind(draw, Command::Draw);
    table.addAction(draw);
    int draws = 0;
    QObject::connect(draw, &QAction::triggered, [&] { ++draws; });
    QTimer::singleShot(30, [&] {
        ASSERT_TRUE(CardSlider::isSliding());
        QTest::keyClick(&table, Qt::Key_D);
        // The same key in the Thai layout, which finds its command by the key's place.
        QKeyEvent thai(QEvent::KeyPress, 0x0E01, Qt::NoModifier, 40, 0, 0, QStringLiteral("ก"));
        QApplication::sendEvent(&table, &thai);
    });
    ASSERT_TRUE(CardSlider::slide(card, pokdeng::slidePath(9)));
    QCoreApplication::processEvents();
    EXPECT_EQ(draws, 0);
    QTest::keyClick(&table, Qt::Key_D);
    EXPECT_EQ(draws, 1) << "keys after the slide act again";
}

TEST_F(Slides, EndingTheProgramStopsASlide)
{
    ScriptedToolkit toolkit;
    QTimer::singleShot(20, [&] { toolkit.endProgram(); });
    // The real toolkit's end of the program quits every event loop; the stand-in only says so,
    // so the slide runs to its end and then reports it.
    EXPECT_FALSE(CardSlider::slide(card, pokdeng::slidePath(1)));
    EXPECT_FALSE(CardSlider::isSliding());
}

} // namespace
