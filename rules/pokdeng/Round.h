#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Settlement.h"
#include "rules/pokdeng/SlotCards.h"
#include "rules/pokdeng/UserStatus.h"

#include <array>
#include <optional>
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
// People may hold the side seats too (People): a side seat held by a person takes its turn as the
// user does (draw or stand, by the same rules) instead of by the computer's rule and coin, and is
// settled against the dealer like the user. The user's seat may be left to the computer, which
// then plays it by the side seats' rule. The steps are the same, seat by seat:
//
//   Round round(cards, people, random);
//   while (round.turnSeat() != 0) {            // 1, 2, 3, then 4 (the dealer)
//       if (round.isPerson(round.turnSeat())) round.draw(seat) or round.stand(seat);
//       else round.playComputer();             // may flip a coin
//   }
//   round.settleAll(decimalPoint);             // every person's settlement()
//
// A step taken out of order is a programming error: it asserts, and in a release build does
// nothing and answers as if the seat stood. The random source is read in exactly this order (the
// deal, then the first seat's, the last seat's and the dealer's coin, each only when its seat's
// points call for a flip), so a given seed always plays the same round.
class Round
{
public:
    enum class Step { FirstSeat, UserTurn, LastSeat, Dealer, Settlement, Settled };

    // The stake of each of the seats 1..3 held by a person; no stake for a seat the computer
    // plays.
    using People = std::array<std::optional<double>, 3>;
    // The design's table: the user in seat 2 with stake, the computer in seats 1 and 3.
    static People userOnly(double stake) { return { std::nullopt, stake, std::nullopt }; }

    // Deals the twelve cards from random and works out every seat's points after the deal.
    // random must outlive the round; it also flips the seats' coins.
    Round(double stake, cards::RandomSource &random);
    // A round with the given cards (the tests' and the odds' way to deal known hands); coins are
    // still flipped by random.
    Round(const SlotCards &cards, double stake, cards::RandomSource &random);
    Round(const People &people, cards::RandomSource &random);
    Round(const SlotCards &cards, const People &people, cards::RandomSource &random);

    Step step() const { return m_step; }
    // The user's stake (0 when the computer plays the user's seat).
    double stake() const { return stakeOf(kUserSeat); }
    double stakeOf(int seat) const;
    // Whether a person holds the seat (1..3).
    bool isPerson(int seat) const;
    // The seat whose turn it is: 1..3, 4 for the dealer, 0 once every seat has played.
    int turnSeat() const;
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
    // The seat at its turn (a computer seat or the dealer) decides. Returns whether it draws.
    bool playComputer();
    // A person's status line and turn buttons, as userStatus() for the user.
    UserStatus statusOf(int seat) const;
    // Whether the person at seat may stand or draw now: at their turn, by the user's rules.
    bool mayStand(int seat) const;
    bool mayDraw(int seat) const;
    void draw(int seat);
    void stand(int seat);

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
    const Settlement &settlement() const { return settlementOf(kUserSeat); }
    const HandValue &userHand() const { return handOf(kUserSeat); }
    const HandValue &dealerHand() const { return handOf(kDealerSeat); }
    // Values the dealer's hand and every person's, and settles each person against the dealer.
    void settleAll(const std::string &decimalPoint = ".");
    // A person's settlement and a settled hand (a person's or the dealer's); empty ones for a
    // seat the computer played, or before the settlement.
    const Settlement &settlementOf(int seat) const;
    const HandValue &handOf(int seat) const;

private:
    bool advance(Step expected, Step next);
    bool takeThirdCard(int seat);
    bool isTurnOf(int seat) const;
    bool computerDraws(int seat);

    cards::RandomSource &m_random;
    People m_people;
    SlotCards m_cards;
    std::array<int, kSeatCount> m_points {};
    std::array<bool, kSeatCount> m_drawn {};
    Step m_step = Step::FirstSeat;
    std::array<HandValue, kSeatCount> m_hands {};
    std::array<Settlement, kSeatCount> m_settlements {};
};

} // namespace pokdeng
