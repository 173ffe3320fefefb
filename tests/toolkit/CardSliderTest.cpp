#include "toolkit/CardSlider.h"
#include "rules/SlidePath.h"
#include "support/ScriptedToolkit.h"
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

using pokdeng::TwipsPoint;

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

class Slides : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CardSlider::setInstant(false);
        table.resize(twips::size(6300, 5280));
        card = new QLabel(&table);
        card->setGeometry(twips::rect(2880, 1680, 1065, 1440));
        button = new QPushButton(&table);
        button->setGeometry(10, 10, 80, 30);
        table.show();
    }
    void TearDown() override { CardSlider::setInstant(true); }

    QWidget table;
    QLabel *card = nullptr;
    QPushButton *button = nullptr;
};

TEST_F(Slides, FramesFollowThePathInOrderAndEndExactlyInPlace)
{
    const auto path = pokdeng::slidePath(10); // a third card: about half a second
    std::vector<QPoint> onScreen;
    for (const TwipsPoint &p : path)
        onScreen.push_back(twips::point(p.left, p.top));

    MoveRecorder recorder(card);
    ASSERT_TRUE(CardSlider::slide(card, path));
    EXPECT_EQ(card->pos(), onScreen.back());
    ASSERT_GE(recorder.positions.size(), 3u) << "the card was seen on its way";
    auto from = onScreen.begin();
    for (const QPoint &seen : recorder.positions) {
        from = std::find(from, onScreen.end(), seen);
        ASSERT_NE(from, onScreen.end()) << "a frame off the path, or going back";
    }
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
