#pragma once

#include <QPainterPath>

namespace art {

// The rank of the corner index (A, 2 to 10, J, Q, K) as a filled outline, in a face's 71 x 96
// design units, already in its place: ten units high from y = 3, centred on x = 8, the 10 from
// x = 3 to 13. The letters are drawn here rather than taken from a font, so that every machine
// draws the same index and each letter is shaped for a card's corner: stems two units wide on
// whole units (sharp at 71 x 96), a J with a top bar and an open hook, a 10 narrow enough to
// keep two units clear of the card's edge. Scale is the card's size over its design size: the
// letters' weight follows it, heavier where they are only a few pixels high.
QPainterPath rankIndex(int rank, qreal scale);

} // namespace art
