#include "toolkit/CardLibrary.h"

#include "art/CardArt.h"
#include "art/PictureNames.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

QString facePath(int suit, int rank)
{
    return QStringLiteral(":/art/") + art::facePictureName(suit, rank);
}

struct BmpHeader
{
    int width = 0, height = 0, bitsPerPixel = 0, compression = -1;
};

BmpHeader readBmpHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(54);
    if (bytes.size() < 54 || !bytes.startsWith("BM"))
        return {};
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    return { qFromLittleEndian<qint32>(p + 18), qFromLittleEndian<qint32>(p + 22),
             qFromLittleEndian<quint16>(p + 28), int(qFromLittleEndian<quint32>(p + 30)) };
}

bool isRed(QRgb p)
{
    return qRed(p) > 150 && qGreen(p) < 110 && qBlue(p) < 110;
}
bool isDark(QRgb p)
{
    return qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80;
}

// Neighbouring pixels, across and down, whose brightness jumps by more than half the range:
// the sharp edges of a picture. Stretching a small bitmap smoothly spreads each edge over
// several pixels and loses them.
int sharpEdges(const QImage &picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    int edges = 0;
    for (int y = 0; y + 1 < grey.height(); ++y)
        for (int x = 0; x + 1 < grey.width(); ++x) {
            const int here = qGray(grey.pixel(x, y));
            edges += std::abs(here - qGray(grey.pixel(x + 1, y))) > 128;
            edges += std::abs(here - qGray(grey.pixel(x, y + 1))) > 128;
        }
    return edges;
}

// Pixels whose colour differs by more than a quarter of the range in some channel.
int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            count += std::max({ std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)) })
                > 64;
        }
    return count;
}

} // namespace

// Every design bitmap in the resources as the design asks: uncompressed 24-bit, at its size.
TEST(CardArt, EveryBitmapIsUncompressed24Bit)
{
    struct Expected
    {
        QString path;
        int width, height;
    };
    std::vector<Expected> pictures = { { QStringLiteral(":/art/cards/back.bmp"), 71, 96 },
                                       { QStringLiteral(":/art/pack.bmp"), 80, 105 } };
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            pictures.push_back({ facePath(suit, rank), 71, 96 });

    for (const Expected &picture : pictures) {
        SCOPED_TRACE(picture.path.toStdString());
        const BmpHeader normal = readBmpHeader(picture.path);
        EXPECT_EQ(normal.width, picture.width);
        EXPECT_EQ(normal.height, picture.height);
        EXPECT_EQ(normal.bitsPerPixel, 24);
        EXPECT_EQ(normal.compression, 0);
    }
}

// 52 different faces and the back, each the size of a card, red for hearts and diamonds and
// black for spades and clubs, with the top-left index repeated upside down bottom right.
TEST(CardLibrary, HasFiftyTwoDistinctFacesAndTheBack)
{
    QSet<QByteArray> seen;
    const QImage back = CardLibrary::back().toImage();
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(CardLibrary::back().deviceIndependentSize(), QSizeF(71, 96));
    seen.insert(QByteArray(reinterpret_cast<const char *>(back.constBits()), back.sizeInBytes()));

    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            SCOPED_TRACE(facePath(suit, rank).toStdString());
            const QPixmap &face = CardLibrary::face(suit, rank);
            ASSERT_FALSE(face.isNull());
            EXPECT_EQ(face.deviceIndependentSize(), QSizeF(71, 96));
            const QImage image = face.toImage().convertToFormat(QImage::Format_ARGB32);
            seen.insert(
                QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));

            // Inside the rounded corner, where the index is.
            const QRect topLeft(3, 3, 12, 22);
            const QRect bottomRight(image.width() - 15, image.height() - 25, 12, 22);
            EXPECT_EQ(image.copy(topLeft).mirrored(true, true), image.copy(bottomRight));

            int red = 0, dark = 0;
            for (int y = topLeft.top(); y <= topLeft.bottom(); ++y)
                for (int x = topLeft.left(); x <= topLeft.right(); ++x) {
                    red += isRed(image.pixel(x, y));
                    dark += isDark(image.pixel(x, y));
                }
            const bool redSuit = suit == 2 || suit == 3;
            EXPECT_GT(redSuit ? red : dark, 20) << "corner index in the suit's colour";
            EXPECT_EQ(redSuit ? dark : red, 0) << "no ink of the other colour in the index";
        }
    }
    EXPECT_EQ(seen.size(), 53);
}

// Two slots show the same picture exactly when they hold the same card.
TEST(CardLibrary, SharesOnePicturePerCard)
{
    EXPECT_EQ(CardLibrary::face(2, 12).cacheKey(), CardLibrary::face(2, 12).cacheKey());
    EXPECT_EQ(CardLibrary::back().cacheKey(), CardLibrary::back().cacheKey());
    EXPECT_NE(CardLibrary::face(2, 12).cacheKey(), CardLibrary::face(3, 12).cacheKey());
    EXPECT_NE(CardLibrary::face(2, 12).cacheKey(), CardLibrary::face(2, 13).cacheKey());
    EXPECT_NE(CardLibrary::face(1, 1).cacheKey(), CardLibrary::back().cacheKey());
}

// A card outside the pack is the caller's mistake: caught in a debug build, the back in a
// release build; never a read outside the library.
TEST(CardLibraryDeathTest, CardOutsideThePackIsCaught)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::pair<int, int> outside[] = { { 0, 1 }, { 5, 1 }, { 1, 0 }, { 4, 14 }, { -1, -1 } };
    for (auto [suit, rank] : outside) {
        SCOPED_TRACE(testing::Message() << "suit " << suit << ", rank " << rank);
#ifdef QT_NO_DEBUG
        EXPECT_EQ(CardLibrary::face(suit, rank).cacheKey(), CardLibrary::back().cacheKey());
#else
        EXPECT_DEATH(CardLibrary::face(suit, rank), "no card has this suit and rank");
#endif
    }
}

TEST(CardLibrary, PackShowsTheFeltInItsFreeCorners)
{
    const QPixmap &pack = CardLibrary::pack();
    ASSERT_EQ(pack.deviceIndependentSize(), QSizeF(80, 105));
    const QImage image = pack.toImage();
    const QColor felt(25, 123, 48);
    EXPECT_EQ(image.pixelColor(0, 0), felt);
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), felt);
    // The other two corners are covered by cards, up to their rounding.
    EXPECT_NE(image.pixelColor(image.width() - 1, 8), felt);
    EXPECT_NE(image.pixelColor(0, image.height() - 9), felt);
}

TEST(CardLibrary, WindowIconHasSixteenColoursAndADoubleSize)
{
    const QIcon icon = CardLibrary::windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(64, 64)));

    const QImage small(QStringLiteral(":/art/icon.png"));
    EXPECT_EQ(small.size(), QSize(32, 32));
    EXPECT_EQ(small.format(), QImage::Format_Indexed8);
    EXPECT_LE(small.colorCount(), 16);
}

// What the game shows at the design size is the committed bitmap, and the bitmap is what the
// drawing code draws today: a change to the drawing that was not followed by art/generate.sh
// fails here.
TEST(CardLibrary, DesignPicturesAreTheDrawingAtTheDesignSize)
{
    struct Picture
    {
        const char *name;
        QPixmap shown;
        QImage drawn;
    };
    const Picture pictures[] = {
        { "ace of spades", CardLibrary::face(1, 1, art::kCardSize, 1),
          art::drawFace(1, 1, art::kCardSize) },
        { "ten of hearts", CardLibrary::face(2, 10, art::kCardSize, 1),
          art::drawFace(2, 10, art::kCardSize) },
        { "jack of diamonds", CardLibrary::face(3, 11, art::kCardSize, 1),
          art::drawFace(3, 11, art::kCardSize) },
        { "king of clubs", CardLibrary::face(4, 13, art::kCardSize, 1),
          art::drawFace(4, 13, art::kCardSize) },
        { "back", CardLibrary::back(art::kCardSize, 1), art::drawBack(art::kCardSize) },
        { "pack", CardLibrary::pack(art::kPackSize, 1), art::drawPack(art::kPackSize) },
    };
    for (const Picture &picture : pictures) {
        SCOPED_TRACE(picture.name);
        const QImage shown = picture.shown.toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage drawn = picture.drawn.convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(shown.size(), drawn.size());
        int worst = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = drawn.pixel(x, y);
                worst = std::max({ worst, std::abs(qRed(a) - qRed(b)),
                                   std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                                   std::abs(qAlpha(a) - qAlpha(b)) });
            }
        // A few levels of rounding between machines; a stale picture differs by far more.
        EXPECT_LE(worst, 24);
    }
}

// At any other size or device pixel ratio the picture is drawn at exactly the device pixels it
// covers and carries the ratio, so it paints one to one onto the screen.
TEST(CardLibrary, DrawsOtherSizesAtTheirDevicePixels)
{
    struct Case
    {
        const char *name;
        QSize logical;
        qreal ratio;
        QSize pixels;
    };
    const Case cases[] = {
        { "design size on a double-density screen", { 71, 96 }, 2, { 142, 192 } },
        { "design size at ratio 1.25", { 71, 96 }, 1.25, { 89, 120 } },
        { "a table scaled 2.37 times", { 168, 228 }, 1, { 168, 228 } },
        { "scaled and on a fractional screen", { 107, 144 }, 1.5, { 161, 216 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QPixmap face = CardLibrary::face(2, 12, c.logical, c.ratio);
        EXPECT_EQ(face.size(), c.pixels);
        EXPECT_EQ(face.devicePixelRatio(), c.ratio);
        EXPECT_EQ(CardLibrary::back(c.logical, c.ratio).size(), c.pixels);
        EXPECT_TRUE(face.hasAlphaChannel()) << "rounded corners";
    }
    EXPECT_EQ(CardLibrary::pack({ 160, 210 }, 1.5).size(), QSize(240, 315));
    // The old calls are the design size at the screens' ratio (1 offscreen).
    EXPECT_EQ(CardLibrary::face(3, 7).size(), QSize(71, 96));
    EXPECT_EQ(CardLibrary::face(3, 7).devicePixelRatio(), 1);
}

// Bad sizes never crash and never allocate without bound.
TEST(CardLibrary, AbsurdSizesGiveNullOrBoundedPictures)
{
    EXPECT_TRUE(CardLibrary::face(1, 1, { 0, 96 }, 1).isNull());
    EXPECT_TRUE(CardLibrary::face(1, 1, { -71, 96 }, 1).isNull());
    EXPECT_TRUE(CardLibrary::back({ 71, 96 }, 0).isNull());
    EXPECT_TRUE(CardLibrary::back({ 71, 96 }, qQNaN()).isNull());
    const QPixmap huge = CardLibrary::face(1, 1, { 100000, 135000 }, 1);
    EXPECT_LE(std::max(huge.width(), huge.height()), CardLibrary::kMaxDevicePixels);
    EXPECT_NEAR(huge.deviceIndependentSize().width(), 100000, 100);
}

// A size in use is drawn once: asking again gives the same pixmap.
TEST(CardLibrary, ReusesDrawnPictures)
{
    const QPixmap first = CardLibrary::face(4, 11, { 142, 192 }, 1.5);
    EXPECT_EQ(CardLibrary::face(4, 11, { 142, 192 }, 1.5).cacheKey(), first.cacheKey());
    EXPECT_NE(CardLibrary::face(4, 11, { 143, 192 }, 1.5).cacheKey(), first.cacheKey());
    EXPECT_NE(CardLibrary::face(4, 12, { 142, 192 }, 1.5).cacheKey(), first.cacheKey());
    EXPECT_EQ(CardLibrary::pack({ 80, 105 }, 2).cacheKey(),
              CardLibrary::pack({ 80, 105 }, 2).cacheKey());
}

// At 2.37 times the face is drawn afresh, not the design bitmap stretched: its sharp edges grow
// with its size (a smooth stretch blurs them away), and it is not the bitmap's pixels enlarged.
TEST(CardLibrary, ScaledFaceIsDrawnNotStretched)
{
    const qreal ratio = 2.37;
    for (auto [suit, rank] : { std::pair { 1, 10 }, { 2, 11 }, { 4, 13 } }) {
        SCOPED_TRACE(testing::Message() << "suit " << suit << ", rank " << rank);
        const QPixmap drawnPixmap = CardLibrary::face(suit, rank, art::kCardSize, ratio);
        const QImage drawn = drawnPixmap.toImage().convertToFormat(QImage::Format_RGB32);
        const QImage design = CardLibrary::face(suit, rank, art::kCardSize, 1)
                                  .toImage()
                                  .convertToFormat(QImage::Format_RGB32);
        const QImage smooth
            = design.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage blocky
            = design.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        // Every edge is 2.37 times as long as in the design, and so is its count of sharp pixel
        // steps; a smooth stretch keeps almost none.
        const int designEdges = sharpEdges(design);
        EXPECT_GT(sharpEdges(drawn), 9 * designEdges / 5);
        EXPECT_LT(sharpEdges(smooth), designEdges);
        EXPECT_GT(differingPixels(drawn, blocky), drawn.width() * drawn.height() / 50);
    }
}
