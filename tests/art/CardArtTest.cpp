#include "art/CardArt.h"

#include <QSet>

#include <gtest/gtest.h>

#include <cmath>

using art::Corners;

namespace {

QSize scaled(QSize design, qreal scale)
{
    return QSize(qRound(design.width() * scale), qRound(design.height() * scale));
}

QByteArray bytesOf(const QImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
}

// True when every pixel of area is pure white.
bool isBlank(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
    return true;
}

const qreal kScales[] = { 1, 1.5, 2.37, 3 };

} // namespace

// Each picture comes out at exactly the pixels asked for, whatever the aspect, and every card
// is its own picture at any size.
TEST(CardArt, DrawsAtExactlyThePixelsAskedAndEveryCardDiffers)
{
    const QSize sizes[] = { art::kCardSize, { 168, 228 }, { 107, 144 }, { 100, 100 }, { 7, 10 } };
    for (QSize size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        EXPECT_EQ(art::drawFace(3, 12, size).size(), size);
        EXPECT_EQ(art::drawFace(3, 12, size, Corners::Square).size(), size);
        EXPECT_EQ(art::drawBack(size).size(), size);
        EXPECT_EQ(art::drawPack(size).size(), size);
    }
    QSet<QByteArray> seen;
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            seen.insert(bytesOf(art::drawFace(suit, rank, { 168, 228 })));
    seen.insert(bytesOf(art::drawBack({ 168, 228 })));
    EXPECT_EQ(seen.size(), 53);
}

TEST(CardArt, NoPictureForACardOutsideThePackOrASizeWithoutArea)
{
    EXPECT_TRUE(art::drawFace(0, 1, art::kCardSize).isNull());
    EXPECT_TRUE(art::drawFace(1, 14, art::kCardSize).isNull());
    EXPECT_TRUE(art::drawFace(1, 1, { 0, 96 }).isNull());
    EXPECT_TRUE(art::drawBack({ 71, -1 }).isNull());
    EXPECT_TRUE(art::drawPack({ 0, 0 }).isNull());
}

// The corner index keeps two design pixels of white between its ink and the card's edge (the
// 10 used to run into the edge), and a white gap between the rank and the suit sign under it
// (the J's hook used to run into the sign and read as "|"). Checked at several sizes; the
// index in the opposite corner is the same pixels turned round.
TEST(CardArt, CornerIndexKeepsClearOfTheEdgeAndOfItsSign)
{
    for (qreal scale : kScales) {
        const QSize size = scaled(art::kCardSize, scale);
        const int edge = qMax(1, qRound(scale));
        const int inkStart = int(std::floor(3 * scale)); // where the index may begin
        const int indexRight = int(std::floor(14 * scale));
        const int indexBottom = int(std::floor(25 * scale));
        const QRect leftBand(QPoint(edge, edge), QPoint(inkStart - 1, indexBottom));
        const QRect topBand(QPoint(edge, edge), QPoint(indexRight - 1, inkStart - 1));
        const QRect gap(QPoint(edge, int(std::ceil(13 * scale))),
                        QPoint(indexRight - 1, int(std::floor(15 * scale)) - 1));
        for (int suit = 1; suit <= 4; ++suit)
            for (int rank = 1; rank <= 13; ++rank) {
                SCOPED_TRACE(testing::Message()
                             << "scale " << scale << ", suit " << suit << ", rank " << rank);
                const QImage face = art::drawFace(suit, rank, size, Corners::Square);
                EXPECT_TRUE(isBlank(face, leftBand)) << "ink within two pixels of the left edge";
                EXPECT_TRUE(isBlank(face, topBand)) << "ink within two pixels of the top edge";
                EXPECT_TRUE(isBlank(face, gap)) << "the rank runs into the suit sign";
            }
    }
}

// Rounded cards are transparent outside their corners' curve and opaque along their edges.
TEST(CardArt, RoundedCornersLetTheTableShowThrough)
{
    for (qreal scale : kScales) {
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        for (const QImage &card : { art::drawFace(2, 10, scaled(art::kCardSize, scale)),
                                    art::drawBack(scaled(art::kCardSize, scale)) }) {
            ASSERT_TRUE(card.hasAlphaChannel());
            const int r = card.width() - 1, b = card.height() - 1;
            for (QPoint corner : { QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b) })
                EXPECT_EQ(qAlpha(card.pixel(corner)), 0);
            for (QPoint side :
                 { QPoint(r / 2, 0), QPoint(0, b / 2), QPoint(r, b / 2), QPoint(r / 2, b) })
                EXPECT_EQ(qAlpha(card.pixel(side)), 255);
        }
        const QImage square = art::drawFace(2, 10, scaled(art::kCardSize, scale), Corners::Square);
        EXPECT_FALSE(square.hasAlphaChannel());
    }
}

// The back's landscape sits inside a white border like the faces' white.
TEST(CardArt, BackHasAWhiteBorderAroundItsPicture)
{
    for (qreal scale : kScales) {
        SCOPED_TRACE(testing::Message() << "scale " << scale);
        const QImage back = art::drawBack(scaled(art::kCardSize, scale), Corners::Square);
        const int w = back.width(), h = back.height(), margin = qRound(2.5 * scale);
        EXPECT_EQ(back.pixel(margin, h / 2), qRgb(255, 255, 255));
        EXPECT_EQ(back.pixel(w - 1 - margin, h / 2), qRgb(255, 255, 255));
        EXPECT_EQ(back.pixel(w / 2, margin), qRgb(255, 255, 255));
        EXPECT_EQ(back.pixel(w / 2, h - 1 - margin), qRgb(255, 255, 255));
        EXPECT_NE(back.pixel(w / 2, h / 4), qRgb(255, 255, 255));
    }
}

// The four jacks (queens, kings) are four figures, not one figure with another pip: their
// robes differ in a large part of the picture between the corner signs.
TEST(CardArt, CourtFiguresDifferBySuit)
{
    const QRect robe(18, 30, 35, 14); // design pixels, below the signs and above the divide
    for (int rank = 11; rank <= 13; ++rank)
        for (int a = 1; a <= 4; ++a)
            for (int b = a + 1; b <= 4; ++b) {
                SCOPED_TRACE(testing::Message() << "rank " << rank << ", suits " << a << ", " << b);
                const QImage one = art::drawFace(a, rank, art::kCardSize).copy(robe);
                const QImage other = art::drawFace(b, rank, art::kCardSize).copy(robe);
                int differing = 0;
                for (int y = 0; y < robe.height(); ++y)
                    for (int x = 0; x < robe.width(); ++x)
                        differing += one.pixel(x, y) != other.pixel(x, y);
                EXPECT_GT(differing, robe.width() * robe.height() / 4);
            }
}
