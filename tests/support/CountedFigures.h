#pragma once

#include "history/HistoryStore.h"
#include "rules/PlayedRound.h"

#include <algorithm>
#include <functional>
#include <map>
#include <span>
#include <vector>

// The figures of a run of rounds counted one round at a time, as a player with a notebook would.
inline HistoryFigures countedFigures(std::span<const pokdeng::PlayedRound> rounds)
{
    HistoryFigures figures;
    std::map<int, OutcomeCounts, std::greater<>> kinds;
    qint64 run = 0;
    for (const pokdeng::PlayedRound &round : rounds) {
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

// The money before the first round, then after each: the chart's points.
inline std::vector<double> countedSeries(std::span<const pokdeng::PlayedRound> rounds)
{
    std::vector<double> series;
    if (!rounds.empty())
        series.push_back(rounds.front().moneyAfter - rounds.front().moneyChange);
    for (const pokdeng::PlayedRound &round : rounds)
        series.push_back(round.moneyAfter);
    return series;
}
