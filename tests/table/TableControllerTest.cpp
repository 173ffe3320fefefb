// The table with no window: people scripted at their seats, cards dealt from a seed. Every
// person's money is what settling their own hand against the dealer's by the rulebook gives, the
// computer plays its seats and the dealer by their rules, nothing names a face-down card early,
// and an action that is not on offer changes nothing.
#include "ScriptedPerson.h"

#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/Settlement.h"
#include "support/RowName.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace pokdeng;
using namespace table;

namespace {

int pointsOf(const std::vector<cards::Card> &hand)
{
    int sum = 0;
    for (const cards::Card &card : hand)
        sum += cards::cardValue(card.rank);
    return sum % 10;
}

// One round as a view saw it, read back from its events.
struct SeenRound
{
    std::map<int, cards::Card> faces; // by slot
    std::map<int, bool> draws; // by seat
    double stake = 0;
    std::optional<OutcomeShown> outcome;

    std::vector<cards::Card> hand(int seat) const
    {
        std::vector<cards::Card> cards;
        for (int slot : slotsOfSeat(seat))
            if (slot <= 8 || draws.at(seat))
                cards.push_back(faces.at(slot));
        return cards;
    }
    int dealtPoints(int seat) const { return pointsOf({ faces.at(seat), faces.at(seat + 4) }); }
    bool sameSuit(int seat) const { return faces.at(seat).suit == faces.at(seat + 4).suit; }
};

// Splits a person's events into rounds, each from the person's bet to their outcome; the rounds
// the person sat out are left out.
std::vector<SeenRound> roundsSeen(const ScriptedPerson &person)
{
    std::vector<SeenRound> rounds;
    bool inRound = false;
    for (const Event &event : person.events) {
        if (const auto *bet = std::get_if<BetChosen>(&event)) {
            if (bet->seat == person.seat()) {
                rounds.emplace_back();
                rounds.back().stake = bet->stake;
                inRound = true;
            }
        } else if (!inRound) {
            continue;
        } else if (const auto *card = std::get_if<CardOut>(&event)) {
            if (card->faceUp)
                rounds.back().faces[card->slot] = card->card;
        } else if (const auto *decision = std::get_if<SeatDecided>(&event)) {
            rounds.back().draws[decision->seat] = decision->draws;
        } else if (const auto *revealed = std::get_if<CardsRevealed>(&event)) {
            for (const SlotFace &face : revealed->faces)
                rounds.back().faces[face.slot] = face.card;
        } else if (const auto *outcome = std::get_if<OutcomeShown>(&event)) {
            rounds.back().outcome = *outcome;
            inRound = false;
        }
    }
    return rounds;
}

// The money a person's round moves, worked out from the cards alone by the rulebook's hand
// values and settlement.
double settledByTheRules(const SeenRound &round, int seat)
{
    const auto value = [&](int s) {
        const std::vector<cards::Card> cards = round.hand(s);
        return evaluateHand({ cards[0], cards[1], round.faces.at(thirdSlotOf(s)) }, pointsOf(cards),
                            round.draws.at(s));
    };
    return settle(value(seat), value(kDealerSeat), pointsOf(round.hand(seat)), round.stake)
        .moneyChange;
}

// The computer's rules: a side seat (or the user's, when the computer plays it) always draws
// below 4 and never from 5; on 4 it stands with two cards of one suit. The dealer draws up to 5
// after the user's seat stood, and after it drew up to 3, never from 5.
void expectComputerRules(const SeenRound &round, int seat, bool userDrew)
{
    const int points = round.dealtPoints(seat);
    const bool draws = round.draws.at(seat);
    if (seat == kDealerSeat) {
        if (!userDrew) {
            EXPECT_EQ(draws, points <= 5) << "dealer on " << points;
        } else if (points <= 3 || points >= 5) {
            EXPECT_EQ(draws, points <= 3) << "dealer on " << points << " after a draw";
        }
        return;
    }
    if (points != 4) {
        EXPECT_EQ(draws, points < 4) << "seat " << seat << " on " << points;
    } else if (round.sameSuit(seat)) {
        EXPECT_FALSE(draws) << "seat " << seat << " on 4 of one suit";
    }
}

struct Seating
{
    const char *name;
    std::vector<int> people;
    int rounds;
};

class HeadlessTable : public ::testing::TestWithParam<Seating>
{
};

TEST_P(HeadlessTable, EveryonesMoneyIsTheirOwnSettlementAndTheComputerKeepsItsRules)
{
    const Seating &seating = GetParam();
    cards::SeededRandom deals(2026), choices(7);
    TableController table(deals);
    // Each seat's people in turn: one who runs out of money leaves, and a newcomer sits down.
    std::map<int, std::vector<std::unique_ptr<ScriptedPerson>>> people;
    const auto sitDown = [&](int seat) {
        auto &person = people[seat].emplace_back(std::make_unique<ScriptedPerson>(table));
        person->sitAt(seat);
        ASSERT_EQ(table.join("คน " + std::to_string(seat), person.get(), seat), seat);
    };
    for (int seat : seating.people)
        sitDown(seat);

    const int most = seating.rounds * 10;
    for (int pass = 0; pass < most && table.rounds() < std::uint64_t(seating.rounds); ++pass) {
        bool acted = false;
        for (int seat : seating.people) {
            ScriptedPerson &person = *people[seat].back();
            if (person.gameOver) {
                table.leave(seat);
                sitDown(seat);
                acted = true;
            } else {
                acted = person.actIfDue(choices) || acted;
            }
        }
        ASSERT_TRUE(acted) << "the table waits for no one after " << table.rounds() << " rounds";
    }
    ASSERT_EQ(table.rounds(), std::uint64_t(seating.rounds));

    int checked = 0;
    for (int seat : seating.people) {
        for (const auto &person : people[seat]) {
            double money = kStartingMoney;
            for (const SeenRound &round : roundsSeen(*person)) {
                if (!round.outcome)
                    continue; // the round in play when the run stopped
                const bool userDrew = round.draws.at(kUserSeat);
                expectComputerRules(round, kDealerSeat, userDrew);
                for (int other : { kFirstSeat, kUserSeat, kLastSeat })
                    if (!table.isPerson(other))
                        expectComputerRules(round, other, userDrew);
                const double change = settledByTheRules(round, seat);
                money += change;
                EXPECT_EQ(round.outcome->round.moneyChange, change);
                EXPECT_EQ(round.outcome->round.moneyAfter, money);
                ++checked;
            }
            if (person == people[seat].back()) {
                EXPECT_EQ(table.money(seat), money) << "seat " << seat;
            }
        }
    }
    // Only a newcomer who sits down while a round is played waits for the next one.
    EXPECT_GT(checked, seating.rounds * int(seating.people.size()) * 9 / 10);
}

INSTANTIATE_TEST_SUITE_P(Seatings, HeadlessTable,
                         ::testing::Values(Seating { "three_people", { 1, 2, 3 }, 10'000 },
                                           Seating { "one_person_in_the_first_seat", { 1 }, 2'000 },
                                           Seating { "the_user_alone", { 2 }, 2'000 }),
                         RowNamer());

} // namespace
