#include "art/CourtArt.h"

#include "art/SuitSigns.h"

#include "art/CardArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace art {

namespace {

    // The colours of the classic court cards, with skin, steel and wood.
    const QColor kGold(236, 186, 36);
    const QColor kRed(200, 32, 40);
    const QColor kBlue(36, 64, 160);
    const QColor kGreen(30, 118, 62);
    const QColor kPurple(112, 52, 142);
    const QColor kWhite(250, 250, 250);
    const QColor kSkin(250, 218, 176);
    const QColor kSteel(214, 218, 226);
    const QColor kWood(120, 76, 36);
    const QColor kInk(20, 20, 20);

    const QPointF kCardCentre(35.5, 48);

    // What each figure holds, in the hand at its side.
    enum class Held { Sword, Axe, Sceptre, Orb, Rose, Fan, Chalice, Halberd, Torch, Bow, Pennant };

    // One court figure: the robe and the panel down its front, the collar, the hair, what it
    // holds and in which hand. Each of the twelve differs from the others of its rank in all of
    // these, so a player tells the four kings (queens, jacks) apart by more than the pip.
    struct Figure
    {
        QColor robe, panel, collar, hair;
        Held held;
        bool leftHand; // the hand on the picture's left
    };

    const QColor kGrey(206, 206, 212), kBrown(120, 72, 36), kBlack(52, 42, 38),
        kGinger(200, 112, 40), kBlond(238, 196, 80), kAuburn(160, 60, 30);

    // Indexed [rank - 11][suit - 1]: jacks, queens, kings; spades, hearts, diamonds, clubs.
    // No two figures of a rank, and no two of a suit, wear the same robe.
    const Figure kFigures[3][4] = {
        { { kRed, kBlue, kGold, kBrown, Held::Halberd, false },
          { kGold, kRed, kBlue, kBlond, Held::Torch, true },
          { kGreen, kGold, kRed, kBlack, Held::Bow, false },
          { kBlue, kRed, kGold, kGinger, Held::Pennant, true } },
        { { kPurple, kGold, kRed, kBlack, Held::Sceptre, false },
          { kBlue, kRed, kGold, kBlond, Held::Rose, true },
          { kRed, kBlue, kGold, kAuburn, Held::Fan, false },
          { kGold, kGreen, kRed, kBrown, Held::Chalice, true } },
        { { kBlue, kGold, kWhite, kGrey, Held::Sword, false },
          { kRed, kGold, kWhite, kBrown, Held::Axe, true },
          { kGold, kRed, kWhite, kBlack, Held::Sceptre, false },
          { kGreen, kRed, kWhite, kGinger, Held::Orb, true } },
    };

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

    void line(QPainter &painter, QPointF from, QPointF to, const QColor &colour, qreal width)
    {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(from, to);
    }

    // Trim that shows on the robe: gold, or dark red on a gold robe.
    QColor trimOf(const Figure &figure)
    {
        return figure.robe == kGold ? QColor(150, 40, 30) : kGold;
    }

    // Shoulders and robe, the panel down the front edged with trim, a row of buttons, and the
    // sleeve of the arm that holds the object bent towards its hand.
    void drawRobe(QPainter &painter, const Figure &figure)
    {
        QPainterPath body;
        body.moveTo(31, 30.5);
        body.cubicTo(24, 31.5, 19.5, 34, 18.5, 39);
        body.lineTo(18.5, 56);
        body.lineTo(52.5, 56);
        body.lineTo(52.5, 39);
        body.cubicTo(51.5, 34, 47, 31.5, 40, 30.5);
        body.closeSubpath();
        outlined(painter, body, figure.robe);
        // A hem of small dots along the shoulders, in the panel's colour.
        painter.setPen(Qt::NoPen);
        painter.setBrush(figure.panel);
        for (qreal x : { 23.0, 26.0, 45.0, 48.0 })
            painter.drawEllipse(QPointF(x, x < 35 ? 36.2 - (x - 23) * 0.5 : 35.2 + (x - 45) * 0.5),
                                0.8, 0.8);
        outlined(painter, polygon({ { 32, 32 }, { 39, 32 }, { 40.5, 56 }, { 30.5, 56 } }),
                 figure.panel);

        const QColor trim = trimOf(figure);
        line(painter, QPointF(31.4, 33), QPointF(30.2, 56), trim, 1.2);
        line(painter, QPointF(39.6, 33), QPointF(40.8, 56), trim, 1.2);
        painter.setPen(Qt::NoPen);
        painter.setBrush(trim);
        for (qreal y : { 37.0, 41.0, 45.0 })
            painter.drawEllipse(QPointF(35.5, y), 1.0, 1.0);

        // The sleeves: the free arm rests across the waist, the other reaches to its hand.
        painter.save();
        if (figure.leftHand) {
            painter.translate(71, 0);
            painter.scale(-1, 1);
        }
        painter.setPen(QPen(kInk, 0.7, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        QPainterPath sleeves;
        sleeves.moveTo(22.5, 36);
        sleeves.quadTo(23.5, 45, 31, 47);
        sleeves.moveTo(48.5, 36);
        sleeves.quadTo(47.5, 40, 47.5, 41.5);
        painter.drawPath(sleeves);
        // Cuffs in the trim's colour.
        outlined(painter, ellipse({ 30.5, 47 }, 1.2, 1.8), trim);
        painter.restore();
    }

    void drawFace(QPainter &painter)
    {
        outlined(painter, ellipse({ 35.5, 25 }, 5.2, 5.8), kSkin);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kInk);
        painter.drawEllipse(QPointF(33.6, 24.2), 0.65, 0.65);
        painter.drawEllipse(QPointF(37.4, 24.2), 0.65, 0.65);
        painter.setPen(QPen(QColor(180, 60, 60), 0.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(34.6, 28.2), QPointF(36.4, 28.2));
    }

    void drawCollar(QPainter &painter, const QColor &colour)
    {
        outlined(painter, ellipse({ 35.5, 31.4 }, 6.2, 1.9), colour);
        if (colour == kWhite) { // ermine: black tails on white
            painter.setPen(Qt::NoPen);
            painter.setBrush(kInk);
            for (qreal x : { 31.5, 35.5, 39.5 })
                painter.drawEllipse(QPointF(x, 31.4), 0.45, 0.7);
        }
    }

    // What the figure holds, drawn with its hand at the origin for the right hand (x grows
    // outwards, away from the figure, y grows downwards); the left hand mirrors it.
    void drawHeld(QPainter &painter, const Figure &figure)
    {
        switch (figure.held) {
        case Held::Sword:
            outlined(
                painter,
                polygon({ { -0.9, -3 }, { -0.9, -27 }, { 0, -29.5 }, { 0.9, -27 }, { 0.9, -3 } }),
                kSteel);
            outlined(painter,
                     polygon({ { -3.5, -3.4 }, { 3.5, -3.4 }, { 3.5, -1.6 }, { -3.5, -1.6 } }),
                     kGold);
            break;
        case Held::Axe: {
            line(painter, QPointF(0, 6), QPointF(0, -26), kWood, 1.4);
            QPainterPath blade;
            blade.moveTo(0.7, -25);
            blade.quadTo(3, -26, 5, -28.5);
            blade.quadTo(6.6, -22, 5, -15.5);
            blade.quadTo(3, -18, 0.7, -19);
            blade.closeSubpath();
            outlined(painter, blade, kSteel);
            break;
        }
        case Held::Sceptre:
            line(painter, QPointF(0, 5), QPointF(0, -22), kGold, 1.3);
            outlined(painter, ellipse({ 0, -24 }, 2.2, 2.2), kGold);
            outlined(painter, polygon({ { -0.6, -26 }, { 0.6, -26 }, { 0.6, -29 }, { -0.6, -29 } }),
                     kGold);
            outlined(painter, ellipse({ 0, -24 }, 0.8, 0.8), kRed);
            break;
        case Held::Orb:
            outlined(painter, ellipse({ 0, -5.5 }, 4.2, 4.2), kGold);
            line(painter, QPointF(-4.2, -5.5), QPointF(4.2, -5.5), kInk, 0.6);
            line(painter, QPointF(0, -9.7), QPointF(0, -1.3), kInk, 0.6);
            line(painter, QPointF(0, -9.7), QPointF(0, -13), kGold, 1.2);
            line(painter, QPointF(-1.5, -11.8), QPointF(1.5, -11.8), kGold, 1.2);
            break;
        case Held::Rose:
            line(painter, QPointF(0, 0), QPointF(-1, -9), QColor(30, 120, 50), 1.0);
            outlined(painter, ellipse({ -2.6, -5 }, 1.6, 0.8), QColor(40, 150, 60));
            outlined(painter, ellipse({ -1, -11 }, 3, 3), kRed);
            painter.setPen(QPen(QColor(120, 10, 20), 0.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(-1, -11), 1.5, 1.5);
            break;
        case Held::Fan: {
            QPainterPath fan;
            fan.moveTo(0, 0);
            fan.arcTo(QRectF(-10, -10, 20, 20), 60, 75);
            fan.closeSubpath();
            outlined(painter, fan, figure.panel);
            painter.setPen(QPen(kGold, 0.5));
            for (int k = 1; k < 5; ++k) {
                QPainterPath rib;
                rib.moveTo(0, 0);
                rib.arcTo(QRectF(-9.5, -9.5, 19, 19), 60 + 15 * k, 0);
                painter.drawPath(rib);
            }
            break;
        }
        case Held::Chalice:
            outlined(painter,
                     polygon({ { -3.5, -11 },
                               { 3.5, -11 },
                               { 2.5, -7 },
                               { 0.8, -6 },
                               { 0.8, -2.5 },
                               { 2.5, -1.5 },
                               { -2.5, -1.5 },
                               { -0.8, -2.5 },
                               { -0.8, -6 },
                               { -2.5, -7 } }),
                     kGold);
            outlined(painter, ellipse({ 0, -9 }, 0.8, 0.8), kRed);
            break;
        case Held::Halberd:
            line(painter, QPointF(0, 5), QPointF(0, -26), kWood, 1.4);
            outlined(painter, polygon({ { 0, -31 }, { 1.1, -26.5 }, { -1.1, -26.5 } }), kSteel);
            outlined(painter,
                     polygon({ { 0.7, -25 }, { 4.3, -27 }, { 4.3, -19.5 }, { 0.7, -21.5 } }),
                     kSteel);
            break;
        case Held::Torch: {
            line(painter, QPointF(0, 4), QPointF(0, -14), kWood, 1.6);
            QPainterPath flame;
            flame.moveTo(0, -24);
            flame.cubicTo(3.5, -19, 3, -14.5, 0, -14.5);
            flame.cubicTo(-3, -14.5, -3.5, -19, 0, -24);
            outlined(painter, flame, QColor(245, 130, 30));
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 226, 90));
            painter.drawEllipse(QPointF(0, -17), 1.2, 2);
            break;
        }
        case Held::Bow: {
            painter.setPen(QPen(kInk, 0.5));
            painter.drawLine(QPointF(-1, -20), QPointF(-1, 12));
            QPainterPath bow;
            bow.moveTo(-1, -20);
            bow.quadTo(8, -4, -1, 12);
            painter.setPen(QPen(kWood, 1.5, Qt::SolidLine, Qt::RoundCap));
            painter.setBrush(Qt::NoBrush);
            painter.drawPath(bow);
            break;
        }
        case Held::Pennant:
            line(painter, QPointF(0, 5), QPointF(0, -29), kWood, 1.2);
            outlined(painter, polygon({ { 0.6, -29 }, { 9, -26 }, { 0.6, -22.5 } }), figure.panel);
            outlined(painter, ellipse({ 0, -29.5 }, 0.9, 0.9), kGold);
            break;
        }
        outlined(painter, ellipse({ 0, 0 }, 2.1, 2.1), kSkin);
    }

    // A crown of three points with a jewel, over hair at the sides and a beard.
    void drawKing(QPainter &painter, const Figure &figure)
    {
        drawRobe(painter, figure);
        outlined(painter, ellipse({ 30.3, 27 }, 2.0, 3.2), figure.hair);
        outlined(painter, ellipse({ 40.7, 27 }, 2.0, 3.2), figure.hair);
        drawFace(painter);
        QPainterPath beard;
        beard.moveTo(31, 26.5);
        beard.quadTo(31.5, 33.5, 35.5, 35);
        beard.quadTo(39.5, 33.5, 40, 26.5);
        beard.quadTo(35.5, 30.5, 31, 26.5);
        outlined(painter, beard, figure.hair);
        painter.setPen(QPen(QColor(180, 60, 60), 0.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(34.6, 29), QPointF(36.4, 29));
        drawCollar(painter, figure.collar);

        outlined(painter,
                 polygon({ { 29.5, 20 },
                           { 29.5, 14 },
                           { 32.5, 17 },
                           { 35.5, 13 },
                           { 38.5, 17 },
                           { 41.5, 14 },
                           { 41.5, 20 } }),
                 kGold);
        painter.setPen(Qt::NoPen);
        painter.setBrush(figure.panel == kGold ? kRed : figure.panel);
        painter.drawEllipse(QPointF(35.5, 18.2), 1.1, 1.1);
    }

    // A small crown of pearls over long hair.
    void drawQueen(QPainter &painter, const Figure &figure)
    {
        outlined(painter, ellipse({ 35.5, 28.5 }, 7.4, 8.8), figure.hair);
        drawRobe(painter, figure);
        drawFace(painter);
        drawCollar(painter, figure.collar);

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
    }

    // A feathered cap over short curls.
    void drawJack(QPainter &painter, const Figure &figure)
    {
        drawRobe(painter, figure);
        outlined(painter, ellipse({ 30.8, 27 }, 1.8, 2.6), figure.hair);
        outlined(painter, ellipse({ 40.2, 27 }, 1.8, 2.6), figure.hair);
        drawFace(painter);
        drawCollar(painter, figure.collar);

        QPainterPath cap;
        cap.moveTo(29.5, 21);
        cap.cubicTo(29, 12.5, 42, 12.5, 41.5, 21);
        cap.closeSubpath();
        outlined(painter, cap, figure.panel);
        outlined(painter, polygon({ { 29, 19.6 }, { 42, 19.6 }, { 42, 21.6 }, { 29, 21.6 } }),
                 trimOf(figure));
        // A plume rising from the cap, on the side away from what the jack holds.
        painter.save();
        painter.translate(figure.leftHand ? 42 : 29, 15.5);
        painter.rotate(figure.leftHand ? -40 : 40);
        outlined(painter, ellipse({ 0, 0 }, 4.2, 1.6), figure.robe == kBlue ? kWhite : kBlue);
        painter.restore();
    }

    void drawHalf(QPainter &painter, int suit, int rank, Deck deck)
    {
        const Figure &figure = kFigures[rank - 11][suit - 1];
        if (rank == 13)
            drawKing(painter, figure);
        else if (rank == 12)
            drawQueen(painter, figure);
        else
            drawJack(painter, figure);

        painter.save();
        painter.translate(figure.leftHand ? 21.5 : 49.5, 43.5);
        if (figure.leftHand)
            painter.scale(-1, 1);
        drawHeld(painter, figure);
        painter.restore();
        // The suit's sign in the corner the object leaves free.
        drawSuitSign(painter, suit, QPointF(figure.leftHand ? 50.5 : 20.5, 18), 7, 8, deck);
    }

} // namespace

void drawCourt(QPainter &painter, int suit, int rank, Deck deck)
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
        drawHalf(painter, suit, rank, deck);
        painter.restore();
    }

    painter.setPen(QPen(suitColour(suit, deck), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(frame.left(), 52), QPointF(frame.right(), 44));
    painter.drawRect(frame);
}

} // namespace art
