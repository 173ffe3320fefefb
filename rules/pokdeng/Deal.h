#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/SlotCards.h"

namespace pokdeng {

// Deals the twelve cards of a round, third cards included, slot by slot. Each slot draws a suit
// and then a rank from the whole pack; a card already on the table is drawn again, suit and rank
// both, so every slot is equally likely to get any card not yet dealt. The cards are pairwise
// different and the retries always end: at least 41 of 52 cards are still free.
SlotCards deal(cards::RandomSource &random);

} // namespace pokdeng
