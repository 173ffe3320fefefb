#include "IconArt.h"

#include "SuitSigns.h"

#include "CardArt.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <vector>

namespace art {

namespace {

    // The classic 16-colour palette, fuchsia given up for transparency.
    QList<QRgb> palette()
    {
        return { qRgba(0, 0, 0, 0),   qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),
                 qRgb(128, 128, 0),   qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128),
                 qRgb(192, 192, 192), qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),
                 qRgb(255, 255, 0),   qRgb(0, 0, 255),     qRgb(0, 255, 255), qRgb(255, 255, 255) };
    }

    // A picture drawn pixel by pixel: '#' takes the colour, '.' leaves the sheet.
    struct PixelArt
    {
        int suitOrColour;
        int left, top;
        std::vector<const char *> rows;
    };

    void drawPixels(QPainter &painter, const PixelArt &art, const QColor &colour)
    {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        for (int row = 0; row < int(art.rows.size()); ++row)
            for (int column = 0; art.rows[row][column]; ++column)
                if (art.rows[row][column] == '#')
                    painter.drawRect(QRectF(art.left + column, art.top + row, 1, 1));
    }

    // At 32 x 32 the suit signs are hand-set pixels: no outline drawn that small stays clean.
    const PixelArt kSmallSuits[] = {
        { 1,
          8,
          4,
          { "...#...", "..###..", ".#####.", "#######", "#######", "##.#.##", "...#...",
            "..###.." } },
        { 3,
          16,
          6,
          { "...#...", "..###..", ".#####.", "#######", ".#####.", "..###..", "...#..." } },
        { 2, 8, 15, { ".##.##.", "#######", "#######", ".#####.", "..###..", "...#..." } },
        { 4,
          16,
          14,
          { "..###..", "..###..", "##.#.##", "#######", "##.#.##", "...#...", "..###.." } },
    };

    // J, Q, K and A, six pixels high.
    const PixelArt kLetters[] = {
        { 0, 7, 23, { "...#", "...#", "...#", "...#", "#..#", ".##." } },
        { 1, 12, 23, { ".##.", "#..#", "#..#", "#..#", ".##.", "...#" } },
        { 0, 17, 23, { "#..#", "#.#.", "##..", "##..", "#.#.", "#..#" } },
        { 1, 22, 23, { ".##.", "#..#", "#..#", "####", "#..#", "#..#" } },
    };

    // The sheet with its top-right corner folded down, drawn in the current pen.
    void paintSheet(QPainter &painter)
    {
        const qreal l = 4.5, t = 1.5, r = 27.5, b = 30.5, fold = 7;
        QPainterPath sheet;
        sheet.moveTo(l, t);
        sheet.lineTo(r - fold, t);
        sheet.lineTo(r, t + fold);
        sheet.lineTo(r, b);
        sheet.lineTo(l, b);
        sheet.closeSubpath();
        painter.setBrush(Qt::white);
        painter.drawPath(sheet);
        QPainterPath flap;
        flap.moveTo(r - fold, t);
        flap.lineTo(r - fold, t + fold);
        flap.lineTo(r, t + fold);
        flap.closeSubpath();
        painter.setBrush(QColor(192, 192, 192));
        painter.drawPath(flap);
    }

    // Spade and diamond above, heart and club below, where the window icon sets their pixels.
    void paintSuits(QPainter &painter)
    {
        drawSuitSign(painter, 1, QPointF(11.5, 8), 7.5, 8.5, Deck::Design);
        drawSuitSign(painter, 3, QPointF(19.5, 9.5), 8.8, 7.5, Deck::Design);
        drawSuitSign(painter, 2, QPointF(11.5, 18), 7.4, 6.4, Deck::Design);
        drawSuitSign(painter, 4, QPointF(19.5, 17.5), 7.5, 7.4, Deck::Design);
    }

    // The 16-pixel icon: k black, w white, g grey, r red, '.' transparent.
    // clang-format off
    const char *const kTinyIcon[16] = {
        "..kkkkkkkkk.....",
        "..kwwwwwwwkk....",
        "..kwwwkwwwkgk...",
        "..kwwkkkwwkkkk..",
        "..kwkkkkkwwwwk..",
        "..kwkkkkkwwwwk..",
        "..kwkwkwkwwwwk..",
        "..kwwwkwwwwwwk..",
        "..kwwkkkwwwwwk..",
        "..kwwwwwwwwwwk..",
        "..kwwwwrrwrrwk..",
        "..kwwwwrrrrrwk..",
        "..kwwwwwrrrwwk..",
        "..kwwwwwwrwwwk..",
        "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..",
    };
    // clang-format on

    QImage drawTinyIcon()
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                switch (kTinyIcon[y][x]) {
                case 'k':
                    image.setPixel(x, y, qRgb(0, 0, 0));
                    break;
                case 'w':
                    image.setPixel(x, y, qRgb(255, 255, 255));
                    break;
                case 'g':
                    image.setPixel(x, y, qRgb(192, 192, 192));
                    break;
                case 'r':
                    image.setPixel(x, y, suitColour(2, Deck::Design).rgb());
                    break;
                default:
                    break;
                }
            }
        return image;
    }

} // namespace

QImage drawIcon(int scale)
{
    QImage image(32 * scale, 32 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, scale > 1);

    painter.setPen(QPen(Qt::black, 1));
    paintSheet(painter);

    // Spade and diamond above, heart and club below; J Q K A along the foot, black and red.
    if (scale == 1) {
        for (const PixelArt &sign : kSmallSuits)
            drawPixels(painter, sign, suitColour(sign.suitOrColour, Deck::Design));
    } else {
        paintSuits(painter);
    }
    for (const PixelArt &letter : kLetters)
        drawPixels(painter, letter, letter.suitOrColour ? QColor(255, 0, 0) : QColor(0, 0, 0));
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, palette(),
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

void paintIcon(QPainter &painter)
{
    painter.save();
    // A thinner outline than the window icon's pixel, with round joins: a mitred fold would
    // spike out of the sheet's corner.
    painter.setPen(QPen(Qt::black, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    paintSheet(painter);
    paintSuits(painter);

    // J Q K A on the pixel letters' places: capitals 6 high, their feet on one line, Q's tail
    // below it; black, red, black, red.
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath capital;
    capital.addText(0, 0, font, QStringLiteral("K"));
    const qreal scale = 6 / capital.boundingRect().height();
    const char letters[] = "JQKA";
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        QPainterPath glyph;
        glyph.addText(0, 0, font, QString(QLatin1Char(letters[i])));
        const QRectF ink = glyph.boundingRect();
        QTransform place;
        place.translate(9 + 5 * i, 28.6);
        place.scale(scale, scale);
        place.translate(-ink.center().x(), 0);
        painter.setBrush(i % 2 ? QColor(255, 0, 0) : QColor(0, 0, 0));
        painter.drawPath(place.map(glyph));
    }
    painter.restore();
}

QImage drawThemeIcon(int size)
{
    if (size == 16)
        return drawTinyIcon();
    if (size == 32)
        return drawIcon(1).convertToFormat(QImage::Format_ARGB32);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    paintIcon(painter);
    painter.end();
    return image;
}

} // namespace art
