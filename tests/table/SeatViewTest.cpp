// A seat's view worked out from its events: real tables are played with scripted people, each
// view's events are kept, and a SeatView for each seat (ขา 1, the user's seat, ขาบ๊วย) and for a
// watcher is run over them. At every event its facts are held against what the table did: bets
// offered only while the viewer may choose one, a round sat out from its deal to the next offer,
// no face of another seat before the reveal, the viewer's own turn only from its TurnStarts to
// its decision, the outcome settling the round, a game over for good.
#include "EventLoop.h"
#include "ScriptedPerson.h"

#include "support/RowName.h"
#include "table/SeatView.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace pokdeng;
using namespace table;

namespace {

// A person's events kept as told, with whether the table dealt them into each round: what the
// table did, to hold the view's inference against.
class RecordedSeat final : public TableView
{
public:
    RecordedSeat(TableController &table, int seat)
        : person(table)
        , m_table(table)
        , m_seat(seat)
    {
        person.sitAt(seat);
    }

    void tell(std::uint64_t step, const Event &event) override
    {
        if (const auto *card = std::get_if<CardOut>(&event); card && card->slot == 1)
            dealtIn.push_back(m_table.round()->isPerson(m_seat));
        told.emplace_back(step, event);
        person.tell(step, event);
    }

    ScriptedPerson person;
    std::vector<std::pair<std::uint64_t, Event>> told;
    std::vector<bool> dealtIn; // one a round, in deal order
private:
    TableController &m_table;
    int m_seat;
};

struct Script
{
    const char *name;
    std::vector<int> seats; // the people's seats
    int rounds; // rounds settled before the table is left
    std::set<std::pair<int, std::uint64_t>> letsBetsClose; // (seat, round): the offer ignored
    int allIn = 0; // a seat that bets all its money until its game is over, then one more round
};

// Runs one view over its events and checks its facts at each; returns the phases it went
// through. dealtIn is empty for a watcher.
std::set<SeatPhase> checkView(int viewer, const std::vector<std::pair<std::uint64_t, Event>> &told,
                              const std::vector<bool> &dealtIn)
{
    SeatView view(viewer);
    std::set<SeatPhase> phases;
    std::size_t round = 0;
    bool revealed = true;
    bool ownTurn = false;
    bool sittingOut = false;
    bool gameOver = false;
    for (std::size_t i = 0; i < told.size(); ++i) {
        const auto &[step, event] = told[i];
        SCOPED_TRACE(::testing::Message() << "viewer " << viewer << ", event " << i << " (kind "
                                          << event.index() << ")");
        view.apply(step, event);
        if (const auto *bets = std::get_if<BetsOpen>(&event); bets && viewer && !gameOver) {
            sittingOut = false;
            EXPECT_EQ(view.phase(), SeatPhase::Betting);
            EXPECT_EQ(view.betsOffered(), bets->offered);
            EXPECT_EQ(view.money(viewer), bets->money);
        } else if (const auto *bet = std::get_if<BetChosen>(&event)) {
            EXPECT_EQ(view.stake(bet->seat), bet->stake);
            if (bet->seat == viewer) {
                EXPECT_EQ(view.phase(), SeatPhase::WaitingForDeal);
            }
        } else if (const auto *card = std::get_if<CardOut>(&event)) {
            if (card->slot == 1) {
                revealed = false;
                if (viewer && !gameOver) {
                    EXPECT_LT(round, dealtIn.size());
                    sittingOut = round < dealtIn.size() && !dealtIn[round];
                    EXPECT_EQ(view.phase(),
                              sittingOut ? SeatPhase::SittingOut : SeatPhase::OthersTurn);
                }
                ++round;
            }
            if (card->faceUp && viewer) {
                EXPECT_EQ(view.cardAt(card->slot), (SeenCard { SeenCard::Side::Face, card->card }));
            } else {
                EXPECT_EQ(view.cardAt(card->slot).side, SeenCard::Side::Back);
            }
        } else if (const auto *turn = std::get_if<TurnStarts>(&event)) {
            ownTurn = ownTurn || turn->seat == viewer;
            EXPECT_EQ(view.turnSeat(), turn->seat);
        } else if (const auto *decision = std::get_if<SeatDecided>(&event)) {
            ownTurn = ownTurn && decision->seat != viewer;
        } else if (std::holds_alternative<CardsRevealed>(event)) {
            revealed = true;
            for (int slot = 1; slot <= kSlotCount; ++slot) {
                EXPECT_EQ(view.cardAt(slot).side, SeenCard::Side::Face) << "slot " << slot;
            }
            if (!sittingOut && !gameOver) {
                EXPECT_EQ(view.phase(), SeatPhase::Reveal);
            }
        } else if (const auto *outcome = std::get_if<OutcomeShown>(&event); outcome && viewer) {
            EXPECT_EQ(view.phase(), SeatPhase::Settled);
            EXPECT_EQ(view.money(viewer), outcome->round.moneyAfter);
        } else if (const auto *hand = std::get_if<HandSettled>(&event);
                   hand && !viewer && hand->seat == kDealerSeat) {
            EXPECT_EQ(view.phase(), SeatPhase::Settled);
        } else if (const auto *money = std::get_if<MoneyChanged>(&event)) {
            EXPECT_EQ(view.money(money->seat), money->money);
        } else if (std::holds_alternative<GameOver>(event) && viewer) {
            gameOver = true;
        }

        // What holds at every point.
        phases.insert(view.phase());
        if (!view.betsOffered().empty()) {
            EXPECT_EQ(view.phase(), SeatPhase::Betting);
        }
        EXPECT_EQ(view.phase() == SeatPhase::OwnTurn, ownTurn && !gameOver);
        if (view.phase() != SeatPhase::OwnTurn) {
            EXPECT_FALSE(view.mayDraw() || view.mayStand());
        }
        if (sittingOut) {
            EXPECT_EQ(view.phase(), SeatPhase::SittingOut);
            EXPECT_TRUE(view.betsOffered().empty());
        }
        if (gameOver) {
            EXPECT_EQ(view.phase(), SeatPhase::GameOver);
        }
        for (int slot = 1; slot <= kSlotCount && !revealed; ++slot) {
            if (!viewer || seatOfSlot(slot) != viewer) {
                EXPECT_NE(view.cardAt(slot).side, SeenCard::Side::Face) << "slot " << slot;
            }
        }
        if (!viewer) {
            EXPECT_TRUE(view.betsOffered().empty());
            EXPECT_FALSE(view.ownStatus() || view.outcome());
        }
    }
    return phases;
}

class SeatViewScripts : public ::testing::TestWithParam<Script>
{
protected:
    // Plays the script's rounds; every person acts as soon as something is due.
    void play()
    {
        const Script &script = GetParam();
        int settled = 0;
        QObject::connect(&table, &TableController::roundSettled, [&] { ++settled; });
        for (int seat : script.seats) {
            seats[seat] = std::make_unique<RecordedSeat>(table, seat);
            ASSERT_EQ(table.join("คน " + std::to_string(seat), seats[seat].get(), seat), seat);
        }
        int lastRound = script.rounds;
        QDeadlineTimer deadline(20'000);
        while (settled < lastRound && !deadline.hasExpired()) {
            bool acted = false;
            for (auto &[seat, recorded] : seats) {
                ScriptedPerson &person = recorded->person;
                if (!person.offered.empty() && !person.gameOver) {
                    // An offer is taken while the bets are open, or never.
                    const std::uint64_t round = table.rounds() + 1;
                    if (table.phase() != TableController::Phase::Betting
                        || script.letsBetsClose.count({ seat, round })) {
                        person.offered.clear();
                        continue;
                    }
                    // The least stake, that no one's game ends by chance in a few rounds.
                    const BetOption bet
                        = seat == script.allIn ? BetOption::AllMoney : BetOption::Thousand;
                    person.offered.clear();
                    EXPECT_FALSE(table.act(seat, ChooseBet { bet }));
                    acted = true;
                    continue;
                }
                acted = person.actIfDue(choices) || acted;
            }
            if (script.allIn && seats[script.allIn]->person.gameOver && lastRound > settled + 1)
                lastRound = settled + 1;
            if (!acted)
                runEvents(5);
        }
        ASSERT_GE(settled, lastRound) << "the table did not play the script out in time";
    }

    cards::SeededRandom deals { 23 };
    cards::SeededRandom choices { 9 };
    TableController table { deals, { .turnLimitMs = 100, .showBoundMs = 1'000 } };
    std::map<int, std::unique_ptr<RecordedSeat>> seats;
};

TEST_P(SeatViewScripts, EachViewKnowsWhatItsSeatMaySee)
{
    play();
    const Script &script = GetParam();
    const std::set<SeatPhase> always
        = { SeatPhase::Betting,    SeatPhase::WaitingForDeal, SeatPhase::OwnTurn,
            SeatPhase::OthersTurn, SeatPhase::Reveal,         SeatPhase::Settled };
    for (const auto &[seat, recorded] : seats) {
        const std::set<SeatPhase> phases = checkView(seat, recorded->told, recorded->dealtIn);
        for (SeatPhase phase : always)
            EXPECT_TRUE(phases.count(phase))
                << "seat " << seat << " never in phase " << static_cast<int>(phase);
        for (const auto &[closer, round] : script.letsBetsClose)
            if (closer == seat) {
                ASSERT_LT(round - 1, recorded->dealtIn.size());
                EXPECT_FALSE(recorded->dealtIn[round - 1]) << "seat " << seat << " was dealt in";
                EXPECT_TRUE(phases.count(SeatPhase::SittingOut));
            }
        EXPECT_EQ(phases.count(SeatPhase::GameOver), seat == script.allIn ? 1U : 0U);
    }
    // A watcher, fed the stream of the user's seat (or the first person's): offered nothing, no
    // turn of its own, no face before the reveal, however much of one player's view it is told.
    const RecordedSeat &fed
        = seats.count(kUserSeat) ? *seats.at(kUserSeat) : *seats.begin()->second;
    const std::set<SeatPhase> watched = checkView(0, fed.told, {});
    // (SittingOut only before it learns of any round.)
    EXPECT_EQ(
        watched,
        (std::set<SeatPhase> { SeatPhase::Betting, SeatPhase::SittingOut, SeatPhase::OthersTurn,
                               SeatPhase::Reveal, SeatPhase::Settled }));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SeatViewScripts,
    ::testing::Values(
        Script { "three people who bet in time", { 1, 2, 3 }, 3, {} },
        // The user lets the bets close in the second round and ขาบ๊วย in the third; each sits
        // that round out, away, and comes back with the next bet.
        Script { "the user and the last seat let the bets close",
                 { 1, 2, 3 },
                 4,
                 { { kUserSeat, 2 }, { kLastSeat, 3 } } },
        // ขา 1 bets everything until the money is gone; the table goes on for the user.
        Script {
            "the first seat goes all in until the game is over", { 1, 2 }, 60, {}, kFirstSeat }),
    RowNamer {});

// What one event changed is told, and nothing else.
TEST(SeatView, SaysWhatAnEventChanged)
{
    SeatView view(kUserSeat);
    SeatViewChanges changes = view.apply(1, SeatChanged { kFirstSeat, true, "หนึ่ง", true, false });
    EXPECT_TRUE(changes.seats);
    EXPECT_FALSE(changes.offer || changes.cards || changes.phase || changes.money);
    changes = view.apply(2, BetsOpen { { BetOption::Thousand }, 10'000, true });
    EXPECT_TRUE(changes.offer && changes.phase && changes.money);
    EXPECT_FALSE(changes.seats || changes.cards);
    changes = view.apply(3, BetsOpen { { BetOption::Thousand }, 10'000, true });
    EXPECT_FALSE(changes.any());
    changes = view.apply(4, CardOut { 1, false, {} });
    EXPECT_TRUE(changes.cards && changes.phase && changes.offer);
    EXPECT_EQ(view.phase(), SeatPhase::SittingOut);
    EXPECT_EQ(view.lastStep(), 4U);
}

// Each viewer sees itself at the user's place, and the user's seat where the viewer sits; the
// third cards go with their seats.
TEST(SeatView, PlacesTheViewerAtTheUsersPlace)
{
    struct Row
    {
        int viewer;
        std::array<int, 5> places; // of seats 0..4
        int placeOfSlot9;
        int placeOfSlot10;
    };
    for (const Row &row :
         { Row { 0, { 0, 1, 2, 3, 4 }, 9, 10 }, Row { 1, { 0, 2, 1, 3, 4 }, 10, 9 },
           Row { 2, { 0, 1, 2, 3, 4 }, 9, 10 }, Row { 3, { 0, 1, 3, 2, 4 }, 9, 11 } }) {
        const SeatView view(row.viewer);
        for (int seat = 0; seat <= kSeatCount; ++seat)
            EXPECT_EQ(view.placeOfSeat(seat), row.places[static_cast<std::size_t>(seat)])
                << "viewer " << row.viewer << ", seat " << seat;
        EXPECT_EQ(view.placeOfSlot(9), row.placeOfSlot9) << "viewer " << row.viewer;
        EXPECT_EQ(view.placeOfSlot(10), row.placeOfSlot10) << "viewer " << row.viewer;
        EXPECT_EQ(view.placeOfSlot(13), 0);
    }
}

} // namespace
