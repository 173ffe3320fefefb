#include "rules/pokdeng/PlayedRound.h"

#include "rules/pokdeng/Round.h"

#include <cassert>

namespace pokdeng {

namespace {

    PlayedHand playedHand(const Round &round, int seat, const HandValue &value)
    {
        PlayedHand hand;
        hand.drewThird = round.hasDrawn(seat);
        const auto cards = round.cards().ofSeat(seat);
        for (int i = 0; i < hand.cardCount(); ++i)
            hand.cards[i] = cards[i];
        hand.value = value;
        return hand;
    }

} // namespace

PlayedRound playedRound(const Round &round, double moneyAfter)
{
    return playedRound(round, kUserSeat, moneyAfter);
}

PlayedRound playedRound(const Round &round, int seat, double moneyAfter)
{
    assert(round.step() == Round::Step::Settled);
    PlayedRound played;
    played.stake = round.stakeOf(seat);
    played.moneyAfter = moneyAfter;
    if (round.step() != Round::Step::Settled)
        return played;
    const Settlement &settlement = round.settlementOf(seat);
    played.user = playedHand(round, seat, round.handOf(seat));
    played.dealer = playedHand(round, kDealerSeat, round.dealerHand());
    played.outcome = settlement.outcome;
    played.moneyChange = settlement.moneyChange;
    return played;
}

} // namespace pokdeng
