#pragma once

#include "rules/pokdeng/SlotCards.h"

namespace pokdeng {

// A hand's points are the last digit of its card values' sum.

// The seat's points from its first two cards, 0..9; 0 for a seat outside 1..4.
int pointsAfterDeal(const SlotCards &cards, int seat);

// Points after a third card of rank is added: 10 is taken off once when the sum reaches 10.
// Starting from 0..9 this gives 0..9 again.
int pointsWithThirdCard(int points, int rank);

} // namespace pokdeng
