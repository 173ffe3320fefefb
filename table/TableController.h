#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/Round.h"
#include "table/TableEvents.h"
#include "table/TableView.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace table {

// One Pok Deng table, with no window: the seats and who holds them, each person's money, bet and
// game-over state, the round in play, the phase and whose turn it is. People act for the seat
// they hold (act()); every view is told what its seat may know (TableView). The dealer and every
// seat no person holds are played by the computer, by the rulebook.
//
// Pacing: after a paced event (a card's slide, the outcome box) the table waits until every view
// has said it is shown, but never longer than Limits::showBoundMs, so a slow or vanished view
// cannot hold the others. A view that lets the bound run out is not waited for again until it
// says it has shown a step (any one, however late): a silent connection holds the table once, not
// at every slide. While more than one person is there to play, a person's turn lasts at most
// Limits::turnLimitMs, and once the first bet of a round is chosen, who has not chosen within
// that limit sits the round out. A table with one such person is never timed.
//
// Away: a person who lets the turn limit or the bets' limit run out is away (SeatChanged::away).
// The table plays their turn for them at once, by the computer seats' rule (as it does for a
// person who left with a stake in the round), deals without waiting for their bet, and waits for
// no paced event on their view; they count for no timing. Any action from them, even one refused,
// brings them back, and one on offer is then taken as usual. A table whose people are all away
// deals nothing: it waits, untimed, for one of them to bet.
//
// Events reach the views from inside act(), join() and shown(), or from the timers. A view may
// call back into the table from tell() (to act or say shown); such calls are taken in order once
// the current event has been delivered.
class TableController final : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        int turnLimitMs = 30'000;
        int showBoundMs = 5'000;
    };
    enum class Phase { Betting, Playing, Settling };

    // random deals the cards and flips the computer seats' coins; it must outlive the table.
    explicit TableController(cards::RandomSource &random, QObject *parent = nullptr);
    TableController(cards::RandomSource &random, Limits limits, QObject *parent = nullptr);
    ~TableController() override;

    // Seats a person with the starting money at seat (1..3), or at the first free one of the
    // user's seat, ขา 1, ขาบ๊วย when seat is 0, with view as their view (it may be null: a person
    // whose view is not there yet). Returns the seat, or 0 when it is taken or none is free.
    // A person who joins while a round is played waits for the next one.
    int join(const std::string &name, TableView *view, int seat = 0);
    // The seat's view is replaced (nullptr: the person's connection is lost; the seat is kept,
    // and a turn of theirs that runs out is played for them, as for anyone away). A view that comes
    // back is told first who sits where, then again every event of the round so far that it has not
    // had: those of steps after lastSeenStep (0: a new view that saw nothing), with their own step
    // numbers; it is not waited for on those.
    void setView(int seat, TableView *view, std::uint64_t lastSeenStep = 0);
    // The person leaves; the computer takes the seat (at once, or at the end of the round in
    // play, when the person's stake is in it).
    void leave(int seat);

    // An action for seat. Returns the reason when it is refused; a refused action changes
    // nothing, but that it brings an away person back.
    std::optional<Refusal> act(int seat, const Action &action);
    // The view of seat has shown the paced event of step.
    void shown(int seat, std::uint64_t step);

    Phase phase() const { return m_phase; }
    // The seat whose turn it is (1..3), 0 when it is no person's turn.
    int turnSeat() const;
    bool isPerson(int seat) const;
    std::string nameAt(int seat) const;
    double money(int seat) const;
    double stake(int seat) const;
    bool isGameOver(int seat) const;
    // Whether the person at seat is away: the table plays for them until they act again.
    bool isAway(int seat) const;
    int personCount() const;
    // The decimal point of the amounts in the outcome texts.
    void setDecimalPoint(const std::string &decimalPoint) { m_decimalPoint = decimalPoint; }
    // The round in play or the last one; null before the first deal.
    const pokdeng::Round *round() const { return m_round ? &*m_round : nullptr; }
    std::uint64_t rounds() const { return m_roundCount; }
    // The steps of the round so far kept for views that come back (bounded by what a round
    // deals, whoever comes and goes meanwhile).
    std::size_t keptStepCount() const { return m_roundSoFar.size(); }

signals:
    // A round was settled (after every person's outcome was shown).
    void roundSettled();

private:
    struct Person
    {
        std::string name;
        TableView *view = nullptr;
        double money = pokdeng::kStartingMoney;
        std::vector<pokdeng::BetOption> offered;
        std::optional<pokdeng::BetOption> bet;
        double stake = 0;
        bool inRound = false; // holds a stake in the round in play
        bool sitsOut = false; // did not choose a bet in time for this round
        bool gameOver = false;
        bool leaving = false; // gives the seat back once the round is settled
        bool away = false; // let a limit run out and has not acted since
        bool slowView = false; // let the show bound run out and has not said shown since
    };
    // One step of the table: an event for each seat's view (an empty one is not sent).
    struct Step
    {
        std::array<std::optional<Event>, 4> perSeat {};
        bool paced = false;
    };
    enum class Stage { Bets, Turn, Reveal, Settle, NextRound };

    Person *person(int seat);
    const Person *person(int seat) const;
    bool isTimed() const;
    void setAway(int seat, bool away);

    void post(Step step);
    void postToAll(const Event &event, bool paced = false);
    void postTo(int seat, const Event &event, bool paced = false);
    void run();
    void deliverNext();
    bool moveOn();
    void catchUp(int seat, std::uint64_t lastSeenStep);

    SeatChanged seatChangedOf(int seat) const;
    void chooseBet(int seat, pokdeng::BetOption option);
    bool everyoneHasChosen() const;
    void deal();
    void postCard(int slot);
    StatusShown statusOf(int seat, bool yourTurn) const;
    void startTurn(int seat);
    void endTurn();
    void playComputerSeat(int seat);
    void playForPerson(int seat);
    void personDraws(int seat);
    void personStands(int seat);
    void reveal();
    void settle();
    void nextRound();

    cards::RandomSource &m_random;
    Limits m_limits;
    std::string m_decimalPoint = ".";
    std::array<std::optional<Person>, 3> m_people {};
    std::optional<pokdeng::Round> m_round;
    std::uint64_t m_roundCount = 0;
    Phase m_phase = Phase::Betting;
    Stage m_stage = Stage::Bets;
    int m_turnSeat = 0; // the seat at its turn while the stage is Turn
    bool m_awaitingPerson = false; // the turn seat's person is to act

    std::deque<Step> m_outbox;
    // The steps delivered since the round's bets were opened, by number: what a view that comes
    // back is told again.
    std::vector<std::pair<std::uint64_t, Step>> m_roundSoFar;
    std::uint64_t m_step = 0;
    std::set<int> m_waitingFor; // seats whose view has not shown step m_step yet
    bool m_running = false;
    QTimer m_showBound;
    QTimer m_turnLimit;
    QTimer m_betLimit;
};

} // namespace table
