#include "rules/pokdeng/Round.h"

#include "rules/pokdeng/Deal.h"
#include "rules/pokdeng/Points.h"
#include "rules/pokdeng/SeatDecisions.h"

#include <cassert>

namespace pokdeng {

Round::Round(double stake, cards::RandomSource &random)
    : Round(deal(random), stake, random)
{
}

Round::Round(const SlotCards &cards, double stake, cards::RandomSource &random)
    : m_random(random)
    , m_stake(stake)
    , m_cards(cards)
{
    for (int seat = 1; seat <= kSeatCount; ++seat)
        m_points[seat - 1] = pointsAfterDeal(m_cards, seat);
}

int Round::points(int seat) const
{
    return isValidSeat(seat) ? m_points[seat - 1] : 0;
}

bool Round::hasDrawn(int seat) const
{
    return isValidSeat(seat) && m_drawn[seat - 1];
}

bool Round::advance(Step expected, Step next)
{
    assert(m_step == expected);
    if (m_step != expected)
        return false;
    m_step = next;
    return true;
}

bool Round::takeThirdCard(int seat)
{
    m_drawn[seat - 1] = true;
    m_points[seat - 1] = pointsWithThirdCard(m_points[seat - 1], m_cards[thirdSlotOf(seat)].rank);
    return true;
}

bool Round::playFirstSeat()
{
    if (!advance(Step::FirstSeat, Step::UserTurn))
        return false;
    return sideSeatDraws(m_cards, kFirstSeat, points(kFirstSeat), m_random)
        && takeThirdCard(kFirstSeat);
}

UserStatus Round::userStatus() const
{
    // The status line counts from the two dealt cards and adds the third itself.
    const int dealt = pointsAfterDeal(m_cards, kUserSeat);
    return pokdeng::userStatus(m_cards.ofSeat(kUserSeat), dealt, hasDrawn(kUserSeat));
}

bool Round::mayStand() const
{
    return m_step == Step::UserTurn && points(kUserSeat) >= 4;
}

bool Round::mayDraw() const
{
    return m_step == Step::UserTurn && userStatus().drawShown;
}

void Round::userDraws()
{
    assert(mayDraw());
    if (mayDraw() && advance(Step::UserTurn, Step::LastSeat))
        takeThirdCard(kUserSeat);
}

void Round::userStands()
{
    assert(mayStand());
    if (mayStand())
        advance(Step::UserTurn, Step::LastSeat);
}

bool Round::playLastSeat()
{
    if (!advance(Step::LastSeat, Step::Dealer))
        return false;
    return sideSeatDraws(m_cards, kLastSeat, points(kLastSeat), m_random)
        && takeThirdCard(kLastSeat);
}

bool Round::playDealer()
{
    if (!advance(Step::Dealer, Step::Settlement))
        return false;
    return dealerDraws(points(kDealerSeat), hasDrawn(kUserSeat), m_random)
        && takeThirdCard(kDealerSeat);
}

const Settlement &Round::settle(const std::string &decimalPoint)
{
    if (!advance(Step::Settlement, Step::Settled))
        return m_settlement;
    m_userHand = evaluateHand(m_cards.ofSeat(kUserSeat), points(kUserSeat), hasDrawn(kUserSeat));
    m_dealerHand
        = evaluateHand(m_cards.ofSeat(kDealerSeat), points(kDealerSeat), hasDrawn(kDealerSeat));
    m_settlement
        = pokdeng::settle(m_userHand, m_dealerHand, points(kUserSeat), m_stake, decimalPoint);
    return m_settlement;
}

} // namespace pokdeng
