#pragma once

#include "history/HistoryStore.h"
#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/PlayedRound.h"
#include "rules/pokdeng/Round.h"

#include <cstdint>
#include <vector>

// Plays rounds at a table of the rulebook, dealt from seed, and records each in store as the
// table does: 1000 a round (all the money when less is left), the user draws whenever the rules
// allow it on 4 points or less and otherwise stands, and a fresh table of 10000 begins when the
// money falls below 1000. Rounds are a minute apart from startMs. Returns how many were recorded;
// when played is given, every round is appended to it as well.
// One round of that play for the stake money allows, dealt and decided by random; money is the
// user's money before it and is changed by the round's outcome.
inline pokdeng::PlayedRound playSimulatedRound(double &money, cards::RandomSource &random)
{
    pokdeng::Round round(money >= 1000 ? 1000 : money, random);
    round.playFirstSeat();
    if (round.mayDraw() && (round.points(pokdeng::kUserSeat) <= 4 || !round.mayStand()))
        round.userDraws();
    else
        round.userStands();
    round.playLastSeat();
    round.playDealer();
    money += round.settle().moneyChange;
    return pokdeng::playedRound(round, money);
}

inline int playIntoHistory(HistoryStore &store, int rounds, std::uint64_t seed, qint64 startMs,
                           std::vector<pokdeng::PlayedRound> *played = nullptr)
{
    cards::SeededRandom random(seed);
    double money = pokdeng::kStartingMoney;
    qint64 at = startMs;
    store.beginSession(money, at);
    int recorded = 0;
    for (int i = 0; i < rounds; ++i) {
        pokdeng::PlayedRound record = playSimulatedRound(money, random);
        at += 60'000;
        record.playedAtMs = at;
        if (store.record(record))
            ++recorded;
        if (played)
            played->push_back(record);
        if (pokdeng::isGameOver(money)) {
            store.endSession(at);
            money = pokdeng::kStartingMoney;
            store.beginSession(money, at);
        }
    }
    return recorded;
}
