// What a person may do at the table, and when: an action out of turn, twice, not on offer or for
// a seat nobody holds is refused and changes nothing; with more than one person a turn and the
// bets are timed, a person alone never is, and who lets their turn run out is away and played by
// the computer's rule; a view that stops answering holds the others no longer than the bound; a
// view that comes back is told what it missed and plays on at once.
#include "EventLoop.h"
#include "ScriptedPerson.h"

#include "support/RowName.h"

#include <gtest/gtest.h>

#include <functional>

using namespace pokdeng;
using namespace table;

namespace {

// Everything an action could change.
struct Snapshot
{
    std::vector<std::size_t> told;
    std::vector<double> money, stakes;
    int turnSeat;
    Round::Step step;
    SlotCards cards;
    std::uint64_t rounds;

    friend bool operator==(const Snapshot &, const Snapshot &) = default;
};

// Two people, in the first seat and the user's, and a seeded deal.
class TwoPeople : public ::testing::Test
{
public:
    explicit TwoPeople(TableController::Limits limits = {})
        : table(deals, limits)
        , first(table)
        , user(table)
    {
        first.sitAt(kFirstSeat);
        user.sitAt(kUserSeat);
        table.join("หนึ่ง", &first, kFirstSeat);
        table.join("สอง", &user, kUserSeat);
    }

    Snapshot snapshot() const
    {
        return { { first.events.size(), user.events.size() },
                 { table.money(kFirstSeat), table.money(kUserSeat) },
                 { table.stake(kFirstSeat), table.stake(kUserSeat) },
                 table.turnSeat(),
                 table.round() ? table.round()->step() : Round::Step::FirstSeat,
                 table.round() ? table.round()->cards() : SlotCards(),
                 table.rounds() };
    }

    // Both choose the least bet; the first seat's turn begins.
    void deal()
    {
        ASSERT_FALSE(table.act(kFirstSeat, ChooseBet { BetOption::Thousand }));
        ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
        ASSERT_EQ(table.turnSeat(), kFirstSeat);
    }

    // The action at the first seat's turn that its cards do not allow: standing below 4, or
    // drawing on a pok.
    Action notOnOffer() const
    {
        return table.round()->mayStand(kFirstSeat) ? Action { Draw {} } : Action { Stand {} };
    }

    cards::SeededRandom deals { 11 };
    TableController table;
    ScriptedPerson first;
    ScriptedPerson user;
};

struct RefusedAction
{
    const char *name;
    bool dealt; // the first seat's turn has begun
    int seat;
    std::function<Action(const TwoPeople &)> action;
    Refusal refusal;
};

class Refusals : public TwoPeople, public ::testing::WithParamInterface<RefusedAction>
{
};

TEST_P(Refusals, ChangeNothing)
{
    const RefusedAction &row = GetParam();
    if (row.dealt)
        deal();
    else
        ASSERT_FALSE(table.act(kFirstSeat, ChooseBet { BetOption::Thousand }));
    const Snapshot before = snapshot();
    EXPECT_EQ(table.act(row.seat, row.action(*this)), row.refusal);
    EXPECT_EQ(snapshot(), before);
}

Action draw(const TwoPeople &)
{
    return Draw {};
}
Action stand(const TwoPeople &)
{
    return Stand {};
}
Action bet(const TwoPeople &)
{
    return ChooseBet { BetOption::FiveThousand };
}

INSTANTIATE_TEST_SUITE_P(
    Table, Refusals,
    ::testing::Values(
        RefusedAction { "a second bet", false, kFirstSeat, bet, Refusal::NotOnOffer },
        RefusedAction { "a bet for a seat nobody holds", false, kLastSeat, bet,
                        Refusal::NotSeated },
        RefusedAction { "a draw before the deal", false, kUserSeat, draw, Refusal::NotYourTurn },
        RefusedAction { "a bet during the round", true, kUserSeat, bet, Refusal::NotOnOffer },
        RefusedAction { "a draw at another seat's turn", true, kUserSeat, draw,
                        Refusal::NotYourTurn },
        RefusedAction { "a stand at another seat's turn", true, kUserSeat, stand,
                        Refusal::NotYourTurn },
        RefusedAction { "a stand for the dealer", true, kDealerSeat, stand, Refusal::NotSeated },
        RefusedAction { "what the cards do not allow", true, kFirstSeat,
                        [](const TwoPeople &table) { return table.notOnOffer(); },
                        Refusal::NotOnOffer }),
    RowNamer());

TEST_F(TwoPeople, ATurnTakenTwiceIsRefusedTheSecondTime)
{
    deal();
    const Action allowed
        = table.round()->mayStand(kFirstSeat) ? Action { Stand {} } : Action { Draw {} };
    ASSERT_FALSE(table.act(kFirstSeat, allowed));
    const Snapshot before = snapshot();
    EXPECT_EQ(table.act(kFirstSeat, allowed), Refusal::NotYourTurn);
    EXPECT_EQ(snapshot(), before);
}

template<typename E> std::vector<E> eventsOf(const std::vector<Event> &events)
{
    std::vector<E> found;
    for (const Event &event : events)
        if (const auto *e = std::get_if<E>(&event))
            found.push_back(*e);
    return found;
}

class ShortLimits : public TwoPeople
{
protected:
    ShortLimits()
        : TwoPeople({ .turnLimitMs = 50, .showBoundMs = 50 })
    {
    }
};

// The first seat's dealt points and whether its two cards share a suit.
struct DealtHand
{
    int points;
    bool sameSuit;
};
DealtHand dealtHand(const Round &round, int seat)
{
    const auto hand = round.cards().ofSeat(seat);
    return { (cards::cardValue(hand[0].rank) + cards::cardValue(hand[1].rank)) % 10,
             hand[0].suit == hand[1].suit };
}

TEST_F(ShortLimits, APersonWhoLetsTheTurnRunOutIsAwayAndPlayedByTheComputersRule)
{
    deal();
    const DealtHand hand = dealtHand(*table.round(), kFirstSeat);
    ASSERT_TRUE(waitFor([&] { return table.turnSeat() == kUserSeat; }));
    EXPECT_TRUE(table.isAway(kFirstSeat));
    const auto decided = std::find_if(first.events.begin(), first.events.end(), [](const Event &e) {
        return std::holds_alternative<SeatDecided>(e);
    });
    ASSERT_NE(decided, first.events.end());
    const bool draws = std::get<SeatDecided>(*decided).draws;
    EXPECT_EQ(table.round()->hasDrawn(kFirstSeat), draws);
    // Below 4 it draws, from 5 it stands; on 4 of one suit it stands, else the coin says.
    if (hand.points != 4) {
        EXPECT_EQ(draws, hand.points < 4) << hand.points;
    } else if (hand.sameSuit) {
        EXPECT_FALSE(draws);
    }
    // Every view heard it, the away person's own too, before the decision.
    for (const ScriptedPerson *person : { &first, &user }) {
        const auto away = std::find(person->events.begin(), person->events.end(),
                                    Event(SeatChanged { kFirstSeat, true, "หนึ่ง", true, true }));
        EXPECT_LT(away,
                  std::find_if(person->events.begin(), person->events.end(), [](const Event &e) {
                      return std::holds_alternative<SeatDecided>(e);
                  }));
    }
    // The user, the one person left to play, is not timed.
    const auto turns = eventsOf<TurnStarts>(user.events);
    ASSERT_FALSE(turns.empty());
    EXPECT_EQ(turns.back(), (TurnStarts { kUserSeat, 0 }));
}

TEST_F(ShortLimits, WhoHasNotChosenABetSitsTheRoundOut)
{
    ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
    ASSERT_TRUE(waitFor([&] { return table.round() != nullptr; }));
    EXPECT_FALSE(table.round()->isPerson(kFirstSeat));
    EXPECT_TRUE(table.round()->isPerson(kUserSeat));
    EXPECT_EQ(table.stake(kFirstSeat), 0);
}

TEST_F(ShortLimits, AViewThatStopsAnsweringHoldsTheOthersOnlyUntilTheBound)
{
    first.stopAnswering();
    cards::SeededRandom choices(3);
    // Every paced step waits for the silent view until the bound; the other person plays on.
    for (int pass = 0; pass < 200 && table.rounds() < 3; ++pass) {
        user.actIfDue(choices);
        first.actIfDue(choices);
        runEvents(20);
    }
    EXPECT_GE(table.rounds(), 3u);
    EXPECT_FALSE(user.outcomes.empty());
}

TEST_F(TwoPeople, AViewThatComesBackMidTurnIsToldTheRoundSoFarAndActsAtOnce)
{
    deal();
    table.setView(kFirstSeat, nullptr);
    ScriptedPerson back(table);
    back.sitAt(kFirstSeat);
    table.setView(kFirstSeat, &back);

    // Who sits where, then the round as the seat saw it: its own faces, the others' backs.
    const auto seats = eventsOf<SeatChanged>(back.events);
    ASSERT_GE(seats.size(), 2u);
    EXPECT_EQ(seats[0], (SeatChanged { kUserSeat, true, "สอง", true }));
    EXPECT_EQ(seats[1], (SeatChanged { kLastSeat, false, {}, true }));
    EXPECT_EQ(eventsOf<BetsOpen>(back.events).size(), 1u);
    EXPECT_EQ(eventsOf<BetChosen>(back.events).size(), 2u);
    const auto cardsOut = eventsOf<CardOut>(back.events);
    ASSERT_EQ(cardsOut.size(), 8u);
    for (const CardOut &card : cardsOut) {
        if (card.faceUp) {
            EXPECT_EQ(card.card, table.round()->cards()[card.slot]);
        }
    }
    ASSERT_TRUE(back.turn);
    EXPECT_TRUE(back.turn->yourTurn);

    cards::SeededRandom choices(5);
    EXPECT_TRUE(back.actIfDue(choices));
    EXPECT_EQ(table.turnSeat(), kUserSeat);
}

TEST_F(TwoPeople, AViewThatComesBackIsToldOnlyWhatCameAfterTheLastStepItSaw)
{
    ASSERT_FALSE(table.act(kFirstSeat, ChooseBet { BetOption::Thousand }));
    const std::uint64_t lastSeen = first.steps.back();
    table.setView(kFirstSeat, nullptr);
    ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
    ScriptedPerson back(table);
    back.sitAt(kFirstSeat);
    table.setView(kFirstSeat, &back, lastSeen);

    EXPECT_TRUE(eventsOf<BetsOpen>(back.events).empty());
    EXPECT_EQ(eventsOf<BetChosen>(back.events), (std::vector<BetChosen> { { kUserSeat, 1000 } }));
    EXPECT_EQ(eventsOf<CardOut>(back.events).size(), 8u);
    for (std::size_t k = 0; k < back.events.size(); ++k) {
        if (!std::holds_alternative<SeatChanged>(back.events[k])) {
            EXPECT_GT(back.steps[k], lastSeen);
        }
    }
    EXPECT_TRUE(back.turn);
}

// While the outcome box is open: a game that saw nothing of the round (started afresh after one
// that may have shown the outcome) is not told the outcome again nor offered the turn that is
// over; the same game coming back after the last step it saw is told the outcome it missed.
TEST_F(TwoPeople, AnOutcomeIsToldAgainOnlyToTheGameThatMissedIt)
{
    // The user's box stays open: the table waits.
    user.holdOutcomes();
    deal();
    cards::SeededRandom choices(7);
    ASSERT_TRUE(first.actIfDue(choices));
    ASSERT_TRUE(user.actIfDue(choices));
    ASSERT_EQ(first.outcomes.size(), 1u);
    const auto outcomeAt
        = std::find_if(first.events.begin(), first.events.end(),
                       [](const Event &e) { return std::holds_alternative<OutcomeShown>(e); });
    const std::uint64_t beforeOutcome = first.steps[outcomeAt - first.events.begin()] - 1;
    table.setView(kFirstSeat, nullptr);

    ScriptedPerson afresh(table);
    afresh.sitAt(kFirstSeat);
    table.setView(kFirstSeat, &afresh);
    EXPECT_TRUE(afresh.outcomes.empty());
    EXPECT_FALSE(afresh.turn);
    EXPECT_EQ(eventsOf<CardOut>(afresh.events).size(), eventsOf<CardOut>(first.events).size());
    table.setView(kFirstSeat, nullptr);

    ScriptedPerson missed(table);
    missed.sitAt(kFirstSeat);
    table.setView(kFirstSeat, &missed, beforeOutcome);
    EXPECT_EQ(missed.outcomes, first.outcomes);
}

TEST_F(TwoPeople, ANewcomerAtASeatLeftThisRoundIsNotToldItsLastHoldersEvents)
{
    table.leave(kFirstSeat);
    ScriptedPerson newcomer(table);
    newcomer.sitAt(kFirstSeat);
    ASSERT_EQ(table.join("สาม", &newcomer, kFirstSeat), kFirstSeat);
    table.setView(kFirstSeat, nullptr);
    ScriptedPerson back(table);
    back.sitAt(kFirstSeat);
    table.setView(kFirstSeat, &back);
    EXPECT_EQ(eventsOf<BetsOpen>(back.events).size(), 1u);
}

// Who comes and goes while the bets are open is not kept for views that come back (they are told
// who sits where afresh): a table waiting for bets while people join and leave stays the size it
// was.
TEST_F(TwoPeople, PeopleComingAndGoingWhileBetsAreOpenDoNotGrowTheRound)
{
    const auto comeAndGo = [this] {
        ScriptedPerson passer(table);
        passer.sitAt(kLastSeat);
        ASSERT_EQ(table.join("ผ่านมา", &passer, kLastSeat), kLastSeat);
        table.leave(kLastSeat);
    };
    comeAndGo();
    const std::size_t kept = table.keptStepCount();
    for (int i = 0; i < 500; ++i)
        comeAndGo();
    EXPECT_EQ(table.keptStepCount(), kept);
    // Those who stayed are still told the round so far when they come back.
    ScriptedPerson back(table);
    back.sitAt(kFirstSeat);
    table.setView(kFirstSeat, &back);
    EXPECT_EQ(eventsOf<BetsOpen>(back.events).size(), 1u);
}

TEST(PersonAlone, IsNeverTimed)
{
    cards::SeededRandom deals(11);
    TableController table(deals, { .turnLimitMs = 1, .showBoundMs = 1 });
    ScriptedPerson user(table);
    user.sitAt(kUserSeat);
    table.join("คนเดียว", &user, kUserSeat);
    ASSERT_FALSE(table.act(kUserSeat, ChooseBet { BetOption::Thousand }));
    ASSERT_EQ(table.turnSeat(), kUserSeat);
    const auto turn = std::find_if(user.events.begin(), user.events.end(), [](const Event &e) {
        return std::holds_alternative<TurnStarts>(e);
    });
    ASSERT_NE(turn, user.events.end());
    EXPECT_EQ(std::get<TurnStarts>(*turn).limitMs, 0);
    runEvents(100);
    EXPECT_EQ(table.turnSeat(), kUserSeat);
}

} // namespace
