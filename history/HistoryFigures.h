#pragma once

#include <QtGlobal>

#include <limits>
#include <optional>
#include <vector>

// How many rounds of a stretch of play the user won, tied and lost.
struct OutcomeCounts
{
    qint64 won = 0;
    qint64 tied = 0;
    qint64 lost = 0;

    // Never more than the largest count there is, however large the parts.
    qint64 rounds() const
    {
        qint64 sum = 0;
        for (const qint64 part : { won, tied, lost }) {
            if (__builtin_add_overflow(sum, part, &sum))
                return part > 0 ? std::numeric_limits<qint64>::max()
                                : std::numeric_limits<qint64>::min();
        }
        return sum;
    }
    friend bool operator==(const OutcomeCounts &, const OutcomeCounts &) = default;
};

// The outcomes of the rounds in which the user's hand was of one kind (the kind codes of the
// hand evaluation, 0 "บอดสนิท" to 16 "ป๊อก 9").
struct KindOutcomes
{
    int kind = 0;
    OutcomeCounts counts;

    friend bool operator==(const KindOutcomes &, const KindOutcomes &) = default;
};

// The figures of a stretch of play: all the rounds ever recorded, or those of one table.
struct HistoryFigures
{
    OutcomeCounts outcomes;
    // Only the kinds the user held at least once, highest kind first.
    std::vector<KindOutcomes> byUserKind;
    // The most won and the most lost in one round, as positive amounts; nothing when no round
    // was won (lost).
    std::optional<double> biggestWin;
    std::optional<double> biggestLoss;
    // The most money the user held, the money a table started with included; nothing before the
    // first round.
    std::optional<double> bestMoney;
    // The most rounds won one after another at one table; a tie or a loss ends a run, and so
    // does the table's end.
    qint64 longestWinningRun = 0;

    friend bool operator==(const HistoryFigures &, const HistoryFigures &) = default;
};

// The user's money over a stretch of play, for its chart: each table's money before its first
// round, then after each of its rounds, the tables one after another in the order they began.
struct MoneySeries
{
    std::vector<double> money;
    // Where each table after the first begins in money: the place of its money before its first
    // round, in increasing order.
    std::vector<std::size_t> tableStarts;

    friend bool operator==(const MoneySeries &, const MoneySeries &) = default;
};

// The share of part in whole, in percent; 0 when whole is 0.
inline double percentOf(qint64 part, qint64 whole)
{
    return whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}
