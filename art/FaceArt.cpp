#include "art/CardArt.h"

#include "art/CardShape.h"
#include "art/CourtArt.h"
#include "art/IndexGlyphs.h"
#include "art/SuitSigns.h"

#include <QPainter>

#include <cmath>
#include <vector>

namespace art {

namespace {

    // The corner index: the rank over a small suit sign in the top-left corner, inside the
    // design's box from (1, 1) to (15, 25); the four-colour deck's is a fifth larger, down to
    // (15, 28), still clear of the pips and the court frame. The bottom-right copy is the same
    // pixels turned half a circle, so both corners read exactly alike at every size.
    void drawCornerIndices(QImage &image, int suit, int rank, Scale scale, Deck deck)
    {
        const bool large = deck == Deck::FourColour;
        const int e = edgeWidth(scale);
        const QRect corner(
            QPoint(e, e),
            QPoint(qRound(15 * scale.x) - 1, qRound((large ? 28 : 25) * scale.y) - 1));
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(scale.x, scale.y);
            if (large) {
                // The rank a fifth larger about the middle of its top edge.
                painter.save();
                painter.translate(8, 3);
                painter.scale(1.2, 1.2);
                painter.translate(-8, -3);
                painter.fillPath(rankIndex(rank, scale.least() * 1.2), suitColour(suit, deck));
                painter.restore();
                drawSuitSign(painter, suit, QPointF(8, 21.5), 9.5, 9.5, deck);
            } else {
                painter.fillPath(rankIndex(rank, scale.least()), suitColour(suit, deck));
                drawSuitSign(painter, suit, QPointF(8, 19), 8, 8, deck);
            }
        }
        const QImage turned = image.copy(corner).mirrored(true, true);
        QPainter painter(&image);
        painter.drawImage(
            QPoint(image.width() - corner.right() - 1, image.height() - corner.bottom() - 1),
            turned);
    }

    // Pip centres of the number cards on the 71 x 96 face. Three columns and rows that sit on the
    // same half-pixel phase, so every pip is drawn with the same pixels; the lower half is the
    // upper half turned round.
    constexpr qreal kLeft = 20.5, kMiddle = 35.5, kRight = 50.5;
    constexpr qreal kTop = 17.5, kSecond = 37.5, kCentre = 47.5, kThird = 58.5, kBottom = 78.5;

    std::vector<QPointF> pipCentres(int rank)
    {
        const auto column = [](qreal x, std::initializer_list<qreal> ys) {
            std::vector<QPointF> points;
            for (qreal y : ys)
                points.emplace_back(x, y);
            return points;
        };
        auto join = [](std::vector<QPointF> a, const std::vector<QPointF> &b) {
            a.insert(a.end(), b.begin(), b.end());
            return a;
        };
        const auto sides2
            = join(column(kLeft, { kTop, kBottom }), column(kRight, { kTop, kBottom }));
        const auto sides3 = join(column(kLeft, { kTop, kCentre, kBottom }),
                                 column(kRight, { kTop, kCentre, kBottom }));
        const auto sides4 = join(column(kLeft, { kTop, kSecond, kThird, kBottom }),
                                 column(kRight, { kTop, kSecond, kThird, kBottom }));
        switch (rank) {
        case 2:
            return column(kMiddle, { kTop, kBottom });
        case 3:
            return column(kMiddle, { kTop, kCentre, kBottom });
        case 4:
            return sides2;
        case 5:
            return join(sides2, column(kMiddle, { kCentre }));
        case 6:
            return sides3;
        case 7: // one pip between the top pair and the middle pair
            return join(sides3, column(kMiddle, { 32.5 }));
        case 8:
            return join(sides3, column(kMiddle, { 32.5, 96 - 32.5 }));
        case 9:
            return join(sides4, column(kMiddle, { kCentre }));
        case 10:
            return join(sides4, column(kMiddle, { 27.5, 96 - 27.5 }));
        default:
            return {};
        }
    }

    void drawPips(QPainter &painter, int suit, int rank, Deck deck)
    {
        for (const QPointF &centre : pipCentres(rank))
            drawSuitSign(painter, suit, centre, 11, 13, deck, centre.y() > 48);
    }

    // The ace of spades carries one large ornamented spade: a white inner contour, a small white
    // rosette and scrolls either side of the stem.
    void drawAceOfSpades(QPainter &painter)
    {
        const QPointF centre(35.5, 46);
        drawSuitSign(painter, 1, centre, 40, 46, Deck::Design);

        painter.save();
        painter.translate(centre);
        painter.scale(40, 46);
        QTransform inner;
        inner.translate(0, -0.03);
        inner.scale(0.8, 0.78);
        QPen white(Qt::white, 0.028);
        white.setJoinStyle(Qt::RoundJoin);
        painter.setPen(white);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(inner.map(spadeBody()));
        painter.restore();

        // The rosette in the spade's heart.
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(35.5, 45), 2.6, 2.6);
        for (int i = 0; i < 4; ++i) {
            painter.save();
            painter.translate(35.5, 45);
            painter.rotate(45 + 90 * i);
            painter.drawEllipse(QPointF(0, -5), 1.4, 2.2);
            painter.restore();
        }
        painter.setBrush(Qt::black);
        painter.drawEllipse(QPointF(35.5, 45), 1.2, 1.2);
        painter.restore();

        // Scrolls that curl out from the foot of the stem.
        painter.save();
        QPen ink(Qt::black, 1.1);
        ink.setCapStyle(Qt::RoundCap);
        painter.setPen(ink);
        painter.setBrush(Qt::NoBrush);
        for (int side : { -1, 1 }) {
            QPainterPath scroll;
            scroll.moveTo(35.5 + side * 8, 69);
            scroll.cubicTo(35.5 + side * 16, 68.5, 35.5 + side * 20, 64, 35.5 + side * 18, 60.5);
            scroll.cubicTo(35.5 + side * 16.5, 58.5, 35.5 + side * 13.5, 60, 35.5 + side * 15,
                           62.5);
            painter.drawPath(scroll);
        }
        painter.restore();
    }

} // namespace

QImage drawFace(int suit, int rank, QSize pixels, Corners corners, Deck deck)
{
    if (suit < 1 || suit > 4 || rank < 1 || rank > 13 || pixels.isEmpty())
        return {};
    const Scale scale = scaleBetween(kCardSize, pixels);
    QImage image = blankCard(pixels, scale);
    if (image.isNull())
        return image;
    drawCornerIndices(image, suit, rank, scale, deck);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale.x, scale.y);
        if (rank == 1 && suit == 1)
            drawAceOfSpades(painter);
        else if (rank == 1)
            drawSuitSign(painter, suit, QPointF(35.5, 47.5), 19, 23, deck);
        else if (rank <= 10)
            drawPips(painter, suit, rank, deck);
        else
            drawCourt(painter, suit, rank, deck);
    }
    return corners == Corners::Rounded ? roundCorners(image) : image;
}

} // namespace art
