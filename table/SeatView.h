#pragma once

#include "rules/Card.h"
#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/Seats.h"
#include "table/TableEvents.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace table {

// Where a view's seat stands in the table's round, as its events tell it.
enum class SeatPhase {
    Betting, // bets are open and the viewer has not chosen (a watcher: others are choosing)
    WaitingForDeal, // the viewer's bet is chosen; others have not all chosen yet
    SittingOut, // the round in play, if any, holds no stake of the viewer's
    OwnTurn, // the viewer is to draw or stand
    OthersTurn, // in the round, and the table is at the deal or another seat's play
    Reveal, // every card is turned over; the hands are not settled yet
    Settled, // the viewer's outcome is known (a watcher: the dealer's hand is settled)
    GameOver, // the viewer's money is below the least stake; no bet is offered any more
};

// A slot as the viewer sees it: nothing there, a card's back, or its face.
struct SeenCard
{
    enum class Side { Empty, Back, Face };
    Side side = Side::Empty;
    cards::Card card; // the face; a default Card unless side is Face
    friend bool operator==(const SeenCard &, const SeenCard &) = default;
};

// Who holds a seat: a person by name, or the computer (person false, name empty).
struct SeatHolder
{
    bool person = false;
    std::string name;
    bool present = true; // false while the person's connection is lost
    bool away = false; // the table plays for the person until they act
    friend bool operator==(const SeatHolder &, const SeatHolder &) = default;
};

// What one event changed of a SeatView's facts. Several may change at once.
struct SeatViewChanges
{
    bool seats = false; // a holder()
    bool offer = false; // betsOffered()
    bool cards = false; // a cardAt() or drew()
    bool turn = false; // turnSeat(), turnLimitMs() or ownStatus()
    bool money = false; // a money() or stake()
    bool phase = false; // phase()
    bool hands = false; // a handLabel() or the outcome()
    bool any() const { return seats || offer || cards || turn || money || phase || hands; }
};

// What a view's seat knows of its table, worked out from the events it is told, in order: who
// sits where, the bets offered to the viewer, the cards seen, whose turn it is and the phase of
// the viewer's round. Plain values; no widget. A window shows these facts instead of working
// them out itself.
//
// Built for the viewer's seat (1..3), or for a watcher who holds no seat (0). A watcher is
// offered no bet and has no turn of its own, and whatever stream it is fed, it sees only what
// every player may see: no face before the reveal, no one's status or outcome.
//
// Before its first BetsOpen a view knows of no round it is in, and is SittingOut (a watcher
// likewise until the first bet or card).
class SeatView
{
public:
    explicit SeatView(int viewerSeat);

    // Takes the next event the view is told (step as TableView::tell() gives it) and says
    // what it changed. Events of another kind of stream than the viewer's (a seat's own status
    // fed to a watcher, a face of another seat before the reveal) are taken as what the viewer
    // may see of them.
    SeatViewChanges apply(std::uint64_t step, const Event &event);

    int viewerSeat() const { return m_viewer; }
    bool isWatcher() const { return m_viewer == 0; }
    // Where a seat (1..4) is shown around the table: the viewer's own seat at the user's place
    // (2), the user's seat at the viewer's, any other where it is. A watcher sees every seat
    // where it is. 0 for a seat outside 1..4.
    int placeOfSeat(int seat) const;
    // Where a slot (1..12) is shown: the slot of the same round at the seat's place.
    int placeOfSlot(int slot) const;

    // The highest step of the events applied (a view that comes back is told again what came
    // after it); 0 before any.
    std::uint64_t lastStep() const { return m_lastStep; }

    SeatPhase phase() const { return m_facts.phase; }
    // Whether the viewer holds a stake in the round in play (from its deal to the next BetsOpen).
    bool isInRound() const;

    // The slot (1..12) as the viewer sees it; Empty for a slot outside 1..12.
    SeenCard cardAt(int slot) const;
    // Whether the seat (1..4) took its third card this round.
    bool drew(int seat) const;

    // Who holds seat 1..3; the computer for any other seat, and for one not told of yet.
    SeatHolder holder(int seat) const;
    // Whether the viewer's own person is away (told to the away person too).
    bool isViewerAway() const { return !isWatcher() && holder(m_viewer).away; }

    // The bets the viewer may choose now: empty unless the phase is Betting.
    const std::vector<pokdeng::BetOption> &betsOffered() const { return m_facts.offered; }
    // How long the viewer has left to choose once another has chosen (BetsClosing); 0 when
    // there is no limit or none was told this round.
    int betsClosingMs() const { return m_facts.betsClosingMs; }

    // The seat's money as last told, or nullopt when it was never told.
    std::optional<double> money(int seat) const;
    // The seat's stake in the round being bet on or played; 0 when none was chosen.
    double stake(int seat) const;

    // The person's seat (1..3) whose turn it is, 0 when it is no person's turn.
    int turnSeat() const { return m_facts.turnSeat; }
    // The turn's limit as TurnStarts told it, 0 when there is none.
    int turnLimitMs() const { return m_facts.turnLimitMs; }
    // The viewer's own status line as last told this round (never for a watcher).
    const std::optional<pokdeng::UserStatus> &ownStatus() const { return m_facts.status; }
    // Whether the viewer may draw or stand now: only in the viewer's own turn.
    bool mayDraw() const { return m_facts.phase == SeatPhase::OwnTurn && m_facts.mayDraw; }
    bool mayStand() const { return m_facts.phase == SeatPhase::OwnTurn && m_facts.mayStand; }

    // The seat's (1..4) settled hand's label this round; empty before it is settled.
    std::string handLabel(int seat) const;
    // The viewer's outcome this round (never for a watcher).
    const std::optional<OutcomeShown> &outcome() const { return m_facts.outcome; }

private:
    // Everything the view knows, compared before and after an event to say what changed.
    struct Facts
    {
        SeatPhase phase = SeatPhase::SittingOut;
        std::array<SeatHolder, pokdeng::kSeatCount + 1> holders {};
        std::vector<pokdeng::BetOption> offered;
        int betsClosingMs = 0;
        std::array<SeenCard, pokdeng::kSlotCount + 1> cards {};
        // Faces in the stream that the viewer may not see before the reveal, turned over then.
        std::array<std::optional<cards::Card>, pokdeng::kSlotCount + 1> withheld {};
        std::array<bool, pokdeng::kSeatCount + 1> drew {};
        bool revealed = false;
        std::array<std::optional<double>, pokdeng::kSeatCount + 1> money {};
        std::array<double, pokdeng::kSeatCount + 1> stakes {};
        int turnSeat = 0;
        int turnLimitMs = 0;
        std::optional<pokdeng::UserStatus> status;
        bool mayDraw = false;
        bool mayStand = false;
        std::array<std::string, pokdeng::kSeatCount + 1> labels {};
        std::optional<OutcomeShown> outcome;
    };

    bool isOwnSeat(int seat) const { return !isWatcher() && seat == m_viewer; }
    void clearRound(bool keepStakes);
    void take(const SeatChanged &event);
    void take(const BetsOpen &event);
    void take(const BetChosen &event);
    void take(const CardOut &event);
    void take(const SeatDecided &event);
    void take(const TurnStarts &event);
    void take(const StatusShown &event);
    void take(const CardsRevealed &event);
    void take(const HandSettled &event);
    void take(const OutcomeShown &event);
    void take(const MoneyChanged &event);
    void take(const GameOver &event);
    void take(const BetsClosing &event);

    int m_viewer = 0;
    std::uint64_t m_lastStep = 0;
    Facts m_facts;
};

} // namespace table
