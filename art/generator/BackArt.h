#pragma once

#include <QImage>

namespace art {

// The card back, 71 x 96 at scale 1: a white-edged card filled with a blurred landscape.
QImage drawBack(int scale);

// The pack on the table, 80 x 105 at scale 1: the back on top of a pack whose card edges show
// as stripes along its left and bottom sides. The two corners the cards leave free are the dark
// green of the table's felt.
inline constexpr int kPackWidth = 80;
inline constexpr int kPackHeight = 105;
QImage drawPack(int scale);

} // namespace art
