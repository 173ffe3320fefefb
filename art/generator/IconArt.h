#pragma once

#include <QImage>

namespace art {

// The window icon, 32 x 32 at scale 1, in 16 colours (one of them transparent): a white sheet
// with a folded top-right corner, the four suit signs and the letters J, Q, K and A.
QImage drawIcon(int scale);

} // namespace art
