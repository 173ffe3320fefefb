// Draws every picture of the game into the art folder: the 52 faces and the back (cards/), the
// pack and the window icon, each also at twice the size for high-DPI screens, and the icon a
// desktop's menu shows, at the sizes of the hicolor theme and as SVG (icons/). With --sheet it
// also writes contact sheets for looking the art over.
//
//     pokdeng_artgen <art folder> [--sheet <folder>]

#include "BackArt.h"
#include "FaceArt.h"
#include "IconArt.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

const char *const kSuitNames[] = { "spades", "hearts", "diamonds", "clubs" };

QString faceName(int suit, int rank)
{
    return QStringLiteral("cards/%1-%2")
        .arg(QLatin1String(kSuitNames[suit - 1]))
        .arg(rank, 2, 10, QLatin1Char('0'));
}

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

// All 52 faces in suit rows, then the back, the pack and the icon, on table green.
QImage contactSheet(int scale)
{
    const int cw = art::kCardWidth * scale, ch = art::kCardHeight * scale, gap = 6 * scale;
    QImage sheet(13 * (cw + gap) + gap, 5 * (ch + gap) + 3 * gap + 10 * scale,
                 QImage::Format_RGB32);
    sheet.fill(QColor(0, 128, 0));
    QPainter painter(&sheet);
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            painter.drawImage(gap + (rank - 1) * (cw + gap), gap + (suit - 1) * (ch + gap),
                              art::drawFace(suit, rank, scale));
    const int y = gap + 4 * (ch + gap);
    painter.drawImage(gap, y, art::drawBack(scale));
    painter.drawImage(gap + cw + gap, y, art::drawPack(scale));
    painter.fillRect(QRect(3 * (cw + gap), y, 32 * scale, 32 * scale), QColor(212, 208, 200));
    painter.drawImage(3 * (cw + gap), y, art::drawIcon(scale));
    painter.drawImage(3 * (cw + gap) + 40 * scale, y, zoomed(art::drawIcon(scale), 3));
    // A fan as the start window shows it: each card two thirds covered by its right neighbour.
    for (int rank = 1; rank <= 4; ++rank)
        painter.drawImage(6 * (cw + gap) + (rank - 1) * 16 * scale, y,
                          art::drawFace(rank, 1, scale));
    return sheet;
}

bool writeSheets(const QDir &dir)
{
    bool ok = save(contactSheet(1), dir.filePath(QStringLiteral("sheet-1x.png")), "PNG")
        && save(contactSheet(2), dir.filePath(QStringLiteral("sheet-2x.png")), "PNG");
    // Every face at three times its pixels, to judge the 1x drawing pixel by pixel.
    for (int suit = 1; ok && suit <= 4; ++suit) {
        const int cw = art::kCardWidth, ch = art::kCardHeight;
        QImage strip(7 * (cw + 2) + 2, 2 * (ch + 2) + 2, QImage::Format_RGB32);
        strip.fill(QColor(0, 128, 0));
        QPainter painter(&strip);
        for (int rank = 1; rank <= 13; ++rank)
            painter.drawImage(2 + ((rank - 1) % 7) * (cw + 2), 2 + ((rank - 1) / 7) * (ch + 2),
                              art::drawFace(suit, rank, 1));
        painter.drawImage(2 + 6 * (cw + 2), 2 + ch + 2, art::drawBack(1));
        painter.end();
        ok = save(
            zoomed(strip, 3),
            dir.filePath(QStringLiteral("zoom-%1.png").arg(QLatin1String(kSuitNames[suit - 1]))),
            "PNG");
    }
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
    // The corner indices use DejaVu Sans Condensed Bold, loaded from its file so that no other
    // face stands in for it unnoticed.
    const QString fontFile
        = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf");
    if (QFontDatabase::addApplicationFont(fontFile) < 0) {
        std::fprintf(stderr, "cannot load %s (Debian package fonts-dejavu-core)\n",
                     qPrintable(fontFile));
        return 1;
    }

    QDir artDir(args[1]);
    if (!artDir.mkpath(QStringLiteral("cards"))) {
        std::fprintf(stderr, "cannot create %s/cards\n", qPrintable(args[1]));
        return 1;
    }
    bool ok = true;
    for (int suit = 1; ok && suit <= 4; ++suit)
        for (int rank = 1; ok && rank <= 13; ++rank)
            ok = saveBoth(artDir, faceName(suit, rank), "bmp", "BMP",
                          [=](int scale) { return art::drawFace(suit, rank, scale); });
    ok = ok && saveBoth(artDir, QStringLiteral("cards/back"), "bmp", "BMP", art::drawBack)
        && saveBoth(artDir, QStringLiteral("pack"), "bmp", "BMP", art::drawPack)
        && saveBoth(artDir, QStringLiteral("icon"), "png", "PNG", art::drawIcon)
        && writeThemeIcons(artDir);
    if (ok && args.size() == 4) {
        QDir sheetDir(args[3]);
        ok = sheetDir.mkpath(QStringLiteral(".")) && writeSheets(sheetDir);
    }
    return ok ? 0 : 1;
}
