// How fast the rulebook plays a round: the deal, the seats' decisions, the user's status and
// choice, both hands' values and the settlement, with no window. Rounds per second are the
// "items_per_second" of BM_Round; the other two show where its time goes.
#include "rules/pokdeng/Deal.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Points.h"
#include "rules/pokdeng/Round.h"
#include "rules/pokdeng/Settlement.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace pokdeng;
using namespace cards;

namespace {

// One round through the rulebook's Round; the user draws when made to and otherwise on the toss
// of a coin.
Settlement playRound(RandomSource &random)
{
    Round round(1000, random);
    round.playFirstSeat();
    if (round.mayDraw() && (!round.mayStand() || random.next() < 0.5))
        round.userDraws();
    else
        round.userStands();
    round.playLastSeat();
    round.playDealer();
    return round.settle();
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
