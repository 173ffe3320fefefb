#include "rules/pokdeng/Points.h"

namespace pokdeng {

int pointsAfterDeal(const SlotCards &cards, int seat)
{
    if (!isValidSeat(seat))
        return 0;
    const auto seatSlots = slotsOfSeat(seat);
    int points
        = cards::cardValue(cards[seatSlots[0]].rank) + cards::cardValue(cards[seatSlots[1]].rank);
    while (points >= 10)
        points -= 10;
    return points;
}

int pointsWithThirdCard(int points, int rank)
{
    points += cards::cardValue(rank);
    if (points >= 10)
        points -= 10;
    return points;
}

} // namespace pokdeng
