#include "art/CourtArt.h"

#include "art/SuitSigns.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace art {

namespace {

    // The four colours of the classic court cards, plus skin and steel.
    const QColor kGold(236, 186, 36);
    const QColor kRed(204, 32, 32);
    const QColor kBlue(36, 64, 160);
    const QColor kSkin(250, 218, 176);
    const QColor kSteel(214, 218, 226);
    const QColor kInk(20, 20, 20);

    const QPointF kCardCentre(35.5, 48);

    void outlined(QPainter &painter, const QPainterPath &path, const QColor &fill)
    {
        painter.setPen(QPen(kInk, 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(fill);
        painter.drawPath(path);
    }

    QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
    {
        QPainterPath path;
        path.addEllipse(centre, rx, ry);
        return path;
    }

    QPainterPath polygon(std::initializer_list<QPointF> points)
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points)));
        path.closeSubpath();
        return path;
    }

    // Shoulders and robe, with a panel down the front in the second colour.
    void drawRobe(QPainter &painter, const QColor &robe, const QColor &panel)
    {
        QPainterPath body;
        body.moveTo(31, 30.5);
        body.cubicTo(24, 31.5, 19.5, 34, 18.5, 39);
        body.lineTo(18.5, 56);
        body.lineTo(52.5, 56);
        body.lineTo(52.5, 39);
        body.cubicTo(51.5, 34, 47, 31.5, 40, 30.5);
        body.closeSubpath();
        outlined(painter, body, robe);
        outlined(painter, polygon({ { 32, 32 }, { 39, 32 }, { 40.5, 56 }, { 30.5, 56 } }), panel);
        // Arms folded in front: a sleeve seam from each shoulder to the hands.
        painter.setPen(QPen(kInk, 0.7, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        QPainterPath sleeves;
        sleeves.moveTo(22.5, 36);
        sleeves.quadTo(24, 44, 29, 45.5);
        sleeves.moveTo(48.5, 36);
        sleeves.quadTo(47, 44, 42, 45.5);
        painter.drawPath(sleeves);
        // Gold trim along the panel, a row of buttons down the middle.
        painter.setPen(QPen(kGold, 1.2));
        painter.drawLine(QPointF(31.4, 33), QPointF(30.2, 56));
        painter.drawLine(QPointF(39.6, 33), QPointF(40.8, 56));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGold);
        for (qreal y : { 37.0, 41.0, 45.0 })
            painter.drawEllipse(QPointF(35.5, y), 1.0, 1.0);
    }

    void drawFace(QPainter &painter)
    {
        outlined(painter, ellipse({ 35.5, 25 }, 5.2, 5.8), kSkin);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kInk);
        painter.drawEllipse(QPointF(33.6, 24.2), 0.65, 0.65);
        painter.drawEllipse(QPointF(37.4, 24.2), 0.65, 0.65);
        painter.setPen(QPen(kRed, 0.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(34.6, 28.2), QPointF(36.4, 28.2));
    }

    void drawCollar(QPainter &painter, const QColor &colour)
    {
        outlined(painter, ellipse({ 35.5, 31.4 }, 6.2, 1.9), colour);
    }

    // A crown of three points with a jewel, a beard, and a sword held upright.
    void drawKing(QPainter &painter)
    {
        drawRobe(painter, kRed, kBlue);
        outlined(painter, ellipse({ 30.3, 27 }, 2.0, 3.2), kGold);
        outlined(painter, ellipse({ 40.7, 27 }, 2.0, 3.2), kGold);
        drawFace(painter);
        QPainterPath beard;
        beard.moveTo(31, 26.5);
        beard.quadTo(31.5, 33.5, 35.5, 35);
        beard.quadTo(39.5, 33.5, 40, 26.5);
        beard.quadTo(35.5, 30.5, 31, 26.5);
        outlined(painter, beard, QColor(196, 132, 36));
        painter.setPen(QPen(kRed, 0.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(34.6, 29), QPointF(36.4, 29));
        drawCollar(painter, Qt::white);

        outlined(painter,
                 polygon({ { 29.5, 20 },
                           { 29.5, 13 },
                           { 32.5, 16.5 },
                           { 35.5, 11.5 },
                           { 38.5, 16.5 },
                           { 41.5, 13 },
                           { 41.5, 20 } }),
                 kGold);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kRed);
        painter.drawEllipse(QPointF(35.5, 18.2), 1.1, 1.1);

        // The sword on the right, point up.
        outlined(
            painter,
            polygon({ { 48.6, 40 }, { 48.6, 16 }, { 49.5, 13.5 }, { 50.4, 16 }, { 50.4, 40 } }),
            kSteel);
        outlined(painter, polygon({ { 46, 39.6 }, { 53, 39.6 }, { 53, 41.4 }, { 46, 41.4 } }),
                 kGold);
        outlined(painter, ellipse({ 49.5, 43.8 }, 2.2, 2.2), kSkin);
    }

    // A small crown of pearls, long hair and a flower held to the chest.
    void drawQueen(QPainter &painter)
    {
        outlined(painter, ellipse({ 35.5, 28.5 }, 7.4, 8.8), kGold);
        drawRobe(painter, kBlue, kRed);
        drawFace(painter);
        drawCollar(painter, kGold);

        outlined(painter,
                 polygon({ { 31, 20 },
                           { 31, 16 },
                           { 33.2, 17.8 },
                           { 35.5, 14.5 },
                           { 37.8, 17.8 },
                           { 40, 16 },
                           { 40, 20 } }),
                 kGold);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        for (QPointF pearl : { QPointF(31, 15.6), QPointF(35.5, 14), QPointF(40, 15.6) })
            painter.drawEllipse(pearl, 1.0, 1.0);

        painter.setPen(QPen(QColor(30, 120, 50), 1.1));
        painter.drawLine(QPointF(25.5, 43), QPointF(25, 35));
        outlined(painter, ellipse({ 25, 33.5 }, 2.8, 2.8), kRed);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kGold);
        painter.drawEllipse(QPointF(25, 33.5), 1.0, 1.0);
        outlined(painter, ellipse({ 25.6, 42.8 }, 2.1, 2.1), kSkin);
    }

    // A feathered cap, short curls and a halberd.
    void drawJack(QPainter &painter)
    {
        drawRobe(painter, kGold, kRed);
        outlined(painter, ellipse({ 30.8, 27 }, 1.8, 2.6), kGold);
        outlined(painter, ellipse({ 40.2, 27 }, 1.8, 2.6), kGold);
        drawFace(painter);
        drawCollar(painter, kBlue);

        QPainterPath cap;
        cap.moveTo(29.5, 21);
        cap.cubicTo(29, 12.5, 42, 12.5, 41.5, 21);
        cap.closeSubpath();
        outlined(painter, cap, kRed);
        outlined(painter, polygon({ { 29, 19.6 }, { 42, 19.6 }, { 42, 21.6 }, { 29, 21.6 } }),
                 kGold);
        // A plume rising from the cap's right side.
        painter.save();
        painter.translate(42, 15.5);
        painter.rotate(-40);
        outlined(painter, ellipse({ 0, 0 }, 4.2, 1.6), kBlue);
        painter.restore();

        // The halberd on the right: a shaft, a spear point and an axe blade.
        painter.setPen(QPen(QColor(120, 76, 36), 1.4));
        painter.drawLine(QPointF(50.5, 17), QPointF(50.5, 47));
        outlined(painter, polygon({ { 50.5, 12 }, { 51.6, 16.5 }, { 49.4, 16.5 } }), kSteel);
        outlined(painter, polygon({ { 51.2, 18 }, { 54.8, 16 }, { 54.8, 23.5 }, { 51.2, 21.5 } }),
                 kSteel);
        outlined(painter, ellipse({ 50.5, 42.8 }, 2.1, 2.1), kSkin);
    }

    void drawHalf(QPainter &painter, int suit, int rank)
    {
        if (rank == 13)
            drawKing(painter);
        else if (rank == 12)
            drawQueen(painter);
        else
            drawJack(painter);
        drawSuitSign(painter, suit, QPointF(20.5, 18), 7, 8);
    }

} // namespace

void drawCourt(QPainter &painter, int suit, int rank)
{
    const QRectF frame(14.5, 11.5, 42, 73);
    // The halves meet along a slanting line through the centre, as on printed court cards.
    const QPolygonF upperHalf(
        { frame.topLeft(), frame.topRight(), { frame.right(), 44 }, { frame.left(), 52 } });

    for (int turn = 0; turn < 2; ++turn) {
        painter.save();
        painter.translate(kCardCentre);
        painter.rotate(180 * turn);
        painter.translate(-kCardCentre);
        QPainterPath clip;
        clip.addPolygon(upperHalf);
        painter.setClipPath(clip);
        drawHalf(painter, suit, rank);
        painter.restore();
    }

    painter.setPen(QPen(suitColour(suit), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(frame.left(), 52), QPointF(frame.right(), 44));
    painter.drawRect(frame);
}

} // namespace art
