#pragma once

class QPainter;

namespace art {

enum class Deck;

// The court picture of a jack (11), queen (12) or king (13) of suit inside its frame, in the
// 71 x 96 coordinates of a face. Double-headed: the lower half is the upper half turned round.
void drawCourt(QPainter &painter, int suit, int rank, Deck deck);

} // namespace art
