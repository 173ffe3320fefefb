#pragma once

#include "rules/Card.h"

#include <array>
#include <string>

namespace pokdeng {

// Hand kinds, compared by code alone: the higher code wins, equal codes tie.
enum HandKind : int {
    kNothing = 0, // "บอดสนิท": three cards worth 0
    // 1..7: that many points
    kThreeCardEight = 8,
    kThreeCardNine = 9,
    kThreeCourtCards = 10, // king, queen and jack
    kJackSian = 11,
    kQueenSian = 12,
    kKingSian = 13,
    kTong = 14, // three of a kind
    kPokEight = 15,
    kPokNine = 16,
};

// The payout a kind carries of itself, whatever its cards' suits: three of a kind 5 stakes, the
// court-card kinds 3; 0 for the kinds that are paid by their deng.
constexpr int kindPayout(int kind)
{
    if (kind == kTong)
        return 5;
    if (kind >= kThreeCourtCards && kind <= kKingSian)
        return 3;
    return 0;
}

// A hand valued at settlement: its kind code, the multiplier its deng or kind gives (0 for the
// plain payout of one stake) and its label as the result label shows it (UTF-8).
struct HandValue
{
    int kind = 0;
    int multiplier = 0;
    std::string label;

    friend bool operator==(const HandValue &, const HandValue &) = default;
};

// A kind's name (UTF-8): the result label without its deng, and three of a kind without its
// rank ("ป๊อก 9", "ตอง", "5แต้ม"). A code of no named kind is read as points.
std::string kindName(int kind);

// Values a seat's hand from its three cards (the third is dealt whether or not it shows), its
// final points and whether the third card shows. The tests run in a fixed order, so three 3s
// (9 points) are "9 หลัง", three 6s are "ตอง 6" before they are 8 points, and a pair of court
// cards with a 10 is "บอดสนิท".
HandValue evaluateHand(const std::array<cards::Card, 3> &hand, int points, bool thirdShows);

} // namespace pokdeng
