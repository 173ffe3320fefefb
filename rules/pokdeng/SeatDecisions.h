#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/SlotCards.h"

namespace pokdeng {

// Whether the first seat (seat 1) or the last seat (seat 3) takes its third card, given its
// points after the deal: always below 4; never from 5 up; on 4 it stands when its two cards share
// a suit and otherwise flips the coin. random is read only for that coin flip.
bool sideSeatDraws(const SlotCards &cards, int seat, int points, cards::RandomSource &random);

// Whether the dealer takes its third card, given its points after the deal and whether the user
// drew. After the user stood the dealer draws up to 5; after the user drew it draws up to 3 and
// flips the coin on 4. random is read only for that coin flip.
bool dealerDraws(int points, bool userDrew, cards::RandomSource &random);

} // namespace pokdeng
