#include "IconArt.h"

#include "SuitSigns.h"

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

} // namespace

QImage drawIcon(int scale)
{
    QImage image(32 * scale, 32 * scale, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, scale > 1);

    // The sheet with its top-right corner folded down.
    const qreal l = 4.5, t = 1.5, r = 27.5, b = 30.5, fold = 7;
    QPainterPath sheet;
    sheet.moveTo(l, t);
    sheet.lineTo(r - fold, t);
    sheet.lineTo(r, t + fold);
    sheet.lineTo(r, b);
    sheet.lineTo(l, b);
    sheet.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(sheet);
    QPainterPath flap;
    flap.moveTo(r - fold, t);
    flap.lineTo(r - fold, t + fold);
    flap.lineTo(r, t + fold);
    flap.closeSubpath();
    painter.setBrush(QColor(192, 192, 192));
    painter.drawPath(flap);

    // Spade and diamond above, heart and club below; J Q K A along the foot, black and red.
    if (scale == 1) {
        for (const PixelArt &sign : kSmallSuits)
            drawPixels(painter, sign, suitColour(sign.suitOrColour));
    } else {
        // The same places as the pixels above.
        drawSuitSign(painter, 1, QPointF(11.5, 8), 7.5, 8.5);
        drawSuitSign(painter, 3, QPointF(19.5, 9.5), 8.8, 7.5);
        drawSuitSign(painter, 2, QPointF(11.5, 18), 7.4, 6.4);
        drawSuitSign(painter, 4, QPointF(19.5, 17.5), 7.5, 7.4);
    }
    for (const PixelArt &letter : kLetters)
        drawPixels(painter, letter, letter.suitOrColour ? QColor(255, 0, 0) : QColor(0, 0, 0));
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, palette(),
                                 Qt::ThresholdDither | Qt::AvoidDither);
}

} // namespace art
