#include "toolkit/CardLibrary.h"

#include "art/CardArt.h"
#include "art/PictureNames.h"
#include "rules/Card.h"

#include <QCache>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>

#include <array>
#include <cmath>

namespace {

// Pictures are numbered: the faces 0 to 51 by suit then rank, then the back and the pack.
constexpr int kBack = 52;
constexpr int kPack = 53;
constexpr int kPictureCount = 54;

int faceNumber(int suit, int rank)
{
    return (suit - 1) * 13 + (rank - 1);
}

QSize designSize(int picture)
{
    return picture == kPack ? art::kPackSize : art::kCardSize;
}

QString resourcePath(int picture)
{
    const QString name = picture == kBack ? art::backPictureName()
        : picture == kPack                ? art::packPictureName()
                           : art::facePictureName(picture / 13 + 1, picture % 13 + 1);
    return QStringLiteral(":/art/") + name;
}

// Reads a picture with the built-in decoder its suffix names. Left to guess, Qt's image reader
// first loads every image-format plugin of the system (and the JPEG library) to ask each one
// whether it reads the format: a good part of a millisecond of the start-up and memory for code
// the game never uses, since all its pictures are BMP and PNG. Null when there is no such file.
QImage readImage(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QPixmap readPicture(const QString &path)
{
    return QPixmap::fromImage(readImage(path));
}

// The design bitmap as the game shows it: cards get their rounded corners (the pack's picture
// already has its cards rounded on the felt).
QPixmap designPicture(int picture)
{
    const QImage bitmap = readImage(resourcePath(picture));
    Q_ASSERT_X(!bitmap.isNull(), "CardLibrary", "a picture is missing from the resources");
    return QPixmap::fromImage(picture == kPack ? bitmap : art::roundCorners(bitmap));
}

CardLibrary::Deck g_deck = CardLibrary::Deck::Design;

bool isFace(int picture)
{
    return picture != kBack && picture != kPack;
}

QImage drawPicture(int picture, QSize pixels, CardLibrary::Deck deck)
{
    if (picture == kBack)
        return art::drawBack(pixels);
    if (picture == kPack)
        return art::drawPack(pixels);
    return art::drawFace(picture / 13 + 1, picture % 13 + 1, pixels, art::Corners::Rounded,
                         deck == CardLibrary::Deck::FourColour ? art::Deck::FourColour
                                                               : art::Deck::Design);
}

struct Key
{
    int picture;
    QSize pixels;
    qreal ratio;
    CardLibrary::Deck deck;

    bool operator==(const Key &) const = default;
};

size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.picture, key.pixels.width(), key.pixels.height(), key.ratio,
                      int(key.deck));
}

// Drawn pictures, their cost in KiB: room for every picture of a full table several times
// over at any sensible size, and a bound on memory while a window is resized through many.
constexpr int kCacheKiB = 48 * 1024;

struct Pictures
{
    std::array<QPixmap, kPictureCount> design;
    QCache<Key, QPixmap> drawn { kCacheKiB };
};

Pictures &pictures()
{
    static Pictures shared;
    return shared;
}

QPixmap picture(int picture, QSize logicalSize, qreal ratio)
{
    if (logicalSize.isEmpty() || !std::isfinite(ratio) || ratio <= 0)
        return {};
    Pictures &all = pictures();
    // Only the design's deck has bitmaps; the four-colour faces are drawn at every size.
    const CardLibrary::Deck deck = isFace(picture) ? g_deck : CardLibrary::Deck::Design;
    if (logicalSize == designSize(picture) && ratio == 1 && deck == CardLibrary::Deck::Design) {
        QPixmap &slot = all.design[picture];
        if (slot.isNull())
            slot = designPicture(picture);
        return slot;
    }

    qreal width = logicalSize.width() * ratio, height = logicalSize.height() * ratio;
    const qreal over = qMax(width, height) / CardLibrary::kMaxDevicePixels;
    if (over > 1) {
        width /= over;
        height /= over;
        ratio /= over;
    }
    const Key key { picture, QSize(qMax(1, qRound(width)), qMax(1, qRound(height))), ratio, deck };
    if (const QPixmap *kept = all.drawn.object(key))
        return *kept;
    QPixmap drawn = QPixmap::fromImage(drawPicture(picture, key.pixels, deck));
    drawn.setDevicePixelRatio(ratio);
    const qint64 kib = qint64(key.pixels.width()) * key.pixels.height() * 4 / 1024;
    all.drawn.insert(key, new QPixmap(drawn), int(qBound<qint64>(1, kib, qint64(kCacheKiB))));
    return drawn;
}

int checkedFace(int suit, int rank)
{
    const bool valid = cards::isValidSuit(suit) && cards::isValidRank(rank);
    Q_ASSERT_X(valid, "CardLibrary::face", "no card has this suit and rank");
    return valid ? faceNumber(suit, rank) : kBack;
}

} // namespace

void CardLibrary::setDeck(Deck deck)
{
    g_deck = deck;
}

CardLibrary::Deck CardLibrary::deck()
{
    return g_deck;
}

QPixmap CardLibrary::face(int suit, int rank)
{
    return face(suit, rank, art::kCardSize, qGuiApp->devicePixelRatio());
}

QPixmap CardLibrary::back()
{
    return back(art::kCardSize, qGuiApp->devicePixelRatio());
}

QPixmap CardLibrary::pack()
{
    return pack(art::kPackSize, qGuiApp->devicePixelRatio());
}

QPixmap CardLibrary::face(int suit, int rank, QSize logicalSize, qreal devicePixelRatio)
{
    return picture(checkedFace(suit, rank), logicalSize, devicePixelRatio);
}

QPixmap CardLibrary::back(QSize logicalSize, qreal devicePixelRatio)
{
    return picture(kBack, logicalSize, devicePixelRatio);
}

QPixmap CardLibrary::pack(QSize logicalSize, qreal devicePixelRatio)
{
    return picture(kPack, logicalSize, devicePixelRatio);
}

QIcon CardLibrary::windowIcon()
{
    static const QIcon icon = [] {
        QIcon both;
        both.addPixmap(readPicture(QStringLiteral(":/art/icon.png")));
        both.addPixmap(readPicture(QStringLiteral(":/art/icon@2x.png")));
        return both;
    }();
    return icon;
}
