#include "art/CardShape.h"

#include "art/CardArt.h"

#include <QHash>
#include <QMutex>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace art {

namespace {

    const QColor kEdge(40, 40, 40);

    // The corner's radius in design units: about the rounding of a real card's corner.
    constexpr qreal kCornerRadius = 4;

    QPainterPath disc(qreal centre, qreal radius)
    {
        QPainterPath path;
        path.addEllipse(QPointF(centre, centre), radius, radius);
        return path;
    }

    // The top-left corner's curve: what lies outside the inner side of the edge's curve (to
    // clear), and the curved band of the edge (to fill).
    struct CornerShape
    {
        QPainterPath outside, band;
    };

    CornerShape makeCornerShape(qreal radius, int edge)
    {
        QPainterPath square;
        square.addRect(QRectF(0, 0, radius, radius));
        const QPainterPath inside = disc(radius, radius - edge);
        return { square.subtracted(inside),
                 square.intersected(disc(radius, radius)).subtracted(inside) };
    }

    // Kept per size: most cards are drawn at a few sizes, and the shapes' boolean operations
    // would otherwise be most of the cost of rounding a design bitmap's corners.
    CornerShape cornerShape(qreal radius, int edge)
    {
        static QMutex mutex;
        static QHash<QPair<qreal, int>, CornerShape> made;
        const QMutexLocker lock(&mutex);
        const QPair<qreal, int> key(radius, edge);
        auto found = made.constFind(key);
        if (found == made.constEnd()) {
            if (made.size() > 64)
                made.clear();
            found = made.insert(key, makeCornerShape(radius, edge));
        }
        return *found;
    }

    // Rounds the top-left corner of patch; pixels inside the curve stay as they are.
    void roundTopLeft(QImage &patch, const CornerShape &shape)
    {
        QPainter painter(&patch);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillPath(shape.outside, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillPath(shape.band, kEdge);
    }

} // namespace

Scale scaleBetween(QSize design, QSize pixels)
{
    return { qreal(pixels.width()) / design.width(), qreal(pixels.height()) / design.height() };
}

int edgeWidth(Scale scale)
{
    return qMax(1, qRound(scale.least()));
}

QImage blankCard(QSize pixels, Scale scale)
{
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    const int w = pixels.width(), h = pixels.height(), e = edgeWidth(scale);
    painter.fillRect(0, 0, w, e, kEdge);
    painter.fillRect(0, h - e, w, e, kEdge);
    painter.fillRect(0, 0, e, h, kEdge);
    painter.fillRect(w - e, 0, e, h, kEdge);
    return image;
}

// Every corner is the top-left one's treatment turned into place, so the four corners are
// exact mirror images of each other and a card reads the same turned round.
QImage roundCorners(const QImage &squareCard)
{
    QImage card = squareCard.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (card.isNull())
        return card;
    const Scale scale = scaleBetween(kCardSize, card.size());
    const qreal radius = kCornerRadius * scale.least();
    const int size = int(std::ceil(radius));
    const int w = card.width(), h = card.height();
    const CornerShape shape = cornerShape(radius, edgeWidth(scale));
    QPainter painter(&card);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QPoint corner : { QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1) }) {
        const QRect place(corner.x() ? w - size : 0, corner.y() ? h - size : 0, size, size);
        const bool turnX = corner.x(), turnY = corner.y();
        QImage patch = card.copy(place).mirrored(turnX, turnY);
        roundTopLeft(patch, shape);
        painter.drawImage(place.topLeft(), patch.mirrored(turnX, turnY));
    }
    return card;
}

} // namespace art
