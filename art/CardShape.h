#pragma once

#include <QImage>
#include <QSize>

class QPainter;

// What every card picture shares: the scale from design units to the pixels asked for, the
// white card with its dark edge, and the rounded corners.
namespace art {

// Design units to device pixels, along each axis.
struct Scale
{
    qreal x = 1, y = 1;

    qreal least() const { return qMin(x, y); }
};

Scale scaleBetween(QSize design, QSize pixels);

// The card's dark edge, whole pixels wide: one at the design size, about the scale above it.
int edgeWidth(Scale scale);

// A white card of pixels with its dark edge along all four sides, square-cornered, opaque.
QImage blankCard(QSize pixels, Scale scale);

} // namespace art
