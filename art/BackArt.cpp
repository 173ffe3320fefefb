#include "art/CardArt.h"

#include "art/CardShape.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace art {

namespace {

    // The landscape of the back, in a box one unit square (x right, y down), stretched to the
    // picture's place: deep blue sky fading to light blue, a pale glow low in the sky, a band of
    // hazy far hills and dark near hills across the middle, a golden orange field below whose
    // furrows run to the foot of the hills. Every edge is a shape's edge, sharp at any size.
    void drawLandscape(QPainter &painter)
    {
        QLinearGradient sky(0, 0, 0, 0.5);
        sky.setColorAt(0, QColor(8, 24, 92));
        sky.setColorAt(0.55, QColor(54, 110, 196));
        sky.setColorAt(1, QColor(150, 200, 240));
        painter.fillRect(QRectF(0, 0, 1, 0.56), sky);

        QRadialGradient glow(QPointF(0.68, 0.43), 0.22);
        glow.setColorAt(0, QColor(255, 236, 190, 220));
        glow.setColorAt(0.35, QColor(255, 226, 170, 90));
        glow.setColorAt(1, QColor(255, 226, 170, 0));
        painter.fillRect(QRectF(0, 0.2, 1, 0.36), glow);

        QLinearGradient field(0, 0.5, 0, 1);
        field.setColorAt(0, QColor(226, 124, 28));
        field.setColorAt(0.5, QColor(240, 164, 44));
        field.setColorAt(1, QColor(250, 200, 84));
        painter.fillRect(QRectF(0, 0.5, 1, 0.5), field);

        // Furrows from a point behind the hills, fanning out to the bottom edge.
        painter.save();
        painter.setClipRect(QRectF(0, 0.5, 1, 0.5));
        QPen furrow(QColor(200, 96, 20, 120), 0.012);
        furrow.setCapStyle(Qt::FlatCap);
        painter.setPen(furrow);
        for (int k = -7; k <= 7; ++k)
            painter.drawLine(QPointF(0.5 + 0.02 * k, 0.54), QPointF(0.5 + 0.2 * k, 1.0));
        painter.restore();

        QPainterPath far;
        far.moveTo(0, 0.45);
        far.cubicTo(0.12, 0.4, 0.22, 0.37, 0.34, 0.41);
        far.cubicTo(0.46, 0.45, 0.56, 0.36, 0.7, 0.38);
        far.cubicTo(0.82, 0.4, 0.9, 0.43, 1, 0.4);
        far.lineTo(1, 0.55);
        far.lineTo(0, 0.55);
        far.closeSubpath();
        painter.fillPath(far, QColor(74, 94, 146));

        QPainterPath hills;
        hills.moveTo(0, 0.48);
        hills.cubicTo(0.2, 0.41, 0.35, 0.45, 0.5, 0.47);
        hills.cubicTo(0.68, 0.49, 0.8, 0.42, 1, 0.46);
        hills.lineTo(1, 0.57);
        hills.cubicTo(0.7, 0.6, 0.35, 0.54, 0, 0.59);
        hills.closeSubpath();
        painter.fillPath(hills, QColor(26, 30, 46));
    }

} // namespace

QImage drawBack(QSize pixels, Corners corners)
{
    if (pixels.isEmpty())
        return {};
    const Scale scale = scaleBetween(kCardSize, pixels);
    QImage image = blankCard(pixels, scale);
    if (image.isNull())
        return image;
    // Four units of white all round, the same on opposite sides in whole pixels.
    const int mx = qRound(4 * scale.x), my = qRound(4 * scale.y);
    const QRectF place(mx, my, pixels.width() - 2 * mx, pixels.height() - 2 * my);
    const qreal radius = 2 * scale.least();
    QPainterPath picture;
    picture.addRoundedRect(place, radius, radius);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setClipPath(picture);
        painter.translate(place.topLeft());
        painter.scale(place.width(), place.height());
        drawLandscape(painter);
    }
    {
        // A thin dark frame round the picture, the weight of the card's edge.
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal e = edgeWidth(scale);
        QPainterPath inner;
        inner.addRoundedRect(place.adjusted(e, e, -e, -e), qMax(0.0, radius - e),
                             qMax(0.0, radius - e));
        painter.fillPath(picture.subtracted(inner), QColor(16, 28, 70));
    }
    return corners == Corners::Rounded ? roundCorners(image) : image;
}

QImage drawPack(QSize pixels)
{
    if (pixels.isEmpty())
        return {};
    constexpr int kDepth = 9; // cards under the top one, each one unit left of and below it
    const Scale scale = scaleBetween(kPackSize, pixels);
    const QSize card(qRound(kCardSize.width() * scale.x), qRound(kCardSize.height() * scale.y));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(QColor(25, 123, 48));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal radius = 4 * scale.least();
    const int right = pixels.width() - card.width();
    // From the bottom card up; only each card's left side and bottom show under the next, as
    // stripes alternately grey and white.
    for (int k = kDepth; k >= 1; --k) {
        const QRectF place(qMax(0, right - qRound(k * scale.x)), qRound(k * scale.y), card.width(),
                           card.height());
        painter.setBrush((k % 2) ? QColor(120, 120, 120) : QColor(236, 236, 236));
        painter.drawRoundedRect(place, radius, radius);
    }
    painter.drawImage(QPoint(right, 0), drawBack(card, Corners::Rounded));
    return image;
}

} // namespace art
