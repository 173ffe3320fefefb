#pragma once

#include <QImage>

namespace art {

// Card faces are 71 x 96 pixels at scale 1; scale 2 draws the same design for high-DPI screens.
inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

// The face of (suit, rank): suit 1 spades, 2 hearts, 3 diamonds, 4 clubs; rank 1 ace to 13 king.
QImage drawFace(int suit, int rank, int scale);

} // namespace art
