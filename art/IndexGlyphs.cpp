#include "art/IndexGlyphs.h"

#include <QHash>
#include <QMutex>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace art {

namespace {

    // Every letter is a pen path (centre lines) in a box kHeight high, drawn with a pen
    // kStroke wide and cut to its box, so that strokes end flush with the box's edges.
    constexpr qreal kHeight = 10;
    constexpr qreal kTop = 3;
    constexpr qreal kCentre = 8;

    struct Glyph
    {
        qreal width;
        QPainterPath pen;
    };

    QPainterPath ellipse(qreal x, qreal y, qreal w, qreal h)
    {
        QPainterPath path;
        path.addEllipse(QRectF(x, y, w, h));
        return path;
    }

    Glyph digit(int rank)
    {
        QPainterPath p;
        switch (rank) {
        case 1: // the 1 of the 10: a stem with a short flag
            p.moveTo(2, 0);
            p.lineTo(2, kHeight);
            p.moveTo(2, 0.8);
            p.lineTo(-0.4, 2.8);
            return { 3, p };
        case 2:
            p.moveTo(1, 3.4);
            p.arcTo(QRectF(1, 1, 4, 4.4), 180, -180);
            p.cubicTo(5, 5.4, 1.2, 6.6, 1, 9);
            p.lineTo(6, 9);
            return { 6, p };
        case 3: // a smaller bowl over a larger one
            p.arcMoveTo(QRectF(1.3, 1, 3.5, 4), 150);
            p.arcTo(QRectF(1.3, 1, 3.5, 4), 150, -240);
            p.arcMoveTo(QRectF(1, 4.8, 4, 4.2), 90);
            p.arcTo(QRectF(1, 4.8, 4, 4.2), 90, -240);
            return { 6, p };
        case 4:
            p.moveTo(4.6, 0);
            p.lineTo(1, 7);
            p.lineTo(6, 7);
            p.moveTo(4, 3);
            p.lineTo(4, kHeight);
            return { 6, p };
        case 5: // the bowl starts afresh at the foot of the stem: no spike at the join
            p.moveTo(5.6, 1);
            p.lineTo(1.6, 1);
            p.lineTo(1.4, 5.2);
            p.moveTo(1.4, 4.8);
            p.cubicTo(2.2, 4.0, 5, 3.6, 5, 6.5);
            p.cubicTo(5, 9.4, 1.7, 9.6, 0.8, 7.8);
            return { 6, p };
        case 6:
        case 9: {
            p = ellipse(1, 4, 4, 5);
            p.moveTo(1, 6.5);
            p.cubicTo(1, 2.6, 2.2, 1, 4.9, 1.1);
            if (rank == 9) // the 6 turned round
                p = QTransform(-1, 0, 0, -1, 6, kHeight).map(p);
            return { 6, p };
        }
        case 7:
            p.moveTo(0, 1);
            p.lineTo(5, 1);
            p.lineTo(2.2, kHeight);
            return { 6, p };
        case 8:
            p = ellipse(1.3, 1, 3.4, 4);
            p.addPath(ellipse(1, 5, 4, 4));
            return { 6, p };
        default: // the 0 of the 10
            p.addRoundedRect(QRectF(1, 1, 4, 8), 2, 2);
            return { 6, p };
        }
    }

    Glyph letter(int rank)
    {
        QPainterPath p;
        switch (rank) {
        case 1: // A
            p.moveTo(0.6, kHeight + 0.5);
            p.lineTo(4, -0.6);
            p.lineTo(7.4, kHeight + 0.5);
            p.moveTo(2, 7);
            p.lineTo(6, 7);
            return { 8, p };
        case 11: // J: a top bar over the stem, and a hook open to the left
            p.moveTo(2, 1);
            p.lineTo(7, 1);
            p.moveTo(5, 1);
            p.lineTo(5, 6.4);
            p.arcTo(QRectF(1, 3.8, 4, 5.2), 0, -180);
            p.lineTo(1, 5.6);
            return { 7, p };
        case 12: // Q
            p = ellipse(1, 1, 6, 7.8);
            p.moveTo(4.4, 6.8);
            p.lineTo(7.8, kHeight + 0.6);
            return { 8, p };
        default: // K
            p.moveTo(1, 0);
            p.lineTo(1, kHeight);
            p.moveTo(1.6, 6.6);
            p.lineTo(6.8, -0.4);
            p.moveTo(3.4, 4.4);
            p.lineTo(7.2, kHeight + 0.4);
            return { 7, p };
        }
    }

    // The pen path drawn with the letter pen and cut to the box. Boolean operations flatten
    // curves with a fixed tolerance, so they run at a hundred times the size: the outline stays
    // smooth at any size the card is drawn.
    QPainterPath outline(const Glyph &glyph, qreal left, qreal stroke)
    {
        const QTransform up = QTransform::fromScale(100, 100);
        QPainterPathStroker pen;
        pen.setWidth(100 * stroke);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        QPainterPath box;
        box.addRect(up.mapRect(QRectF(0, 0, glyph.width, kHeight)));
        const QPainterPath ink = pen.createStroke(up.map(glyph.pen)).simplified().intersected(box);
        return QTransform::fromTranslate(left, kTop).scale(0.01, 0.01).map(ink);
    }

    // The index of rank with a pen stroke units wide.
    QPainterPath outlineOf(int rank, qreal stroke)
    {
        if (rank == 10) {
            // 1 and 0 one unit apart, ten units together.
            QPainterPath both = outline(digit(1), kCentre - 5, stroke);
            both.addPath(outline(digit(0), kCentre - 1, stroke));
            return both;
        }
        const Glyph glyph = (rank == 1 || rank > 10) ? letter(rank) : digit(rank);
        return outline(glyph, std::floor(kCentre - glyph.width / 2 + 0.5), stroke);
    }

} // namespace

QPainterPath rankIndex(int rank, qreal scale)
{
    // Two units make a bold, clear letter of few pixels; drawn larger, the same weight would
    // fill the letters' openings, so the pen thins a little as the card grows, in tenths of a
    // unit: the outlines of each weight are made once and kept.
    const int tenths = qRound(std::clamp(2.0 - 0.3 * (scale - 1), 1.6, 2.0) * 10);
    static QMutex mutex;
    static QHash<int, QPainterPath> made;
    const QMutexLocker lock(&mutex);
    const int key = tenths * 100 + rank;
    auto found = made.constFind(key);
    if (found == made.constEnd())
        found = made.insert(key, outlineOf(rank, tenths / 10.0));
    return *found;
}

} // namespace art
