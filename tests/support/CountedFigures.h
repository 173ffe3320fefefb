#pragma once

#include "history/HistoryStore.h"
#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/PlayedRound.h"

#include <algorithm>
#include <functional>
#include <map>
#include <span>
#include <vector>

// Whether rounds[i] is the first of a table: the first round of all, or the first after a round
// that ended a game (the simulated and the scripted play start a new table there).
inline bool startsTable(std::span<const pokdeng::PlayedRound> rounds, std::size_t i)
{
    return i == 0 || pokdeng::isGameOver(rounds[i - 1].moneyAfter);
}

// The figures of a run of rounds counted one round at a time, as a player with a notebook would.
inline HistoryFigures countedFigures(std::span<const pokdeng::PlayedRound> rounds)
{
    HistoryFigures figures;
    std::map<int, OutcomeCounts, std::greater<>> kinds;
    qint64 run = 0;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        const pokdeng::PlayedRound &round = rounds[i];
        if (startsTable(rounds, i)) {
            run = 0;
            const double started = round.moneyAfter - round.moneyChange;
            figures.bestMoney = std::max(figures.bestMoney.value_or(started), started);
        }
        OutcomeCounts &kind = kinds[round.user.value.kind];
        switch (round.outcome) {
        case pokdeng::Settlement::Outcome::UserWins:
            ++figures.outcomes.won;
            ++kind.won;
            figures.longestWinningRun = std::max(figures.longestWinningRun, ++run);
            figures.biggestWin = std::max(figures.biggestWin.value_or(0), round.moneyChange);
            break;
        case pokdeng::Settlement::Outcome::Tie:
            ++figures.outcomes.tied;
            ++kind.tied;
            run = 0;
            break;
        case pokdeng::Settlement::Outcome::UserLoses:
            ++figures.outcomes.lost;
            ++kind.lost;
            run = 0;
            figures.biggestLoss = std::max(figures.biggestLoss.value_or(0), -round.moneyChange);
            break;
        }
        figures.bestMoney
            = std::max(figures.bestMoney.value_or(round.moneyAfter), round.moneyAfter);
    }
    for (const auto &[kind, counts] : kinds)
        figures.byUserKind.push_back({ kind, counts });
    return figures;
}

// Each table's money before its first round, then after each of its rounds: the chart's points.
inline MoneySeries countedSeries(std::span<const pokdeng::PlayedRound> rounds)
{
    MoneySeries series;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        if (startsTable(rounds, i)) {
            if (i > 0)
                series.tableStarts.push_back(series.money.size());
            series.money.push_back(rounds[i].moneyAfter - rounds[i].moneyChange);
        }
        series.money.push_back(rounds[i].moneyAfter);
    }
    return series;
}
