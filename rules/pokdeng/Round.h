#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Settlement.h"
#include "rules/pokdeng/SlotCards.h"
#include "rules/pokdeng/UserStatus.h"

#include <array>
#include <string>

namespace pokdeng {

// One round at the table, from the stake to the settlement: the twelve cards, every seat's
// points, who took a third card, the user's status line and the outcome. The steps must be taken
// in the order of play, each once:
//
//   Round round(stake, random);   // deals the twelve cards, works out every seat's points
//   round.playFirstSeat();        // the first seat draws or stands (may flip a coin)
//   round.userStatus();           // the user's turn: status line and turn buttons
//   round.userDraws() or round.userStands();
//   round.playLastSeat();         // may flip a coin
//   round.playDealer();           // may flip a coin; the dealer's points are final after it
//   round.settle(decimalPoint);   // both hands valued, the money change and the outcome texts
//
// A step taken out of order is a programming error: it asserts, and in a release build does
// nothing and answers as if the seat stood. The random source is read in exactly this order (the
// deal, then the first seat's, the last seat's and the dealer's coin, each only when its seat's
// points call for a flip), so a given seed always plays the same round.
class Round
{
public:
    enum class Step { FirstSeat, UserTurn, LastSeat, Dealer, Settlement, Settled };

    // Deals the twelve cards from random and works out every seat's points after the deal.
    // random must outlive the round; it also flips the seats' coins.
    Round(double stake, cards::RandomSource &random);
    // A round with the given cards (the tests' and the odds' way to deal known hands); coins are
    // still flipped by random.
    Round(const SlotCards &cards, double stake, cards::RandomSource &random);

    Step step() const { return m_step; }
    double stake() const { return m_stake; }
    const SlotCards &cards() const { return m_cards; }
    // The seat's points now: after the deal, with its third card once it took one. 0 for a seat
    // outside 1..4.
    int points(int seat) const;
    // Whether the seat has taken its third card.
    bool hasDrawn(int seat) const;

    // The first seat's turn. Returns whether it draws.
    bool playFirstSeat();
    // The user's status line and turn buttons: at the user's turn from the two cards, after a
    // draw with the third card counted.
    UserStatus userStatus() const;
    // Whether the user may stand now (4 points and up; a pok must). Whether the user may draw:
    // anything but a pok.
    bool mayStand() const;
    bool mayDraw() const;
    void userDraws();
    void userStands();
    // The last seat's turn and the dealer's. Each returns whether the seat draws.
    bool playLastSeat();
    bool playDealer();

    // Values both hands and settles the user against the dealer for the stake. Once settled,
    // settlement() answers the same outcome again.
    const Settlement &settle(const std::string &decimalPoint = ".");
    const Settlement &settlement() const { return m_settlement; }
    const HandValue &userHand() const { return m_userHand; }
    const HandValue &dealerHand() const { return m_dealerHand; }

private:
    bool advance(Step expected, Step next);
    bool takeThirdCard(int seat);

    cards::RandomSource &m_random;
    double m_stake;
    SlotCards m_cards;
    std::array<int, kSeatCount> m_points {};
    std::array<bool, kSeatCount> m_drawn {};
    Step m_step = Step::FirstSeat;
    HandValue m_userHand;
    HandValue m_dealerHand;
    Settlement m_settlement;
};

} // namespace pokdeng
