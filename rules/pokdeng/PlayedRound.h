#pragma once

#include "rules/Card.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Settlement.h"

#include <array>
#include <cstdint>

namespace pokdeng {

class Round;

// One side of a settled round as the play history keeps it: the cards the seat held (a third
// card only when it was drawn; an undrawn third card stays a default Card) and its hand's value.
struct PlayedHand
{
    std::array<cards::Card, 3> cards {};
    bool drewThird = false;
    HandValue value;

    int cardCount() const { return drewThird ? 3 : 2; }

    friend bool operator==(const PlayedHand &, const PlayedHand &) = default;
};

// One settled round between the user and the dealer, for the play history.
struct PlayedRound
{
    // Milliseconds since 1970-01-01 UTC. 0 means "not stamped yet": the history stamps the
    // moment it records the round.
    std::int64_t playedAtMs = 0;
    double stake = 0;
    PlayedHand user;
    PlayedHand dealer;
    Settlement::Outcome outcome = Settlement::Outcome::Tie;
    double moneyChange = 0; // added to the user's money: positive won, negative lost
    double moneyAfter = 0; // the user's money once the change is made

    friend bool operator==(const PlayedRound &, const PlayedRound &) = default;
};

// The history's record of a round that has been settled (round.step() is Settled); moneyAfter is
// the user's money with the round's change already made. An unsettled round is a programming
// error: it asserts, and a release build records it as a tie with no cards.
PlayedRound playedRound(const Round &round, double moneyAfter);
// The same for the person at seat (1..3): their hand is the record's user hand.
PlayedRound playedRound(const Round &round, int seat, double moneyAfter);

} // namespace pokdeng
