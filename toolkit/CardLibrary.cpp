#include "toolkit/CardLibrary.h"

#include "rules/Card.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

#include <array>

namespace {

const char *const kSuitNames[] = { "spades", "hearts", "diamonds", "clubs" };

QString facePath(int suit, int rank)
{
    return QStringLiteral(":/art/cards/%1-%2.bmp")
        .arg(QLatin1String(kSuitNames[suit - 1]))
        .arg(rank, 2, 10, QLatin1Char('0'));
}

// Reads a picture with the built-in decoder its suffix names. Left to guess, Qt's image reader
// first loads every image-format plugin of the system (and the JPEG library) to ask each one
// whether it reads the format: a good part of a millisecond of the start-up and memory for code
// the game never uses, since all its pictures are BMP and PNG. Null when there is no such file.
QPixmap readPicture(const QString &path)
{
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

// Loads a picture into its slot the first time it is asked for. The ratio is the highest of
// the screens', read at that moment, so a picture is never drawn coarser than a screen needs.
const QPixmap &cached(QPixmap &slot, const QString &path)
{
    if (slot.isNull()) {
        slot = CardLibrary::loadPicture(path, qGuiApp->devicePixelRatio());
        Q_ASSERT_X(!slot.isNull(), "CardLibrary", "a picture is missing from the resources");
    }
    return slot;
}

struct Pictures
{
    std::array<QPixmap, 4 * 13> faces;
    QPixmap back;
    QPixmap pack;
};

Pictures &pictures()
{
    static Pictures shared;
    return shared;
}

} // namespace

const QPixmap &CardLibrary::face(int suit, int rank)
{
    const bool valid = pokdeng::isValidSuit(suit) && pokdeng::isValidRank(rank);
    Q_ASSERT_X(valid, "CardLibrary::face", "no card has this suit and rank");
    if (!valid)
        return back();
    return cached(pictures().faces[(suit - 1) * 13 + (rank - 1)], facePath(suit, rank));
}

const QPixmap &CardLibrary::back()
{
    return cached(pictures().back, QStringLiteral(":/art/cards/back.bmp"));
}

const QPixmap &CardLibrary::pack()
{
    return cached(pictures().pack, QStringLiteral(":/art/pack.bmp"));
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

QPixmap CardLibrary::loadPicture(const QString &path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        QString doubled = path;
        doubled.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QPixmap picture = readPicture(doubled);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(2);
            return picture;
        }
    }
    return readPicture(path);
}
