#pragma once

#include <QImage>

class QPainter;

namespace art {

// The window icon, 32 x 32 at scale 1, in 16 colours (one of them transparent): a white sheet
// with a folded top-right corner, the four suit signs and the letters J, Q, K and A.
QImage drawIcon(int scale);

// The icon of the desktop's menu, size x size pixels in full colour, for the hicolor theme:
// 16 is set pixel by pixel (a spade and a heart; four signs and four letters do not fit), 32
// is the window icon, and every other size is paintIcon's drawing.
QImage drawThemeIcon(int size);

// The window icon's picture as shapes in a 32 x 32 box, for any size and for the scalable
// icon: its letters are outlines of DejaVu Sans Condensed Bold, which the caller has loaded.
void paintIcon(QPainter &painter);

} // namespace art
