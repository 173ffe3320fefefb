// How fast the rulebook plays a round: the deal, the seats' decisions, the user's status and
// choice, both hands' values and the settlement, with no window. Rounds per second are the
// "items_per_second" of BM_Round; the other two show where its time goes.
#include "rules/Deal.h"
#include "rules/HandEvaluation.h"
#include "rules/Points.h"
#include "rules/SeatDecisions.h"
#include "rules/Settlement.h"
#include "rules/UserStatus.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace pokdeng;

namespace {

struct RoundResult
{
    Settlement settlement;
    SlotCards cards;
};

RoundResult playRound(RandomSource &random)
{
    const SlotCards cards = deal(random);
    int points[kSeatCount];
    for (int seat = 1; seat <= kSeatCount; ++seat)
        points[seat - 1] = pointsAfterDeal(cards, seat);
    if (sideSeatDraws(cards, kFirstSeat, points[0], random))
        points[0] = pointsWithThirdCard(points[0], cards[thirdSlotOf(kFirstSeat)].rank);

    // The user draws when made to and otherwise on the toss of a coin.
    const auto hand = cards.ofSeat(kUserSeat);
    UserStatus status = userStatus(hand, points[1], false);
    const bool userDraws = status.drawShown
        && (status.stand != UserStatus::StandButton::Shown || random.next() < 0.5);
    if (userDraws)
        status = userStatus(hand, points[1], true);
    points[1] = status.points;

    if (sideSeatDraws(cards, kLastSeat, points[2], random))
        points[2] = pointsWithThirdCard(points[2], cards[thirdSlotOf(kLastSeat)].rank);
    const bool dealerDrew = dealerDraws(points[3], userDraws, random);
    if (dealerDrew)
        points[3] = pointsWithThirdCard(points[3], cards[thirdSlotOf(kDealerSeat)].rank);

    const HandValue user = evaluateHand(hand, points[1], userDraws);
    const HandValue dealer = evaluateHand(cards.ofSeat(kDealerSeat), points[3], dealerDrew);
    return { settle(user, dealer, points[1], 1000), cards };
}

void BM_Round(benchmark::State &state)
{
    SeededRandom random(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(playRound(random));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Round);

void BM_Deal(benchmark::State &state)
{
    SeededRandom random(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(deal(random));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Deal);

// Valuing both hands of a dealt round and settling them, on 1,024 rounds dealt beforehand.
void BM_EvaluateAndSettle(benchmark::State &state)
{
    SeededRandom random(3);
    std::vector<SlotCards> rounds;
    for (int i = 0; i < 1024; ++i)
        rounds.push_back(deal(random));
    std::size_t next = 0;
    for (auto _ : state) {
        const SlotCards &cards = rounds[next++ % rounds.size()];
        const int userPoints = pointsAfterDeal(cards, kUserSeat);
        const int dealerPoints = pointsAfterDeal(cards, kDealerSeat);
        const HandValue user = evaluateHand(cards.ofSeat(kUserSeat), userPoints, false);
        const HandValue dealer = evaluateHand(cards.ofSeat(kDealerSeat), dealerPoints, false);
        benchmark::DoNotOptimize(settle(user, dealer, userPoints, 1000));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvaluateAndSettle);

} // namespace
