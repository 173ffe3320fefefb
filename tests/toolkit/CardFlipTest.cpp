// A card turning over: how much of its width it shows as the flip goes on, the frames drawn at
// those widths at 1x and 2x, the card above every control while it turns and back in its place
// after, the faces given once halfway, and the user's input during the flip dropped.
#include "toolkit/CardFlip.h"
#include "toolkit/CardPicture.h"
#include "toolkit/CardSlider.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(CardFlip, ShowsAllOfItsWidthAtTheEndsAndNoneHalfway)
{
    const struct
    {
        double elapsedMs, width;
    } frames[]
        = { { -5, 1 }, { 0, 1 }, { 37.5, 0.5 }, { 75, 0 }, { 112.5, 0.5 }, { 150, 1 }, { 400, 1 } };
    for (const auto &frame : frames)
        EXPECT_DOUBLE_EQ(CardFlip::widthAt(frame.elapsedMs), frame.width) << frame.elapsedMs;
}

// A green table with one card on it, at the size given.
struct GreenTable
{
    explicit GreenTable(QSize cardSize)
    {
        table.resize(cardSize + QSize(40, 40));
        table.setAutoFillBackground(true);
        table.setPalette(QPalette(QColor(0, 128, 0)));
        card = new CardPicture(&table);
        card->setGeometry(QRect(QPoint(20, 20), cardSize));
        card->showFace(2, 7);
    }
    // The columns of the card's place where the card shows.
    int columnsShown()
    {
        const QImage image = table.grab().toImage();
        int columns = 0;
        for (int x = card->x(); x <= card->geometry().right(); ++x) {
            bool card = false;
            for (int y = this->card->y() + 20; y < this->card->geometry().bottom() - 20 && !card;
                 ++y)
                card = QColor(image.pixel(x, y)) != QColor(0, 128, 0);
            columns += card;
        }
        return columns;
    }

    QWidget table;
    CardPicture *card = nullptr;
};

TEST(CardFlip, FramesAreDrawnAtTheirWidthsAt1xAnd2x)
{
    for (const QSize size : { QSize(71, 96), QSize(142, 192) })
        for (const double width : { 1.0, 0.75, 0.5, 0.2, 0.0 }) {
            GreenTable table(size);
            table.card->setSqueeze(width);
            EXPECT_NEAR(table.columnsShown(), size.width() * width, 1.0)
                << size.width() << " wide at " << width;
        }
}

class Flips : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CardFlip::setInstant(false);
        card = new CardPicture(&table);
        card->setGeometry(20, 20, 71, 96);
        card->showBack();
        button = new QPushButton(&table);
        button->setGeometry(60, 60, 80, 30); // over the card's right half
        table.resize(200, 200);
        table.show();
    }
    void TearDown() override { CardFlip::setInstant(true); }

    QWidget *topmost() const
    {
        QWidget *top = nullptr;
        for (QObject *child : table.children())
            if (child->isWidgetType())
                top = static_cast<QWidget *>(child);
        return top;
    }

    QWidget table;
    CardPicture *card = nullptr;
    QPushButton *button = nullptr;
};

TEST_F(Flips, ATurningCardIsOnTopGetsItsFaceOnceAndGoesBackInTheStack)
{
    int framesSeen = 0, framesOnTop = 0, facesGiven = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!CardFlip::isTurning())
            return;
        ++framesSeen;
        framesOnTop += topmost() == card;
    });
    watch.start(5);
    ASSERT_TRUE(CardFlip::turnOver({ card }, [&] {
        ++facesGiven;
        EXPECT_LT(card->squeeze(), 0.5) << "the face comes when the card is edge on";
        card->showFace(3, 12);
    }));
    watch.stop();
    EXPECT_GT(framesSeen, 0);
    EXPECT_EQ(framesOnTop, framesSeen);
    EXPECT_EQ(facesGiven, 1);
    EXPECT_EQ(card->squeeze(), 1);
    EXPECT_EQ(topmost(), button);
}

TEST_F(Flips, InputDuringAFlipIsDroppedNotDeferred)
{
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    QTimer::singleShot(30, [&] {
        ASSERT_TRUE(CardFlip::isTurning());
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Space);
    });
    ASSERT_TRUE(CardFlip::turnOver({ card }, [&] { card->showFace(3, 12); }));
    QCoreApplication::processEvents();
    QTest::qWait(20);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "input after the flip is handled again";
}

} // namespace
