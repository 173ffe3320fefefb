#include "table/SeatView.h"

#include <algorithm>
#include <type_traits>

using namespace pokdeng;

namespace table {

namespace {

    bool isPersonSeat(int seat)
    {
        return seat >= kFirstSeat && seat <= kLastSeat;
    }

} // namespace

SeatView::SeatView(int viewerSeat)
    : m_viewer(isPersonSeat(viewerSeat) ? viewerSeat : 0)
{
}

SeatViewChanges SeatView::apply(std::uint64_t step, const Event &event)
{
    const Facts before = m_facts;
    m_lastStep = std::max(m_lastStep, step);
    std::visit([this](const auto &e) { take(e); }, event);
    const Facts &after = m_facts;
    SeatViewChanges changes;
    changes.seats = before.holders != after.holders;
    changes.offer = before.offered != after.offered || before.betsClosingMs != after.betsClosingMs;
    changes.cards = before.cards != after.cards || before.drew != after.drew
        || before.revealed != after.revealed;
    changes.turn = before.turnSeat != after.turnSeat || before.turnLimitMs != after.turnLimitMs
        || before.status != after.status || before.mayDraw != after.mayDraw
        || before.mayStand != after.mayStand;
    changes.money = before.money != after.money || before.stakes != after.stakes;
    changes.phase = before.phase != after.phase;
    changes.hands = before.labels != after.labels || before.outcome != after.outcome;
    return changes;
}

int SeatView::placeOfSeat(int seat) const
{
    if (!isValidSeat(seat))
        return 0;
    if (isOwnSeat(seat))
        return kUserSeat;
    return seat == kUserSeat && !isWatcher() ? m_viewer : seat;
}

int SeatView::placeOfSlot(int slot) const
{
    if (!isValidSlot(slot))
        return 0;
    const int seat = seatOfSlot(slot);
    return slot + placeOfSeat(seat) - seat;
}

bool SeatView::isInRound() const
{
    switch (m_facts.phase) {
    case SeatPhase::OwnTurn:
    case SeatPhase::OthersTurn:
    case SeatPhase::Reveal:
    case SeatPhase::Settled:
        return !isWatcher();
    default:
        return false;
    }
}

SeenCard SeatView::cardAt(int slot) const
{
    return isValidSlot(slot) ? m_facts.cards[static_cast<std::size_t>(slot)] : SeenCard {};
}

bool SeatView::drew(int seat) const
{
    return isValidSeat(seat) && m_facts.drew[static_cast<std::size_t>(seat)];
}

SeatHolder SeatView::holder(int seat) const
{
    return isPersonSeat(seat) ? m_facts.holders[static_cast<std::size_t>(seat)] : SeatHolder {};
}

std::optional<double> SeatView::money(int seat) const
{
    return isPersonSeat(seat) ? m_facts.money[static_cast<std::size_t>(seat)] : std::nullopt;
}

double SeatView::stake(int seat) const
{
    return isPersonSeat(seat) ? m_facts.stakes[static_cast<std::size_t>(seat)] : 0;
}

std::string SeatView::handLabel(int seat) const
{
    return isValidSeat(seat) ? m_facts.labels[static_cast<std::size_t>(seat)] : std::string();
}

// What a round leaves on the table; the stakes stay while the round they were chosen for is
// dealt and played.
void SeatView::clearRound(bool keepStakes)
{
    m_facts.cards = {};
    m_facts.withheld = {};
    m_facts.drew = {};
    m_facts.revealed = false;
    m_facts.turnSeat = 0;
    m_facts.turnLimitMs = 0;
    m_facts.status.reset();
    m_facts.mayDraw = false;
    m_facts.mayStand = false;
    m_facts.labels = {};
    m_facts.outcome.reset();
    m_facts.betsClosingMs = 0;
    if (!keepStakes)
        m_facts.stakes = {};
}

void SeatView::take(const SeatChanged &event)
{
    if (!isPersonSeat(event.seat))
        return;
    m_facts.holders[static_cast<std::size_t>(event.seat)]
        = event.person ? SeatHolder { true, event.name, event.present, event.away } : SeatHolder {};
}

void SeatView::take(const BetsOpen &event)
{
    if (!isWatcher())
        m_facts.money[static_cast<std::size_t>(m_viewer)] = event.money;
    // The table goes on offering bets to a person whose game is over; none may be chosen.
    if (m_facts.phase == SeatPhase::GameOver)
        return;
    clearRound(false);
    m_facts.phase = SeatPhase::Betting;
    if (!isWatcher())
        m_facts.offered = event.offered;
}

void SeatView::take(const BetChosen &event)
{
    if (!isPersonSeat(event.seat))
        return;
    // A watcher is told no BetsOpen: the first bet after a round is how it learns of the next.
    if (isWatcher() && m_facts.phase != SeatPhase::Betting) {
        clearRound(false);
        m_facts.phase = SeatPhase::Betting;
    }
    m_facts.stakes[static_cast<std::size_t>(event.seat)] = event.stake;
    if (!isOwnSeat(event.seat))
        return;
    m_facts.offered.clear();
    m_facts.betsClosingMs = 0;
    if (m_facts.phase == SeatPhase::Betting)
        m_facts.phase = SeatPhase::WaitingForDeal;
}

void SeatView::take(const CardOut &event)
{
    if (!isValidSlot(event.slot))
        return;
    if (event.slot == 1) {
        // The deal: the bets are closed and a new round's cards come out.
        clearRound(true);
        m_facts.offered.clear();
        if (isWatcher())
            m_facts.phase = SeatPhase::OthersTurn;
        else if (m_facts.phase == SeatPhase::WaitingForDeal)
            m_facts.phase = SeatPhase::OthersTurn;
        else if (m_facts.phase != SeatPhase::GameOver)
            // The one place a view infers that its person sits the round out: the cards are
            // dealt and no bet of the viewer's was chosen. Whoever had not chosen in time sits
            // out until the next BetsOpen; the computer plays the seat meanwhile, and nothing it
            // does there is the person's. The table does not say so yet.
            m_facts.phase = SeatPhase::SittingOut;
    }
    // Only the viewer's own seat shows its face before the reveal; a face of another seat in
    // the stream (a watcher fed a player's events) is seen as its back until then, and is not
    // told again at the reveal.
    const auto slot = static_cast<std::size_t>(event.slot);
    const bool face = event.faceUp && isOwnSeat(seatOfSlot(event.slot));
    m_facts.cards[slot] = face ? SeenCard { SeenCard::Side::Face, event.card }
                               : SeenCard { SeenCard::Side::Back, {} };
    if (event.faceUp && !face)
        m_facts.withheld[slot] = event.card;
}

void SeatView::take(const SeatDecided &event)
{
    if (!isValidSeat(event.seat))
        return;
    m_facts.drew[static_cast<std::size_t>(event.seat)] = event.draws;
    if (m_facts.turnSeat == event.seat) {
        m_facts.turnSeat = 0;
        m_facts.turnLimitMs = 0;
    }
    if (isOwnSeat(event.seat) && m_facts.phase == SeatPhase::OwnTurn) {
        m_facts.phase = SeatPhase::OthersTurn;
        m_facts.mayDraw = false;
        m_facts.mayStand = false;
    }
}

void SeatView::take(const TurnStarts &event)
{
    if (!isPersonSeat(event.seat))
        return;
    m_facts.turnSeat = event.seat;
    m_facts.turnLimitMs = event.limitMs;
    if (m_facts.phase == SeatPhase::GameOver)
        return;
    // A turn of the viewer's own is proof that the viewer is in the round.
    if (isOwnSeat(event.seat)) {
        m_facts.phase = SeatPhase::OwnTurn;
        m_facts.offered.clear();
    } else if (m_facts.phase == SeatPhase::OwnTurn) {
        m_facts.phase = SeatPhase::OthersTurn;
    }
}

void SeatView::take(const StatusShown &event)
{
    if (isWatcher())
        return;
    m_facts.status = event.status;
    m_facts.mayDraw = event.yourTurn && event.mayDraw;
    m_facts.mayStand = event.yourTurn && event.mayStand;
}

void SeatView::take(const CardsRevealed &event)
{
    for (const SlotFace &face : event.faces)
        if (isValidSlot(face.slot))
            m_facts.cards[static_cast<std::size_t>(face.slot)]
                = SeenCard { SeenCard::Side::Face, face.card };
    for (int slot = 1; slot <= kSlotCount; ++slot)
        if (const auto &card = m_facts.withheld[static_cast<std::size_t>(slot)])
            m_facts.cards[static_cast<std::size_t>(slot)]
                = SeenCard { SeenCard::Side::Face, *card };
    m_facts.withheld = {};
    m_facts.revealed = true;
    m_facts.turnSeat = 0;
    m_facts.turnLimitMs = 0;
    m_facts.mayDraw = false;
    m_facts.mayStand = false;
    const SeatPhase phase = m_facts.phase;
    if (isWatcher() || phase == SeatPhase::OwnTurn || phase == SeatPhase::OthersTurn
        || phase == SeatPhase::WaitingForDeal)
        m_facts.phase = SeatPhase::Reveal;
}

void SeatView::take(const HandSettled &event)
{
    if (!isValidSeat(event.seat))
        return;
    m_facts.labels[static_cast<std::size_t>(event.seat)] = event.label;
    // A watcher has no outcome of its own: the dealer's hand, told last of the hands to every
    // seat, settles the round for it.
    if (isWatcher() && event.seat == kDealerSeat && m_facts.phase == SeatPhase::Reveal)
        m_facts.phase = SeatPhase::Settled;
}

void SeatView::take(const OutcomeShown &event)
{
    if (isWatcher())
        return;
    m_facts.outcome = event;
    m_facts.money[static_cast<std::size_t>(m_viewer)] = event.round.moneyAfter;
    if (m_facts.phase != SeatPhase::GameOver)
        m_facts.phase = SeatPhase::Settled;
}

void SeatView::take(const MoneyChanged &event)
{
    if (isPersonSeat(event.seat))
        m_facts.money[static_cast<std::size_t>(event.seat)] = event.money;
}

void SeatView::take(const GameOver &)
{
    if (isWatcher())
        return;
    m_facts.phase = SeatPhase::GameOver;
    m_facts.offered.clear();
    m_facts.betsClosingMs = 0;
    m_facts.mayDraw = false;
    m_facts.mayStand = false;
}

void SeatView::take(const BetsClosing &event)
{
    if (!isWatcher() && m_facts.phase == SeatPhase::Betting)
        m_facts.betsClosingMs = event.limitMs;
}

} // namespace table
