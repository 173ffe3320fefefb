// Not a test by itself: plays the history's part of a table, round after round, for the kill
// test. history_record_loop PATH FIRST [COUNT]: begins a table session in the history at PATH and
// records rounds whose stakes are FIRST, FIRST + 1, ... . After each round is recorded it writes
// the round's stake to standard output as 8 bytes, as the table shows the outcome box only once
// the round is recorded. One byte 's' on standard output first says it is about to open the
// history. Without COUNT it goes on until it is killed.
#include "history/HistoryStore.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

bool writeAll(const void *data, std::size_t size)
{
    return write(STDOUT_FILENO, data, size) == static_cast<ssize_t>(size);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3 && argc != 4)
        return 2;
    QCoreApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    const std::int64_t first = std::stoll(argv[2]);
    // Bounded, so that a loop nobody kills ends by itself; the kill test takes that as a failure.
    const std::int64_t count = argc == 4 ? std::stoll(argv[3]) : 1'000'000;
    if (!writeAll("s", 1))
        return 2;

    HistoryStore store(path);
    double money = 10000;
    store.beginSession(money, QDateTime::currentMSecsSinceEpoch());
    for (std::int64_t stake = first; stake < first + count; ++stake) {
        pokdeng::PlayedRound round;
        round.playedAtMs = QDateTime::currentMSecsSinceEpoch();
        round.stake = static_cast<double>(stake);
        round.user.cards = { cards::Card { 2, 4 }, cards::Card { 2, 5 }, cards::Card {} };
        round.user.value = { pokdeng::kPokNine, 2, "ป๊อก 9สองเด้ง" };
        round.dealer.cards = { cards::Card { 1, 13 }, cards::Card { 3, 7 }, cards::Card {} };
        round.dealer.value = { 7, 0, "7แต้ม" };
        round.outcome = pokdeng::Settlement::Outcome::UserWins;
        round.moneyChange = 2;
        money += round.moneyChange;
        round.moneyAfter = money;
        if (!store.record(round)) {
            std::fprintf(stderr, "round %lld not recorded: %s\n", static_cast<long long>(stake),
                         qPrintable(store.troubleDetail()));
            return 1;
        }
        if (!writeAll(&stake, sizeof stake))
            return 2;
    }
    store.endSession(QDateTime::currentMSecsSinceEpoch());
    return argc == 4 ? 0 : 3;
}
