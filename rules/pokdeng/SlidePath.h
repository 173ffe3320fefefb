#pragma once

#include "rules/TwipsPoint.h"

#include <optional>
#include <vector>

namespace pokdeng {

// Every card waits hidden on the pack, here, between rounds, and every slide starts here.
inline constexpr cards::TwipsPoint kPackPosition { 2880, 1680 };

// Where a slot's card comes to rest and the size of its slide's steps: 2 twips for the first
// deal, 1 twip for a third card. Nothing for a slot outside 1..12.
struct SlotPlace
{
    cards::TwipsPoint end;
    int step = 0;
};
std::optional<SlotPlace> slotPlace(int slot);

// The positions a card passes through from the pack to its place, both ends included: first
// sideways along the pack's Top to the end Left, then up or down to the end Top, one step at a
// time. Empty for a slot outside 1..12.
std::vector<cards::TwipsPoint> slidePath(int slot);

// The slide of a computer seat's third card: seat 1, 3 or 4. Any other seat (the user's included,
// whose third card the draw button slides) gives no path.
std::vector<cards::TwipsPoint> slideThirdCard(int seat);

} // namespace pokdeng
