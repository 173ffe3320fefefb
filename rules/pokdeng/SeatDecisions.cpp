#include "rules/pokdeng/SeatDecisions.h"

namespace pokdeng {

namespace {
    bool coinSaysDraw(cards::RandomSource &random)
    {
        return cards::flipCoin(random) == 1;
    }
} // namespace

bool sideSeatDraws(const SlotCards &cards, int seat, int points, cards::RandomSource &random)
{
    if (points <= 3)
        return true;
    if (points >= 5)
        return false;
    const auto hand = cards.ofSeat(seat);
    if (hand[0].suit == hand[1].suit)
        return false;
    return coinSaysDraw(random);
}

bool dealerDraws(int points, bool userDrew, cards::RandomSource &random)
{
    if (points <= 3)
        return true;
    if (points >= 6)
        return false;
    if (!userDrew)
        return true; // 4 or 5 against a user who stood
    if (points == 5)
        return false;
    return coinSaysDraw(random);
}

} // namespace pokdeng
