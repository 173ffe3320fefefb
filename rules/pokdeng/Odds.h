#pragma once

#include "rules/Card.h"

#include <cstdint>

namespace pokdeng {

// The odds of one choice at the user's turn, counted exactly. At the user's turn the user has seen
// only their own two cards, so every card they cannot see (the user's third, the dealer's three,
// the side seats') is equally likely to be any of the 50 others. A case is one way those cards can
// fall together with one side of the dealer's coin: a fall on which the dealer flips no coin
// counts twice, once for each side, so every case is equally likely and the counts are exact.
struct OptionOdds
{
    bool offered = false; // false: the user cannot take this choice; everything else is 0

    // Cases the user wins, ties and loses; total is their sum. netStakes adds, over the cases,
    // the stakes the user gains (the winner's payout multiplier, negative when the dealer wins).
    std::int64_t wins = 0;
    std::int64_t ties = 0;
    std::int64_t losses = 0;
    std::int64_t total = 0;
    std::int64_t netStakes = 0;

    // The same as chances (each count over total) and the expected money change in baht.
    double win = 0;
    double tie = 0;
    double loss = 0;
    double expectedMoney = 0;
};

enum class TurnChoice { Draw, Stand };

struct TurnOdds
{
    OptionOdds draw; // "จั่วไพ่"
    OptionOdds stand; // the stand button: "ไม่จั่ว", or "หงายไพ่" on a pok
    // The choice with the higher expected money, compared exactly; on equal expected money, the
    // stand (the choice that takes no card). Where only one choice is offered, that one.
    TurnChoice better = TurnChoice::Stand;
};

// The odds of each choice the user has after the deal with these two cards, for the stake. The
// choices on offer follow the user's status: a pok may only stand, 0 to 3 points must draw, 4 to
// 7 may do either. The dealer takes its third card as the table's dealer does (dealerDraws), a
// coin flip counting one half each way, and both hands are valued and settled by the rulebook
// that settles a real round (evaluateHand, settle). Pure: the same cards always give the same
// figures; safe to call from any thread.
TurnOdds oddsAtUsersTurn(const cards::Card &first, const cards::Card &second, double stake);

} // namespace pokdeng
