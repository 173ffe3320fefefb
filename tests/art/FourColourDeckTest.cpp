// The four-colour deck: every one of the 52 faces differs from the design deck's only in the
// colour of its suit's ink and in its larger corner indices, at 1x, 2x and 3x; hearts red,
// diamonds blue, clubs green, spades black.
#include "art/CardArt.h"
#include "art/SuitSigns.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace art;

namespace {

struct SuitColours
{
    int suit;
    QColor design, fourColour;
};

// The corner index boxes of the four-colour deck (the larger of the two), top left and bottom
// right, in pixels of a face of that size.
bool inIndexBox(QPoint p, QSize size)
{
    const int right = qRound(15.5 * size.width() / 71.0);
    const int bottom = qRound(28.5 * size.height() / 96.0);
    const bool topLeft = p.x() <= right && p.y() <= bottom;
    const bool bottomRight
        = p.x() >= size.width() - 1 - right && p.y() >= size.height() - 1 - bottom;
    return topLeft || bottomRight;
}

// Where the decks differ, the difference is the ink's change of colour times how much of the
// pixel the ink covers (0 to 1): the same drawing in another ink, over the same background.
bool isInkChange(QRgb design, QRgb four, const QColor &from, const QColor &to, int tolerance)
{
    const int d[3]
        = { qRed(four) - qRed(design), qGreen(four) - qGreen(design), qBlue(four) - qBlue(design) };
    const int c[3] = { to.red() - from.red(), to.green() - from.green(), to.blue() - from.blue() };
    // The coverage from the channel that changes most.
    const int most = int(
        std::max_element(c, c + 3, [](int a, int b) { return std::abs(a) < std::abs(b); }) - c);
    if (c[most] == 0)
        return std::abs(d[0]) + std::abs(d[1]) + std::abs(d[2]) <= tolerance;
    const double coverage = double(d[most]) / c[most];
    if (coverage < -0.02 || coverage > 1.02)
        return false;
    for (int k = 0; k < 3; ++k)
        if (std::abs(d[k] - coverage * c[k]) > tolerance)
            return false;
    return qAlpha(design) == qAlpha(four);
}

class FourColourDeck : public ::testing::TestWithParam<qreal>
{
};

TEST_P(FourColourDeck, DiffersOnlyInTheSuitsInkAndTheIndexSize)
{
    const qreal scale = GetParam();
    const QSize size(qRound(71 * scale), qRound(96 * scale));
    for (int suit = 1; suit <= 4; ++suit) {
        const QColor from = suitColour(suit, Deck::Design);
        const QColor to = suitColour(suit, Deck::FourColour);
        for (int rank = 1; rank <= 13; ++rank) {
            const QImage design = drawFace(suit, rank, size, Corners::Rounded, Deck::Design)
                                      .convertToFormat(QImage::Format_ARGB32);
            const QImage four = drawFace(suit, rank, size, Corners::Rounded, Deck::FourColour)
                                    .convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(design.size(), four.size());
            int wrong = 0, designIndexInk = 0, fourIndexInk = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb a = design.pixel(x, y), b = four.pixel(x, y);
                    if (inIndexBox({ x, y }, size)) {
                        designIndexInk += qGray(a) < 160;
                        fourIndexInk += qGray(b) < 200 && b != qRgb(255, 255, 255);
                        continue;
                    }
                    if (a != b && !isInkChange(a, b, from, to, 3))
                        ++wrong;
                }
            EXPECT_EQ(wrong, 0) << "suit " << suit << " rank " << rank << " at " << scale << "x";
            EXPECT_GT(fourIndexInk, designIndexInk) << "suit " << suit << " rank " << rank;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FourColourDeck, ::testing::Values(1.0, 2.0, 3.0),
                         [](const auto &info) { return std::to_string(int(info.param)) + "x"; });

TEST(FourColourDeck, EachSuitHasItsOwnColour)
{
    const struct
    {
        int suit;
        const char *name;
        QColor colour;
    } suits[] = { { 2, "hearts red", QColor(208, 0, 0) },
                  { 3, "diamonds blue", QColor(0, 64, 208) },
                  { 4, "clubs green", QColor(0, 120, 0) },
                  { 1, "spades black", QColor(0, 0, 0) } };
    for (const auto &row : suits) {
        EXPECT_EQ(suitColour(row.suit, Deck::FourColour), row.colour) << row.name;
        // The ace's large sign, at the middle of the card, is drawn in it.
        if (row.suit != 1) {
            const QImage ace
                = drawFace(row.suit, 1, QSize(213, 288), Corners::Square, Deck::FourColour);
            EXPECT_EQ(QColor(ace.pixel(106, 142)), row.colour) << row.name;
        }
    }
}

} // namespace
