// How long the odds at the user's turn take: both choices' exact figures for a two-card hand.
// BM_OddsEveryHand times each of the 1,326 two-card hands one call at a time and reports the
// median, the 90th percentile and the slowest call in milliseconds of wall clock, and the median
// of the thread's CPU time (which a busy machine does not stretch) (hands that may draw cost
// most: the count runs once for each card the user could draw). BM_OddsFirstCall runs first and
// once: it includes building the rank tables the count shares for the rest of the run.
#include "rules/pokdeng/Odds.h"
#include "support/Figures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

using namespace pokdeng;
using namespace cards;

namespace {

std::vector<std::pair<Card, Card>> everyTwoCardHand()
{
    std::vector<Card> pack;
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            pack.push_back({ static_cast<std::uint8_t>(suit), static_cast<std::int16_t>(rank) });
    std::vector<std::pair<Card, Card>> hands;
    for (std::size_t i = 0; i < pack.size(); ++i)
        for (std::size_t j = i + 1; j < pack.size(); ++j)
            hands.emplace_back(pack[i], pack[j]);
    return hands;
}

double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_OddsFirstCall(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(oddsAtUsersTurn({ 1, 3 }, { 2, 1 }, 500));
}
BENCHMARK(BM_OddsFirstCall)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_OddsEveryHand(benchmark::State &state)
{
    const auto hands = everyTwoCardHand();
    std::vector<double> milliseconds;
    std::vector<double> cpuMilliseconds;
    std::size_t next = 0;
    for (auto _ : state) {
        const auto &[first, second] = hands[next++ % hands.size()];
        const double cpuStart = threadSeconds();
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(oddsAtUsersTurn(first, second, 500));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        cpuMilliseconds.push_back((threadSeconds() - cpuStart) * 1000);
        state.SetIterationTime(took.count());
        milliseconds.push_back(took.count() * 1000);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const auto at = [&](double share) {
        return milliseconds[static_cast<std::size_t>(share * (milliseconds.size() - 1))];
    };
    state.counters["median_ms"] = at(0.5);
    state.counters["p90_ms"] = at(0.9);
    state.counters["max_ms"] = milliseconds.back();
    state.counters["median_cpu_ms"] = median(cpuMilliseconds);
    state.SetItemsProcessed(state.iterations());
}
// Every hand three times over (a few hands in a quick run).
BENCHMARK(BM_OddsEveryHand)
    ->UseManualTime()
    ->Iterations(bench::rounds(3 * 1326, 20))
    ->Unit(benchmark::kMillisecond);

} // namespace
