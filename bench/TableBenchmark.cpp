// What the table controller costs: a whole round with every event for one and for three views
// (people who act as soon as it is their turn), and the memory a table with three people takes
// once it has played. Rounds per second are the "items_per_second"; events per round are a
// counter of each case.
#include "rules/pokdeng/Seats.h"
#include "support/Figures.h"
#include "support/GoogleBenchmarks.h"
#include "table/TableController.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <vector>

using namespace pokdeng;
using namespace table;

namespace {

// A person who says at once that every event is shown and acts when asked: the least bet, and
// at their turn a draw below 4 points, otherwise a stand.
class QuickPerson final : public TableView
{
public:
    QuickPerson(TableController &table, int seat)
        : m_table(table)
        , m_seat(seat)
    {
    }

    void tell(std::uint64_t step, const Event &event) override
    {
        ++events;
        if (std::holds_alternative<BetsOpen>(event))
            m_betDue = true;
        if (const auto *status = std::get_if<StatusShown>(&event); status && status->yourTurn)
            m_turn = *status;
        if (isPaced(event))
            m_table.shown(m_seat, step);
    }

    void actIfDue()
    {
        if (m_turn) {
            const bool draws = m_turn->mayDraw && !m_turn->mayStand;
            m_turn.reset();
            m_table.act(m_seat, draws ? Action { Draw {} } : Action { Stand {} });
        } else if (m_betDue) {
            m_betDue = false;
            m_table.act(m_seat, ChooseBet { BetOption::Thousand });
        }
    }

    int seat() const { return m_seat; }

    std::uint64_t events = 0;

private:
    TableController &m_table;
    int m_seat;
    bool m_betDue = false;
    std::optional<StatusShown> m_turn;
};

// A table with people at the given seats; a person who runs out of money is given a new seat's
// worth by leaving and sitting down again.
struct BenchTable
{
    explicit BenchTable(const std::vector<int> &seats)
        : table(random)
    {
        for (int seat : seats) {
            people.push_back(std::make_unique<QuickPerson>(table, seat));
            table.join("ผู้เล่น", people.back().get(), seat);
        }
    }

    void playRound()
    {
        const std::uint64_t target = table.rounds() + 1;
        for (int pass = 0; pass < 100 && table.rounds() < target; ++pass)
            for (const auto &person : people) {
                if (table.isGameOver(person->seat())) {
                    table.leave(person->seat());
                    table.join("ผู้เล่น", person.get(), person->seat());
                }
                person->actIfDue();
            }
    }

    std::uint64_t events() const
    {
        std::uint64_t sum = 0;
        for (const auto &person : people)
            sum += person->events;
        return sum;
    }

    cards::SeededRandom random { 5 };
    TableController table;
    std::vector<std::unique_ptr<QuickPerson>> people;
};

void playRounds(benchmark::State &state, const std::vector<int> &seats)
{
    BenchTable bench(seats);
    for (auto _ : state)
        bench.playRound();
    if (bench.table.rounds() != std::uint64_t(state.iterations()))
        state.SkipWithError("the table stopped dealing");
    state.SetItemsProcessed(state.iterations());
    state.counters["events_per_round"] = double(bench.events()) / double(bench.table.rounds());
}

void BM_TableRoundOneView(benchmark::State &state)
{
    playRounds(state, { kUserSeat });
}
BENCHMARK(BM_TableRoundOneView);

void BM_TableRoundThreeViews(benchmark::State &state)
{
    playRounds(state, { kFirstSeat, kUserSeat, kLastSeat });
}
BENCHMARK(BM_TableRoundThreeViews);

// The heap a table with three people holds after some rounds, by glibc's count of the bytes in
// use, averaged over many tables.
void recordTableMemory()
{
    const int tables = bench::rounds(200, 5);
    const std::size_t before = mallinfo2().uordblks;
    std::vector<std::unique_ptr<BenchTable>> kept;
    for (int i = 0; i < tables; ++i) {
        kept.push_back(std::make_unique<BenchTable>(std::vector<int> { 1, 2, 3 }));
        for (int round = 0; round < 20; ++round)
            kept.back()->playRound();
    }
    const std::size_t after = mallinfo2().uordblks;
    const double perTable = double(after - before) / tables;
    std::printf("memory per table of three people after 20 rounds: %.0f bytes\n", perTable);
    bench::record("memory per table", perTable, "bytes");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    recordTableMemory();
    return runGoogleBenchmarks("table", argc, argv);
}
