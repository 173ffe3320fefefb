#pragma once

#include "rules/Card.h"
#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/PlayedRound.h"
#include "rules/pokdeng/UserStatus.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// What passes between a table and the people at it: the actions a person sends for the seat they
// hold, and the events each view is told. Plain values, so a view in the same program and one at
// the other end of a connection see the same things.
//
// Seats are numbered as the rulebook numbers them: 1 "ขา 1", 2 the user's seat, 3 "ขาบ๊วย", 4 the
// dealer, who is always the computer. Slots 1..12 likewise (pokdeng/Seats.h).
namespace table {

// ---- Actions: from a person, for the seat they hold ----

struct ChooseBet
{
    pokdeng::BetOption option = pokdeng::BetOption::Thousand;
    friend bool operator==(const ChooseBet &, const ChooseBet &) = default;
};
struct Draw
{
    friend bool operator==(const Draw &, const Draw &) = default;
};
struct Stand
{
    friend bool operator==(const Stand &, const Stand &) = default;
};
// Gives the seat back to the computer; the person's money leaves with them.
struct Leave
{
    friend bool operator==(const Leave &, const Leave &) = default;
};
using Action = std::variant<ChooseBet, Draw, Stand, Leave>;

// Why an action was refused. A refused action changes nothing at the table.
enum class Refusal {
    NotSeated, // the sender holds no seat, or not that one
    NotYourTurn, // another seat's turn, or no turn at all
    NotOnOffer, // not one of the choices offered now (a bet already chosen, a draw on a pok...)
    GameOver, // the person's money is below the least stake
};
// The reason told to the person (UTF-8 Thai).
std::string refusalText(Refusal refusal);

// ---- Events: to one view, seen from its seat ----

// Who holds a seat: a person by name, or the computer (person false, name empty). present is
// false while the person's connection is lost and the seat is kept for them. away is true while
// the person is away: they let a limit run out, and the table plays for them until they act.
// Told to every view, the away person's own included.
struct SeatChanged
{
    int seat = 0;
    bool person = false;
    std::string name;
    bool present = true;
    bool away = false;
    friend bool operator==(const SeatChanged &, const SeatChanged &) = default;
};

// The viewer may choose a bet: the options on offer and the money. firstOfTable is true for the
// offer a table opens with, false for the one after each round.
struct BetsOpen
{
    std::vector<pokdeng::BetOption> offered;
    double money = 0;
    bool firstOfTable = false;
    friend bool operator==(const BetsOpen &, const BetsOpen &) = default;
};

// A person chose the stake for the coming round.
struct BetChosen
{
    int seat = 0;
    double stake = 0;
    friend bool operator==(const BetChosen &, const BetChosen &) = default;
};

// A card slides out of the pack to its slot: its face for the viewer's own seat, its back
// (faceUp false, card a default Card) for any other until the reveal. Paced: the table waits
// until the view says it has been shown.
struct CardOut
{
    int slot = 0;
    bool faceUp = false;
    cards::Card card;
    friend bool operator==(const CardOut &, const CardOut &) = default;
};

// A seat's decision: it takes its third card (draws) or stands. The card itself follows as a
// CardOut.
struct SeatDecided
{
    int seat = 0;
    bool draws = false;
    friend bool operator==(const SeatDecided &, const SeatDecided &) = default;
};

// A person's turn begins; limitMs is how long they have before the table stands for them, 0 when
// there is no limit.
struct TurnStarts
{
    int seat = 0;
    int limitMs = 0;
    friend bool operator==(const TurnStarts &, const TurnStarts &) = default;
};

// The viewer's own status line and turn buttons. yourTurn is true at the start of the viewer's
// turn, when mayDraw and mayStand say which actions are on offer; after a draw it is false.
struct StatusShown
{
    pokdeng::UserStatus status;
    bool yourTurn = false;
    bool mayDraw = false;
    bool mayStand = false;
    friend bool operator==(const StatusShown &, const StatusShown &) = default;
};

// Every card turned over once the dealer has played: the faces the viewer has not seen yet, the
// third cards no seat took among them.
struct SlotFace
{
    int slot = 0;
    cards::Card card;
    friend bool operator==(const SlotFace &, const SlotFace &) = default;
};
struct CardsRevealed
{
    std::vector<SlotFace> faces;
    friend bool operator==(const CardsRevealed &, const CardsRevealed &) = default;
};

// A settled hand's label (UTF-8): the dealer's, and each person's.
struct HandSettled
{
    int seat = 0;
    std::string label;
    friend bool operator==(const HandSettled &, const HandSettled &) = default;
};

// The viewer's own outcome: the box's title and text, and the round as the viewer's play history
// keeps it (its moneyAfter is the viewer's money now). Paced: the table waits while the box is
// open.
struct OutcomeShown
{
    std::string title;
    std::string text;
    pokdeng::PlayedRound round;
    friend bool operator==(const OutcomeShown &, const OutcomeShown &) = default;
};

// A person's money after a round.
struct MoneyChanged
{
    int seat = 0;
    double money = 0;
    friend bool operator==(const MoneyChanged &, const MoneyChanged &) = default;
};

// The viewer's money is below the least stake: the game is over for them.
struct GameOver
{
    friend bool operator==(const GameOver &, const GameOver &) = default;
};

// Someone chose a bet at a timed table: the viewer, who has not, has limitMs to choose before
// sitting the round out.
struct BetsClosing
{
    int limitMs = 0;
    friend bool operator==(const BetsClosing &, const BetsClosing &) = default;
};

using Event
    = std::variant<SeatChanged, BetsOpen, BetChosen, CardOut, SeatDecided, TurnStarts, StatusShown,
                   CardsRevealed, HandSettled, OutcomeShown, MoneyChanged, GameOver, BetsClosing>;

// Whether the table waits for the view to say it has shown the event (a slide, a box).
bool isPaced(const Event &event);

} // namespace table
