// Draws every design picture of the game into the art folder: the 52 faces and the back
// (cards/) and the pack at their design sizes, the window icon at its two sizes, and the icon a
// desktop's menu shows, at the sizes of the hicolor theme and as SVG (icons/). With --sheet it
// also writes contact sheets for looking the art over: every card as the game shows it, at the
// design size and larger.
//
//     pokdeng_artgen <art folder> [--sheet <folder>]

#include "IconArt.h"
#include "art/CardArt.h"
#include "art/PictureNames.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool save(const QImage &image, const QString &path, const char *format)
{
    if (image.save(path, format))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// Writes name.ext and name@2x.ext.
template<typename Draw>
bool saveBoth(const QDir &dir, const QString &name, const char *ext, const char *format, Draw draw)
{
    const QString suffix = QLatin1Char('.') + QLatin1String(ext);
    return save(draw(1), dir.filePath(name + suffix), format)
        && save(draw(2), dir.filePath(name + QStringLiteral("@2x") + suffix), format);
}

// The design pictures are uncompressed 24-bit bitmaps.
bool saveBitmap(const QDir &dir, const QString &name, const QImage &picture)
{
    return save(picture.convertToFormat(QImage::Format_RGB888), dir.filePath(name), "BMP");
}

QImage zoomed(const QImage &image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// icons/pokdeng-<size>.png for each size of the hicolor theme, and icons/pokdeng.svg recording
// the same painting as the large sizes.
bool writeThemeIcons(const QDir &dir)
{
    if (!dir.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "cannot create %s/icons\n", qPrintable(dir.path()));
        return false;
    }
    for (int size : { 16, 32, 48, 64, 128, 256 })
        if (!save(art::drawThemeIcon(size),
                  dir.filePath(QStringLiteral("icons/pokdeng-%1.png").arg(size)), "PNG"))
            return false;
    QSvgGenerator svg;
    svg.setFileName(dir.filePath(QStringLiteral("icons/pokdeng.svg")));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("ป๊อกเด้ง"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
        return false;
    }
    painter.scale(8, 8);
    art::paintIcon(painter);
    return painter.end();
}

QSize times(QSize design, qreal scale)
{
    return QSize(qRound(design.width() * scale), qRound(design.height() * scale));
}

// All 52 faces in suit rows, then the back, the pack, the icon and a fan of the four aces as
// the start window overlaps its cards, on the table's green, every card drawn at scale.
QImage contactSheet(qreal scale)
{
    const QSize card = times(art::kCardSize, scale);
    const int cw = card.width(), ch = card.height(), gap = qRound(6 * scale);
    QImage sheet(13 * (cw + gap) + gap, 5 * (ch + gap) + 3 * gap + qRound(10 * scale),
                 QImage::Format_RGB32);
    sheet.fill(QColor(0, 128, 0));
    QPainter painter(&sheet);
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            painter.drawImage(gap + (rank - 1) * (cw + gap), gap + (suit - 1) * (ch + gap),
                              art::drawFace(suit, rank, card));
    const int y = gap + 4 * (ch + gap);
    painter.drawImage(gap, y, art::drawBack(card));
    painter.drawImage(gap + cw + gap, y, art::drawPack(times(art::kPackSize, scale)));
    const int iconScale = qMax(1, qRound(scale));
    const int iconX = 3 * (cw + gap) + gap;
    painter.fillRect(QRect(iconX, y, 32 * iconScale, 32 * iconScale), QColor(212, 208, 200));
    painter.drawImage(iconX, y, art::drawIcon(iconScale));
    // Fans as the start window shows them: each card two thirds covered by its right neighbour.
    const int fanStep = qRound(16 * scale);
    const std::pair<int, int> fans[2][4] = { { { 1, 1 }, { 2, 1 }, { 3, 1 }, { 4, 1 } },
                                             { { 2, 10 }, { 1, 10 }, { 3, 11 }, { 4, 10 } } };
    for (int f = 0; f < 2; ++f)
        for (int k = 0; k < 4; ++k)
            painter.drawImage(5 * (cw + gap) + f * 4 * (cw + gap) + k * fanStep, y,
                              art::drawFace(fans[f][k].first, fans[f][k].second, card));
    return sheet;
}

// Every face of a suit at its design size, enlarged three times pixel for pixel, to judge the
// drawing pixel by pixel.
QImage zoomStrip(int suit)
{
    const int cw = art::kCardSize.width(), ch = art::kCardSize.height();
    QImage strip(7 * (cw + 2) + 2, 2 * (ch + 2) + 2, QImage::Format_RGB32);
    strip.fill(QColor(0, 128, 0));
    QPainter painter(&strip);
    for (int rank = 1; rank <= 13; ++rank)
        painter.drawImage(2 + ((rank - 1) % 7) * (cw + 2), 2 + ((rank - 1) / 7) * (ch + 2),
                          art::drawFace(suit, rank, art::kCardSize));
    painter.drawImage(2 + 6 * (cw + 2), 2 + ch + 2, art::drawBack(art::kCardSize));
    painter.end();
    return zoomed(strip, 3);
}

bool writeSheets(const QDir &dir)
{
    static const char *const suitNames[] = { "spades", "hearts", "diamonds", "clubs" };
    bool ok = save(contactSheet(1), dir.filePath(QStringLiteral("sheet-1x.png")), "PNG")
        && save(contactSheet(2.4), dir.filePath(QStringLiteral("sheet-2.4x.png")), "PNG");
    for (int suit = 1; ok && suit <= 4; ++suit)
        ok = save(
            zoomStrip(suit),
            dir.filePath(QStringLiteral("zoom-%1.png").arg(QLatin1String(suitNames[suit - 1]))),
            "PNG");
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == QStringLiteral("--sheet"))) {
        std::fprintf(stderr, "usage: pokdeng_artgen <art folder> [--sheet <folder>]\n");
        return 2;
    }

    QDir artDir(args[1]);
    if (!artDir.mkpath(QStringLiteral("cards"))) {
        std::fprintf(stderr, "cannot create %s/cards\n", qPrintable(args[1]));
        return 1;
    }
    bool ok = true;
    for (int suit = 1; ok && suit <= 4; ++suit)
        for (int rank = 1; ok && rank <= 13; ++rank)
            ok = saveBitmap(artDir, art::facePictureName(suit, rank),
                            art::drawFace(suit, rank, art::kCardSize, art::Corners::Square));
    ok = ok
        && saveBitmap(artDir, art::backPictureName(),
                      art::drawBack(art::kCardSize, art::Corners::Square))
        && saveBitmap(artDir, art::packPictureName(), art::drawPack(art::kPackSize))
        && saveBoth(artDir, QStringLiteral("icon"), "png", "PNG", art::drawIcon)
        && writeThemeIcons(artDir);
    if (ok && args.size() == 4) {
        QDir sheetDir(args[3]);
        ok = sheetDir.mkpath(QStringLiteral(".")) && writeSheets(sheetDir);
    }
    return ok ? 0 : 1;
}
