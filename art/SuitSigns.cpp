#include "art/SuitSigns.h"

#include "art/CardArt.h"

#include <QPainter>

namespace art {

namespace {

    // Two lobes meeting in a notch at the top and a point at the bottom.
    QPainterPath heart()
    {
        QPainterPath path;
        path.moveTo(0, -0.26);
        path.cubicTo(0.07, -0.46, 0.18, -0.5, 0.27, -0.5);
        path.cubicTo(0.42, -0.5, 0.5, -0.38, 0.5, -0.21);
        path.cubicTo(0.5, 0.04, 0.2, 0.22, 0, 0.5);
        path.cubicTo(-0.2, 0.22, -0.5, 0.04, -0.5, -0.21);
        path.cubicTo(-0.5, -0.38, -0.42, -0.5, -0.27, -0.5);
        path.cubicTo(-0.18, -0.5, -0.07, -0.46, 0, -0.26);
        path.closeSubpath();
        return path;
    }

    // A flared stem under the spade's and the club's body.
    QPainterPath stem(qreal top)
    {
        QPainterPath path;
        path.moveTo(-0.04, top);
        path.quadTo(-0.03, 0.38, -0.24, 0.5);
        path.lineTo(0.24, 0.5);
        path.quadTo(0.03, 0.38, 0.04, top);
        path.closeSubpath();
        return path;
    }

    QPainterPath spadeLeaf()
    {
        QPainterPath body;
        body.moveTo(0, -0.5);
        body.cubicTo(0.16, -0.28, 0.5, -0.12, 0.5, 0.12);
        body.cubicTo(0.5, 0.28, 0.4, 0.36, 0.27, 0.36);
        body.cubicTo(0.17, 0.36, 0.07, 0.31, 0, 0.2);
        body.cubicTo(-0.07, 0.31, -0.17, 0.36, -0.27, 0.36);
        body.cubicTo(-0.4, 0.36, -0.5, 0.28, -0.5, 0.12);
        body.cubicTo(-0.5, -0.12, -0.16, -0.28, 0, -0.5);
        body.closeSubpath();
        return body;
    }

    // Boolean operations flatten curves with a fixed tolerance, so unions are taken at a
    // hundred times the size and scaled back: even the ace's large spade stays smooth.
    QPainterPath unitedSmoothly(const QPainterPath &a, const QPainterPath &b)
    {
        const QTransform up = QTransform::fromScale(100, 100);
        const QTransform down = QTransform::fromScale(0.01, 0.01);
        return down.map(up.map(a).united(up.map(b)));
    }

    QPainterPath spade()
    {
        return unitedSmoothly(spadeLeaf(), stem(0.1));
    }

    // Four gently hollowed sides: a real card's diamond is narrower than it is tall.
    QPainterPath diamond()
    {
        QPainterPath path;
        path.moveTo(0, -0.5);
        path.quadTo(0.18, -0.2, 0.4, 0);
        path.quadTo(0.18, 0.2, 0, 0.5);
        path.quadTo(-0.18, 0.2, -0.4, 0);
        path.quadTo(-0.18, -0.2, 0, -0.5);
        path.closeSubpath();
        return path;
    }

    QPainterPath club()
    {
        const qreal r = 0.235;
        QPainterPath leaves;
        leaves.setFillRule(Qt::WindingFill);
        leaves.addEllipse(QPointF(0, -0.5 + r), r, r);
        leaves.addEllipse(QPointF(-0.5 + r, 0.1), r, r);
        leaves.addEllipse(QPointF(0.5 - r, 0.1), r, r);
        leaves.addEllipse(QPointF(0, 0.02), 0.14, 0.16);
        return unitedSmoothly(leaves, stem(0.05));
    }

} // namespace

QColor suitColour(int suit, Deck deck)
{
    if (deck == Deck::FourColour) {
        // Each as dark against the white card as the design's red, or darker.
        switch (suit) {
        case 2:
            return QColor(208, 0, 0);
        case 3:
            return QColor(0, 64, 208);
        case 4:
            return QColor(0, 120, 0);
        default:
            return QColor(0, 0, 0);
        }
    }
    return (suit == 2 || suit == 3) ? QColor(208, 0, 0) : QColor(0, 0, 0);
}

QPainterPath spadeBody()
{
    return spadeLeaf();
}

QPainterPath suitSign(int suit)
{
    // Made once: the unions are the dearest part of drawing a pip.
    static const QPainterPath signs[4] = { spade(), heart(), diamond(), club() };
    return signs[qBound(1, suit, 4) - 1];
}

void drawSuitSign(QPainter &painter, int suit, QPointF centre, qreal width, qreal height, Deck deck,
                  bool upsideDown)
{
    painter.save();
    painter.translate(centre);
    if (upsideDown)
        painter.rotate(180);
    painter.scale(width, height);
    painter.fillPath(suitSign(suit), suitColour(suit, deck));
    painter.restore();
}

} // namespace art
