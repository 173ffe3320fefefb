#include "rules/pokdeng/Round.h"

#include "rules/pokdeng/Deal.h"
#include "rules/pokdeng/Points.h"
#include "rules/pokdeng/SeatDecisions.h"

#include <cassert>

namespace pokdeng {

namespace {

    // The seat whose turn each step is: the seats in the order of play, then none.
    constexpr int seatOfStep(Round::Step step)
    {
        switch (step) {
        case Round::Step::FirstSeat:
            return kFirstSeat;
        case Round::Step::UserTurn:
            return kUserSeat;
        case Round::Step::LastSeat:
            return kLastSeat;
        case Round::Step::Dealer:
            return kDealerSeat;
        case Round::Step::Settlement:
        case Round::Step::Settled:
            break;
        }
        return 0;
    }

    constexpr Round::Step stepAfter(Round::Step step)
    {
        return static_cast<Round::Step>(static_cast<int>(step) + 1);
    }

    const Settlement kNoSettlement;
    const HandValue kNoHand;

} // namespace

Round::Round(double stake, cards::RandomSource &random)
    : Round(userOnly(stake), random)
{
}

Round::Round(const SlotCards &cards, double stake, cards::RandomSource &random)
    : Round(cards, userOnly(stake), random)
{
}

Round::Round(const People &people, cards::RandomSource &random)
    : Round(deal(random), people, random)
{
}

Round::Round(const SlotCards &cards, const People &people, cards::RandomSource &random)
    : m_random(random)
    , m_people(people)
    , m_cards(cards)
{
    for (int seat = 1; seat <= kSeatCount; ++seat)
        m_points[seat - 1] = pointsAfterDeal(m_cards, seat);
}

double Round::stakeOf(int seat) const
{
    return isPerson(seat) ? *m_people[seat - 1] : 0;
}

bool Round::isPerson(int seat) const
{
    return seat >= kFirstSeat && seat <= kLastSeat && m_people[seat - 1].has_value();
}

int Round::turnSeat() const
{
    return seatOfStep(m_step);
}

bool Round::isTurnOf(int seat) const
{
    return seat != 0 && turnSeat() == seat;
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

// The computer's rule for the seat at its turn: the dealer's, or a side seat's (which the user's
// seat follows too when no person holds it).
bool Round::computerDraws(int seat)
{
    if (seat == kDealerSeat)
        return dealerDraws(points(kDealerSeat), hasDrawn(kUserSeat), m_random);
    return sideSeatDraws(m_cards, seat, points(seat), m_random);
}

bool Round::playComputer()
{
    const int seat = turnSeat();
    assert(seat != 0 && !isPerson(seat));
    if (seat == 0 || isPerson(seat))
        return false;
    m_step = stepAfter(m_step);
    return computerDraws(seat) && takeThirdCard(seat);
}

bool Round::playFirstSeat()
{
    return m_step == Step::FirstSeat && playComputer();
}

bool Round::playLastSeat()
{
    if (m_step != Step::LastSeat) {
        assert(false);
        return false;
    }
    return playComputer();
}

bool Round::playDealer()
{
    if (m_step != Step::Dealer) {
        assert(false);
        return false;
    }
    return playComputer();
}

UserStatus Round::statusOf(int seat) const
{
    // The status line counts from the two dealt cards and adds the third itself.
    const int dealt = pointsAfterDeal(m_cards, seat);
    return pokdeng::userStatus(m_cards.ofSeat(seat), dealt, hasDrawn(seat));
}

UserStatus Round::userStatus() const
{
    return statusOf(kUserSeat);
}

bool Round::mayStand(int seat) const
{
    return isPerson(seat) && isTurnOf(seat) && points(seat) >= 4;
}

bool Round::mayDraw(int seat) const
{
    return isPerson(seat) && isTurnOf(seat) && statusOf(seat).drawShown;
}

void Round::draw(int seat)
{
    assert(mayDraw(seat));
    if (!mayDraw(seat))
        return;
    m_step = stepAfter(m_step);
    takeThirdCard(seat);
}

void Round::stand(int seat)
{
    assert(mayStand(seat));
    if (mayStand(seat))
        m_step = stepAfter(m_step);
}

bool Round::mayStand() const
{
    return mayStand(kUserSeat);
}

bool Round::mayDraw() const
{
    return mayDraw(kUserSeat);
}

void Round::userDraws()
{
    draw(kUserSeat);
}

void Round::userStands()
{
    stand(kUserSeat);
}

void Round::settleAll(const std::string &decimalPoint)
{
    if (!advance(Step::Settlement, Step::Settled))
        return;
    const auto value = [this](int seat) {
        return evaluateHand(m_cards.ofSeat(seat), points(seat), hasDrawn(seat));
    };
    m_hands[kDealerSeat - 1] = value(kDealerSeat);
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat) {
        if (!isPerson(seat))
            continue;
        m_hands[seat - 1] = value(seat);
        m_settlements[seat - 1] = pokdeng::settle(m_hands[seat - 1], m_hands[kDealerSeat - 1],
                                                  points(seat), stakeOf(seat), decimalPoint);
    }
}

const Settlement &Round::settle(const std::string &decimalPoint)
{
    settleAll(decimalPoint);
    return settlement();
}

const Settlement &Round::settlementOf(int seat) const
{
    return isPerson(seat) && m_step == Step::Settled ? m_settlements[seat - 1] : kNoSettlement;
}

const HandValue &Round::handOf(int seat) const
{
    if (m_step != Step::Settled || !(isPerson(seat) || seat == kDealerSeat))
        return kNoHand;
    return m_hands[seat - 1];
}

} // namespace pokdeng
