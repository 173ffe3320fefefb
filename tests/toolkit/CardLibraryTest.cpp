#include "toolkit/CardLibrary.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const char *const kSuitNames[] = { "spades", "hearts", "diamonds", "clubs" };

QString facePath(int suit, int rank)
{
    return QStringLiteral(":/art/cards/%1-%2.bmp")
        .arg(QLatin1String(kSuitNames[suit - 1]))
        .arg(rank, 2, 10, QLatin1Char('0'));
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

} // namespace

// Every bitmap in the resources, at both sizes, as the design asks: uncompressed 24-bit, the
// double-size picture exactly twice as wide and high.
TEST(CardArt, EveryBitmapIsUncompressed24BitAtBothSizes)
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
        QString doubledPath = picture.path;
        doubledPath.replace(QStringLiteral(".bmp"), QStringLiteral("@2x.bmp"));
        const BmpHeader doubled = readBmpHeader(doubledPath);
        EXPECT_EQ(doubled.width, 2 * picture.width);
        EXPECT_EQ(doubled.height, 2 * picture.height);
        EXPECT_EQ(doubled.bitsPerPixel, 24);
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
            const QImage image = face.toImage().convertToFormat(QImage::Format_RGB32);
            seen.insert(
                QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));

            const QRect topLeft(1, 1, 14, 24);
            const QRect bottomRight(image.width() - 15, image.height() - 25, 14, 24);
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
    // The other two corners are covered by cards.
    EXPECT_NE(image.pixelColor(image.width() - 1, 0), felt);
    EXPECT_NE(image.pixelColor(0, image.height() - 1), felt);
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

// On a high-DPI screen the double-size picture is used, and still lays out as 71 x 96.
TEST(CardLibrary, LoadsTheDoubleSizePictureForHighDpiScreens)
{
    const QString path = facePath(3, 7);
    const QPixmap normal = CardLibrary::loadPicture(path, 1);
    const QPixmap sharp = CardLibrary::loadPicture(path, 2);
    EXPECT_EQ(normal.size(), QSize(71, 96));
    EXPECT_EQ(normal.devicePixelRatio(), 1);
    EXPECT_EQ(sharp.size(), QSize(142, 192));
    EXPECT_EQ(sharp.devicePixelRatio(), 2);
    EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(71, 96));
    // A fractional ratio such as 1.25 also takes the sharper picture; Qt scales it down.
    EXPECT_EQ(CardLibrary::loadPicture(path, 1.25).size(), QSize(142, 192));
}
