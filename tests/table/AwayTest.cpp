// Who lets a limit run out is away, and the table plays as fast as if they were not there: the
// deals do not wait for their bet, their turn is played at once, their view is waited for on no
// paced event. A bet brings them back. A view that lets the show bound run out holds the table
// once, not at every slide, until it says shown again. A table whose people are all away waits
// for a bet, untimed, instead of dealing rounds with no stake.
//
// "Does not wait" is shown without a clock: the table gets there inside the action that lets it,
// with no turn of the event loop for a timer to run.
#include "EventLoop.h"
#include "ScriptedPerson.h"

#include "support/RowName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

using namespace pokdeng;
using namespace table;

namespace {

template<typename E> std::vector<E> eventsOf(const std::vector<Event> &events)
{
    std::vector<E> found;
    for (const Event &event : events)
        if (const auto *e = std::get_if<E>(&event))
            found.push_back(*e);
    return found;
}

// Two people, in the first seat and the user's, with short limits.
class AwayTable : public ::testing::Test
{
protected:
    explicit AwayTable(TableController::Limits limits = { .turnLimitMs = 50, .showBoundMs = 50 })
        : table(deals, limits)
        , first(table)
        , user(table)
    {
        first.sitAt(kFirstSeat);
        user.sitAt(kUserSeat);
        table.join("หนึ่ง", &first, kFirstSeat);
        table.join("สอง", &user, kUserSeat);
    }

    SeatChanged firstSeat(bool away) const { return { kFirstSeat, true, "หนึ่ง", true, away }; }

    // The user plays their turn and the round is settled; the user bets, and the next round is
    // dealt up to the user's turn: all of it inside the user's two actions.
    void userPlaysARoundAtOnce()
    {
        const std::uint64_t rounds = table.rounds();
        ASSERT_EQ(table.turnSeat(), kUserSeat);
        ASSERT_TRUE(user.actIfDue(choices));
        ASSERT_EQ(table.phase(), TableController::Phase::Betting);
        ASSERT_TRUE(user.actIfDue(choices));
        EXPECT_EQ(table.rounds(), rounds + 1);
        ASSERT_EQ(table.turnSeat(), kUserSeat);
        EXPECT_FALSE(table.round()->isPerson(kFirstSeat));
    }

    cards::SeededRandom deals { 11 };
    cards::SeededRandom choices { 5 };
    TableController table;
    ScriptedPerson first;
    ScriptedPerson user;
};

struct HowAway
{
    const char *name;
    // Brings the first seat's person to the point of letting a limit run out.
    std::function<void(AwayTable &, ScriptedPerson &first)> start;
};

class GoingAway : public AwayTable, public ::testing::WithParamInterface<HowAway>
{
public:
    void bet(int seat) { ASSERT_FALSE(table.act(seat, ChooseBet { BetOption::Thousand })); }
};

// A person who never acts again holds the table for one limit; then they are away, every view
// is told so, and round after round goes by with no wait for them.
TEST_P(GoingAway, ThenTheTableWaitsForThemNoMore)
{
    GetParam().start(*this, first);
    ASSERT_TRUE(waitFor([&] { return table.turnSeat() == kUserSeat; }));
    EXPECT_TRUE(table.isAway(kFirstSeat));
    for (const ScriptedPerson *person : { &first, &user })
        EXPECT_EQ(eventsOf<SeatChanged>(person->events).back(), firstSeat(true));
    const std::size_t closing
        = eventsOf<BetsClosing>(first.events).size() + eventsOf<BetsClosing>(user.events).size();
    const std::size_t firstsTurns
        = std::ranges::count(eventsOf<TurnStarts>(user.events), kFirstSeat, &TurnStarts::seat);

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        userPlaysARoundAtOnce();
    }
    // The one person left to play is never timed; the away person is offered each bet, but
    // not told the bets are closing, and has no turn.
    for (const TurnStarts &turn : eventsOf<TurnStarts>(user.events)) {
        if (turn.seat == kUserSeat) {
            EXPECT_EQ(turn.limitMs, 0);
        }
    }
    EXPECT_EQ(eventsOf<BetsClosing>(first.events).size()
                  + eventsOf<BetsClosing>(user.events).size(),
              closing);
    EXPECT_GE(eventsOf<BetsOpen>(first.events).size(), 4u);
    EXPECT_EQ(std::ranges::count(eventsOf<TurnStarts>(user.events), kFirstSeat, &TurnStarts::seat),
              firstsTurns);
    EXPECT_TRUE(table.isAway(kFirstSeat));
}

INSTANTIATE_TEST_SUITE_P(Table, GoingAway,
                         ::testing::Values(
                             // Bets, then says nothing more: the turn runs out. The outcome box
                             // stays open, and the table waits not for it.
                             HowAway { "lets the turn run out",
                                       [](AwayTable &table, ScriptedPerson &first) {
                                           first.holdOutcomes();
                                           auto &going = static_cast<GoingAway &>(table);
                                           going.bet(kFirstSeat);
                                           going.bet(kUserSeat);
                                       } },
                             // Never bets and never says shown: the bets close on them.
                             HowAway { "lets the bets close",
                                       [](AwayTable &table, ScriptedPerson &first) {
                                           first.stopAnswering();
                                           static_cast<GoingAway &>(table).bet(kUserSeat);
                                       } }),
                         RowNamer());

TEST_F(AwayTable, AnAwayPersonWhoBetsIsBackAndPlaysAsBefore)
{
    ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
    ASSERT_TRUE(waitFor([&] { return table.turnSeat() == kUserSeat; }));
    ASSERT_TRUE(table.isAway(kFirstSeat));
    ASSERT_TRUE(user.actIfDue(choices));
    ASSERT_EQ(table.phase(), TableController::Phase::Betting);

    // The bet is taken, and everyone hears the person is back.
    ASSERT_TRUE(first.actIfDue(choices));
    EXPECT_FALSE(table.isAway(kFirstSeat));
    for (const ScriptedPerson *person : { &first, &user })
        EXPECT_EQ(eventsOf<SeatChanged>(person->events).back(), firstSeat(false));
    EXPECT_EQ(table.rounds(), 1u);
    // Timed again, as two people are: the user is told the bets are closing, and the first
    // seat's turn has the limit.
    EXPECT_EQ(eventsOf<BetsClosing>(user.events).size(), 1u);
    ASSERT_TRUE(user.actIfDue(choices));
    EXPECT_EQ(table.rounds(), 2u);
    ASSERT_EQ(table.turnSeat(), kFirstSeat);
    EXPECT_EQ(eventsOf<TurnStarts>(user.events).back(), (TurnStarts { kFirstSeat, 50 }));
    ASSERT_TRUE(first.actIfDue(choices));
    ASSERT_EQ(table.turnSeat(), kUserSeat);
    EXPECT_EQ(eventsOf<TurnStarts>(first.events).back(), (TurnStarts { kUserSeat, 50 }));
}

// Whoever acts is there: an action the table refuses brings the person back all the same, and
// the next bets wait for them again.
TEST_F(AwayTable, AnActionRefusedStillBringsThePersonBack)
{
    ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
    ASSERT_TRUE(waitFor([&] { return table.turnSeat() == kUserSeat; }));
    ASSERT_TRUE(table.isAway(kFirstSeat));
    EXPECT_EQ(table.act(kFirstSeat, ChooseBet { BetOption::Thousand }), Refusal::NotOnOffer);
    EXPECT_FALSE(table.isAway(kFirstSeat));
    EXPECT_EQ(eventsOf<SeatChanged>(user.events).back(), firstSeat(false));

    ASSERT_TRUE(user.actIfDue(choices));
    ASSERT_TRUE(user.actIfDue(choices));
    EXPECT_EQ(table.phase(), TableController::Phase::Betting);
    EXPECT_EQ(eventsOf<BetsClosing>(first.events).size(), 2u);
}

// Turns long enough that none runs out while the test runs the event loop.
class LongTurns : public AwayTable
{
protected:
    LongTurns()
        : AwayTable({ .turnLimitMs = 600'000, .showBoundMs = 50 })
    {
    }
};

// The first seat's view never says shown until the test says it for it.
TEST_F(LongTurns, AViewThatLetsTheBoundRunOutIsNotWaitedForUntilItSaysShown)
{
    first.stopAnswering();
    ASSERT_FALSE(table.act(kFirstSeat, ChooseBet { BetOption::Thousand }));
    ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
    // The first card waits for the silent view.
    EXPECT_EQ(eventsOf<CardOut>(user.events).size(), 1u);
    // Once the bound has run out, the rest of the deal comes out at once.
    ASSERT_TRUE(waitFor([&] { return eventsOf<CardOut>(user.events).size() > 1; }));
    EXPECT_EQ(eventsOf<CardOut>(user.events).size(), 8u);
    EXPECT_EQ(table.turnSeat(), kFirstSeat);
    EXPECT_FALSE(table.isAway(kFirstSeat));

    // Having shown a step, however late, the view is waited for again: its third card holds
    // the user's turn until it is shown.
    table.shown(kFirstSeat, first.steps.back());
    ASSERT_TRUE(table.round()->mayDraw(kFirstSeat)) << "the seed deals the first seat a pok";
    ASSERT_FALSE(table.act(kFirstSeat, Draw {}));
    EXPECT_EQ(table.turnSeat(), 0);
    table.shown(kFirstSeat, first.steps.back());
    EXPECT_EQ(table.turnSeat(), kUserSeat);
}

// Two people let the bets close, and the third leaves: no one at the table is there to play.
// It deals no round without a stake and times no one; the first bet deals at once.
TEST(EveryoneAway, TheTableWaitsUntimedForABet)
{
    cards::SeededRandom deals(11), choices(3);
    TableController table(deals, { .turnLimitMs = 50, .showBoundMs = 50 });
    ScriptedPerson first(table), user(table), last(table);
    for (auto [person, seat, name] :
         { std::tuple { &first, kFirstSeat, "หนึ่ง" }, std::tuple { &user, kUserSeat, "สอง" },
           std::tuple { &last, kLastSeat, "สาม" } }) {
        person->sitAt(seat);
        ASSERT_EQ(table.join(name, person, seat), seat);
    }
    ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
    ASSERT_TRUE(waitFor([&] { return table.turnSeat() == kUserSeat; }));
    ASSERT_TRUE(table.isAway(kFirstSeat));
    ASSERT_TRUE(table.isAway(kLastSeat));
    ASSERT_TRUE(user.actIfDue(choices));
    ASSERT_EQ(table.phase(), TableController::Phase::Betting);
    table.leave(kUserSeat);
    ASSERT_FALSE(table.isPerson(kUserSeat));

    const std::size_t told = first.events.size() + last.events.size();
    runEvents(300);
    EXPECT_EQ(table.rounds(), 1u);
    EXPECT_EQ(table.phase(), TableController::Phase::Betting);
    EXPECT_EQ(first.events.size() + last.events.size(), told);

    ASSERT_TRUE(first.actIfDue(choices));
    EXPECT_FALSE(table.isAway(kFirstSeat));
    EXPECT_EQ(table.rounds(), 2u);
    ASSERT_EQ(table.turnSeat(), kFirstSeat);
    EXPECT_EQ(eventsOf<TurnStarts>(first.events).back(), (TurnStarts { kFirstSeat, 0 }));
    EXPECT_FALSE(table.round()->isPerson(kLastSeat));
}

} // namespace
