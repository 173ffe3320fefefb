#include "BackArt.h"

#include "FaceArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace art {

namespace {

    // One pass of a box blur along rows (or columns, on the transposed image), edges clamped.
    // Three passes come close to a Gaussian and, unlike a graphics effect, give the same pixels on
    // every machine.
    QImage boxBlurRows(const QImage &source, int radius)
    {
        QImage result(source.size(), QImage::Format_RGB32);
        const int w = source.width();
        for (int y = 0; y < source.height(); ++y) {
            const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
            auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
            for (int x = 0; x < w; ++x) {
                int r = 0, g = 0, b = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const QRgb p = in[std::clamp(x + k, 0, w - 1)];
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
                const int n = 2 * radius + 1;
                out[x] = qRgb(r / n, g / n, b / n);
            }
        }
        return result;
    }

    QImage transposed(const QImage &image)
    {
        return image.transformed(QTransform(0, 1, 1, 0, 0, 0));
    }

    QImage blurred(QImage image, int radius)
    {
        image = image.convertToFormat(QImage::Format_RGB32);
        for (int pass = 0; pass < 3; ++pass) {
            image = boxBlurRows(image, radius);
            image = transposed(boxBlurRows(transposed(image), radius));
        }
        return image;
    }

    // Deep blue sky fading to light blue, a dark band of hills, a golden orange field below.
    QImage drawLandscape(QSize size, int scale)
    {
        QImage image(size, QImage::Format_RGB32);
        const qreal w = size.width(), h = size.height();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);

        QLinearGradient sky(0, 0, 0, 0.5 * h);
        sky.setColorAt(0, QColor(8, 24, 92));
        sky.setColorAt(0.55, QColor(54, 110, 196));
        sky.setColorAt(1, QColor(150, 200, 240));
        painter.fillRect(QRectF(0, 0, w, 0.5 * h), sky);

        QLinearGradient field(0, 0.5 * h, 0, h);
        field.setColorAt(0, QColor(226, 124, 28));
        field.setColorAt(0.5, QColor(240, 164, 44));
        field.setColorAt(1, QColor(250, 200, 84));
        painter.fillRect(QRectF(0, 0.5 * h, w, 0.5 * h), field);

        QPainterPath hills;
        hills.moveTo(0, 0.47 * h);
        hills.cubicTo(0.2 * w, 0.39 * h, 0.35 * w, 0.43 * h, 0.5 * w, 0.45 * h);
        hills.cubicTo(0.68 * w, 0.47 * h, 0.8 * w, 0.38 * h, w, 0.44 * h);
        hills.lineTo(w, 0.58 * h);
        hills.cubicTo(0.7 * w, 0.62 * h, 0.35 * w, 0.55 * h, 0, 0.6 * h);
        hills.closeSubpath();
        painter.fillPath(hills, QColor(26, 30, 46));
        painter.end();
        return blurred(image, 2 * scale);
    }

} // namespace

QImage drawBack(int scale)
{
    QImage image(kCardWidth * scale, kCardHeight * scale, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 40));
    const int w = image.width(), h = image.height();
    painter.drawRect(0, 0, w, scale);
    painter.drawRect(0, h - scale, w, scale);
    painter.drawRect(0, 0, scale, h);
    painter.drawRect(w - scale, 0, scale, h);

    const QRect inner(4 * scale, 4 * scale, w - 8 * scale, h - 8 * scale);
    painter.drawImage(inner.topLeft(), drawLandscape(inner.size(), scale));
    return image;
}

QImage drawPack(int scale)
{
    constexpr int kDepth = kPackWidth - kCardWidth; // cards under the top one
    QImage image(kPackWidth * scale, kPackHeight * scale, QImage::Format_RGB888);
    image.fill(QColor(25, 123, 48));
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    // From the bottom card up; each card lies one pixel right of and above the one under it,
    // so only its left column and bottom row show: alternately grey and white, the stripes.
    for (int k = kDepth; k >= 1; --k) {
        const QRect card(kDepth - k, k, kCardWidth, kCardHeight);
        painter.fillRect(card, Qt::white);
        const QColor edge = (k % 2) ? QColor(120, 120, 120) : QColor(236, 236, 236);
        painter.fillRect(QRect(card.left(), card.top(), 1, kCardHeight), edge);
        painter.fillRect(QRect(card.left(), card.bottom(), kCardWidth, 1), edge);
    }
    painter.resetTransform();
    painter.drawImage(QPoint(kDepth * scale, 0), drawBack(scale));
    return image;
}

} // namespace art
