#include "table/TableController.h"

#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/PlayedRound.h"
#include "rules/pokdeng/SeatDecisions.h"
#include "rules/pokdeng/Seats.h"

#include <algorithm>
#include <cassert>
#include <type_traits>

using namespace pokdeng;

namespace table {

namespace {

    // The seats a person may hold, in the order a newcomer is offered them.
    constexpr std::array<int, 3> kSeatsForNewcomers = { kUserSeat, kFirstSeat, kLastSeat };

    // Enough passes of the table's loop for every step a round can take; a loop past it is a fault.
    constexpr int kMostStepsAtOnce = 10'000;

    std::vector<BetOption> offeredOptions(double money, bool firstOfTable)
    {
        std::vector<BetOption> offered;
        for (BetOption option : kBetOptions)
            if (firstOfTable || isOfferedAfterRound(option, money))
                offered.push_back(option);
        return offered;
    }

    // Whether a step holds an event that a view coming back is told again (catchUp): who sits
    // where is told to it afresh instead.
    bool isWorthTellingAgain(const std::array<std::optional<Event>, 4> &perSeat)
    {
        return std::any_of(perSeat.begin(), perSeat.end(), [](const std::optional<Event> &event) {
            return event && !std::holds_alternative<SeatChanged>(*event);
        });
    }

} // namespace

TableController::TableController(cards::RandomSource &random, QObject *parent)
    : TableController(random, Limits {}, parent)
{
}

TableController::TableController(cards::RandomSource &random, Limits limits, QObject *parent)
    : QObject(parent)
    , m_random(random)
    , m_limits(limits)
{
    m_showBound.setSingleShot(true);
    m_showBound.setInterval(m_limits.showBoundMs);
    connect(&m_showBound, &QTimer::timeout, this, [this] {
        // Who has not shown the step by now is not waited for again until they say shown.
        for (int seat : m_waitingFor)
            if (Person *p = person(seat))
                p->slowView = true;
        m_waitingFor.clear();
        run();
    });
    m_turnLimit.setSingleShot(true);
    connect(&m_turnLimit, &QTimer::timeout, this, [this] {
        if (m_stage != Stage::Turn || !m_awaitingPerson)
            return;
        // A person who let the turn run out is away; one who left is played out.
        if (const Person *p = person(m_turnSeat); p && !p->leaving)
            setAway(m_turnSeat, true);
        playForPerson(m_turnSeat);
        run();
    });
    m_betLimit.setSingleShot(true);
    connect(&m_betLimit, &QTimer::timeout, this, [this] {
        if (m_stage != Stage::Bets)
            return;
        // Whoever has not chosen sits this round out, and is away.
        for (int seat = kFirstSeat; seat <= kLastSeat; ++seat)
            if (Person *p = person(seat); p && !p->gameOver && !p->bet) {
                p->sitsOut = true;
                setAway(seat, true);
            }
        run();
    });
}

TableController::~TableController() = default;

TableController::Person *TableController::person(int seat)
{
    return seat >= kFirstSeat && seat <= kLastSeat && m_people[seat - 1] ? &*m_people[seat - 1]
                                                                         : nullptr;
}

const TableController::Person *TableController::person(int seat) const
{
    return const_cast<TableController *>(this)->person(seat);
}

bool TableController::isPerson(int seat) const
{
    return person(seat) != nullptr;
}

std::string TableController::nameAt(int seat) const
{
    const Person *p = person(seat);
    return p ? p->name : std::string();
}

double TableController::money(int seat) const
{
    const Person *p = person(seat);
    return p ? p->money : 0;
}

double TableController::stake(int seat) const
{
    const Person *p = person(seat);
    return p ? p->stake : 0;
}

bool TableController::isGameOver(int seat) const
{
    const Person *p = person(seat);
    return p && p->gameOver;
}

bool TableController::isAway(int seat) const
{
    const Person *p = person(seat);
    return p && p->away;
}

int TableController::personCount() const
{
    return static_cast<int>(std::count_if(m_people.begin(), m_people.end(),
                                          [](const auto &person) { return person.has_value(); }));
}

int TableController::turnSeat() const
{
    return m_stage == Stage::Turn && m_awaitingPerson ? m_turnSeat : 0;
}

// Timed while more than one person is there to play: the limits keep people from holding each
// other, and none is needed by one alone.
bool TableController::isTimed() const
{
    return std::count_if(m_people.begin(), m_people.end(),
                         [](const auto &p) { return p && !p->away && !p->leaving; })
        > 1;
}

void TableController::setAway(int seat, bool away)
{
    Person *p = person(seat);
    if (!p || p->away == away)
        return;
    p->away = away;
    if (away && m_waitingFor.erase(seat) && m_waitingFor.empty())
        m_showBound.stop();
    postToAll(seatChangedOf(seat));
}

// ---- Seats ----

int TableController::join(const std::string &name, TableView *view, int seat)
{
    if (seat == 0) {
        for (int free : kSeatsForNewcomers)
            if (!person(free)) {
                seat = free;
                break;
            }
    }
    if (seat < kFirstSeat || seat > kLastSeat || person(seat))
        return 0;
    // Assigned, not emplace()d: clang does not take a nested aggregate with member initialisers
    // as default-constructible inside its enclosing class.
    m_people[seat - 1] = Person {};
    // What the seat's last holder was told this round is not the newcomer's to be told again.
    for (auto &[number, step] : m_roundSoFar)
        step.perSeat[seat].reset();
    std::erase_if(m_roundSoFar,
                  [](const auto &kept) { return !isWorthTellingAgain(kept.second.perSeat); });
    Person &newcomer = *m_people[seat - 1];
    newcomer.name = name;
    newcomer.view = view;
    // The newcomer learns who sits where; everyone else learns of the newcomer.
    for (int other = kFirstSeat; other <= kLastSeat; ++other)
        if (other != seat && person(other))
            postTo(seat, seatChangedOf(other));
    postToAll(seatChangedOf(seat));
    if (m_stage == Stage::Bets) {
        newcomer.offered = offeredOptions(newcomer.money, true);
        postTo(seat, BetsOpen { newcomer.offered, newcomer.money, true });
    }
    run();
    return seat;
}

SeatChanged TableController::seatChangedOf(int seat) const
{
    const Person *p = person(seat);
    return p ? SeatChanged { seat, true, p->name, p->view != nullptr, p->away }
             : SeatChanged { seat, false, {}, true, false };
}

void TableController::setView(int seat, TableView *view, std::uint64_t lastSeenStep)
{
    Person *p = person(seat);
    if (!p)
        return;
    p->view = view;
    // A new view has not kept anyone waiting yet.
    p->slowView = false;
    if (!view)
        m_waitingFor.erase(seat);
    else
        catchUp(seat, lastSeenStep);
    postToAll(seatChangedOf(seat));
    run();
}

// Straight to the view, ahead of the steps still to be delivered, which follow it in order.
void TableController::catchUp(int seat, std::uint64_t lastSeenStep)
{
    TableView *view = person(seat)->view;
    for (int other = kFirstSeat; other <= kLastSeat; ++other)
        if (other != seat)
            view->tell(0, seatChangedOf(other));
    // A view that saw nothing of the round may be a game started afresh after the last one
    // went mid-round, which may have shown the outcome and recorded it: the outcome is not told
    // again (the money is), and a turn that is over is no longer offered.
    const bool afresh = lastSeenStep == 0;
    for (const auto &[number, step] : m_roundSoFar) {
        const std::optional<Event> &event = step.perSeat[seat];
        if (number <= lastSeenStep || !event || std::holds_alternative<SeatChanged>(*event))
            continue;
        if (afresh && std::holds_alternative<OutcomeShown>(*event))
            continue;
        if (const auto *status = std::get_if<StatusShown>(&*event);
            afresh && status && status->yourTurn && turnSeat() != seat) {
            view->tell(number, StatusShown { status->status, false, false, false });
            continue;
        }
        view->tell(number, *event);
    }
}

void TableController::leave(int seat)
{
    Person *p = person(seat);
    if (!p)
        return;
    if (p->inRound) {
        // The stake is in the round: the seat is played out (standing or drawing at its turn)
        // and given back once the round is settled.
        p->leaving = true;
        p->view = nullptr;
        m_waitingFor.erase(seat);
        if (turnSeat() == seat)
            m_turnLimit.start(0);
    } else {
        m_people[seat - 1].reset();
        postToAll(seatChangedOf(seat));
    }
    run();
}

// ---- Actions ----

std::optional<Refusal> TableController::act(int seat, const Action &action)
{
    Person *p = person(seat);
    if (!p || p->leaving)
        return Refusal::NotSeated;
    // Whoever acts is there, whether or not the action is on offer now.
    const bool cameBack = p->away && !std::holds_alternative<Leave>(action);
    if (cameBack)
        setAway(seat, false);
    std::optional<Refusal> refusal;
    if (const auto *bet = std::get_if<ChooseBet>(&action)) {
        if (p->gameOver)
            refusal = Refusal::GameOver;
        else if (m_stage != Stage::Bets || p->bet
                 || std::find(p->offered.begin(), p->offered.end(), bet->option)
                     == p->offered.end())
            refusal = Refusal::NotOnOffer;
        else
            chooseBet(seat, bet->option);
    } else if (std::holds_alternative<Draw>(action) || std::holds_alternative<Stand>(action)) {
        const bool draws = std::holds_alternative<Draw>(action);
        if (turnSeat() != seat)
            refusal = Refusal::NotYourTurn;
        else if (draws ? !m_round->mayDraw(seat) : !m_round->mayStand(seat))
            refusal = Refusal::NotOnOffer;
        else if (draws)
            personDraws(seat);
        else
            personStands(seat);
    } else {
        leave(seat);
        return std::nullopt;
    }
    if (!refusal || cameBack)
        run();
    return refusal;
}

void TableController::chooseBet(int seat, BetOption option)
{
    Person &p = *person(seat);
    p.bet = option;
    p.sitsOut = false;
    p.stake = stakeFor(option, p.money);
    postToAll(BetChosen { seat, p.stake });
    if (isTimed() && !m_betLimit.isActive()) {
        m_betLimit.start(m_limits.turnLimitMs);
        for (int other = kFirstSeat; other <= kLastSeat; ++other)
            if (const Person *q = person(other); q && !q->bet && !q->gameOver && !q->away)
                postTo(other, BetsClosing { m_limits.turnLimitMs });
    }
}

void TableController::shown(int seat, std::uint64_t step)
{
    // A slow view that shows any step keeps up again: it is waited for from the next paced one.
    if (Person *p = person(seat); p && step <= m_step)
        p->slowView = false;
    if (step != m_step || !m_waitingFor.erase(seat))
        return;
    if (m_waitingFor.empty())
        m_showBound.stop();
    run();
}

// ---- Delivery ----

void TableController::post(Step step)
{
    m_outbox.push_back(std::move(step));
}

void TableController::postToAll(const Event &event, bool paced)
{
    Step step;
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat)
        step.perSeat[seat] = event;
    step.paced = paced;
    post(std::move(step));
}

void TableController::postTo(int seat, const Event &event, bool paced)
{
    Step step;
    step.perSeat[seat] = event;
    step.paced = paced;
    post(std::move(step));
}

// Delivers the oldest step to every view it has an event for, and waits for the views to show
// a paced one.
void TableController::deliverNext()
{
    Step step = std::move(m_outbox.front());
    m_outbox.pop_front();
    ++m_step;
    // Who sits where is told afresh to a view that comes back; keeping each join and leave
    // would let people coming and going while bets are open grow the round for ever.
    if (isWorthTellingAgain(step.perSeat))
        m_roundSoFar.emplace_back(m_step, step);
    std::vector<std::pair<TableView *, Event>> deliveries;
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat) {
        Person *p = person(seat);
        if (!p || !p->view || !step.perSeat[seat])
            continue;
        if (step.paced && !p->away && !p->slowView)
            m_waitingFor.insert(seat);
        deliveries.emplace_back(p->view, std::move(*step.perSeat[seat]));
    }
    const std::uint64_t number = m_step;
    for (auto &[view, event] : deliveries)
        view->tell(number, event);
    if (!m_waitingFor.empty() && number == m_step)
        m_showBound.start();
}

// The table's loop: delivers what is waiting and moves the round on until it needs a person, or
// a view to show a step. Calls from inside a view's tell() only mark what changed; the loop
// that is running takes them up.
void TableController::run()
{
    if (m_running)
        return;
    m_running = true;
    bool waits = false;
    for (int pass = 0; pass < kMostStepsAtOnce && !waits; ++pass) {
        if (!m_waitingFor.empty())
            waits = true;
        else if (!m_outbox.empty())
            deliverNext();
        else
            waits = !moveOn();
    }
    m_running = false;
    // Views that act as soon as they are told can keep a table going for ever from one call:
    // after so many steps the rest goes on from the event loop.
    if (!waits)
        QMetaObject::invokeMethod(this, &TableController::run, Qt::QueuedConnection);
}

// Takes the round's next step; false when it waits for a person.
bool TableController::moveOn()
{
    switch (m_stage) {
    case Stage::Bets:
        if (!everyoneHasChosen())
            return false;
        deal();
        return true;
    case Stage::Turn: {
        const int seat = m_round->turnSeat();
        if (seat == kDealerSeat) {
            playComputerSeat(kDealerSeat);
            m_stage = Stage::Reveal;
        } else if (!m_round->isPerson(seat)) {
            playComputerSeat(seat);
        } else if (!m_awaitingPerson) {
            startTurn(seat);
        } else {
            return false;
        }
        return true;
    }
    case Stage::Reveal:
        reveal();
        m_stage = Stage::Settle;
        return true;
    case Stage::Settle:
        settle();
        m_stage = Stage::NextRound;
        return true;
    case Stage::NextRound:
        nextRound();
        return true;
    }
    return false;
}

// ---- The round ----

bool TableController::everyoneHasChosen() const
{
    int stakes = 0;
    for (const auto &p : m_people) {
        if (!p || p->gameOver || p->sitsOut || p->away)
            continue;
        if (!p->bet)
            return false;
        ++stakes;
    }
    return stakes > 0;
}

void TableController::deal()
{
    m_betLimit.stop();
    Round::People people {};
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat) {
        Person *p = person(seat);
        if (p && p->bet && !p->gameOver) {
            people[seat - 1] = p->stake;
            p->inRound = true;
        }
    }
    m_round.emplace(people, m_random);
    ++m_roundCount;
    m_phase = Phase::Playing;
    m_stage = Stage::Turn;
    m_awaitingPerson = false;
    for (int slot = 1; slot <= 8; ++slot)
        postCard(slot);
}

// The card of slot slides out: face up to the person whose seat it belongs to, its back to
// everyone else.
void TableController::postCard(int slot)
{
    Step step;
    const int owner = seatOfSlot(slot);
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat) {
        const bool own = seat == owner && m_round->isPerson(seat);
        step.perSeat[seat] = CardOut { slot, own, own ? m_round->cards()[slot] : cards::Card {} };
    }
    step.paced = true;
    post(std::move(step));
}

StatusShown TableController::statusOf(int seat, bool yourTurn) const
{
    return StatusShown { m_round->statusOf(seat), yourTurn, yourTurn && m_round->mayDraw(seat),
                         yourTurn && m_round->mayStand(seat) };
}

void TableController::startTurn(int seat)
{
    m_turnSeat = seat;
    m_awaitingPerson = true;
    const Person *p = person(seat);
    if (p && p->away) {
        // No one to wait for: the seat is played at once.
        playForPerson(seat);
        return;
    }
    const bool timed = isTimed() || !p || p->leaving;
    postToAll(TurnStarts { seat, timed ? m_limits.turnLimitMs : 0 });
    postTo(seat, statusOf(seat, true));
    if (!p || p->leaving)
        m_turnLimit.start(0);
    else if (timed)
        m_turnLimit.start(m_limits.turnLimitMs);
}

void TableController::endTurn()
{
    m_turnLimit.stop();
    m_awaitingPerson = false;
}

void TableController::personDraws(int seat)
{
    endTurn();
    m_round->draw(seat);
    postToAll(SeatDecided { seat, true });
    postCard(thirdSlotOf(seat));
    postTo(seat, statusOf(seat, false));
}

void TableController::personStands(int seat)
{
    endTurn();
    m_round->stand(seat);
    postToAll(SeatDecided { seat, false });
}

// The table decides for a person who is not there to: as the computer decides for a side seat.
// That rule draws below 4 and stands on a pok, so it never picks what the person may not do.
void TableController::playForPerson(int seat)
{
    const bool draws = sideSeatDraws(m_round->cards(), seat, m_round->points(seat), m_random);
    if (draws ? m_round->mayDraw(seat) : !m_round->mayStand(seat))
        personDraws(seat);
    else
        personStands(seat);
}

void TableController::playComputerSeat(int seat)
{
    const bool draws = m_round->playComputer();
    postToAll(SeatDecided { seat, draws });
    if (draws)
        postCard(thirdSlotOf(seat));
}

// Every card turned over, the third cards no seat took among them: the round is over, and the
// table shows them all. Each view is told the faces it has not seen.
void TableController::reveal()
{
    Step step;
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat) {
        CardsRevealed revealed;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            const int owner = seatOfSlot(slot);
            const bool seen = owner == seat && m_round->isPerson(seat)
                && (slot <= 8 || m_round->hasDrawn(owner));
            if (!seen)
                revealed.faces.push_back({ slot, m_round->cards()[slot] });
        }
        step.perSeat[seat] = std::move(revealed);
    }
    post(std::move(step));
}

void TableController::settle()
{
    m_phase = Phase::Settling;
    m_round->settleAll(m_decimalPoint);
    std::vector<int> settled;
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat)
        if (m_round->isPerson(seat))
            settled.push_back(seat);
    // Each person's hand first, then the dealer's: the order the table shows them in.
    Step own;
    for (int seat : settled)
        own.perSeat[seat] = HandSettled { seat, m_round->handOf(seat).label };
    post(std::move(own));
    postToAll(HandSettled { kDealerSeat, m_round->dealerHand().label });
    for (int seat : settled) {
        Step others;
        for (int viewer = kFirstSeat; viewer <= kLastSeat; ++viewer)
            if (viewer != seat)
                others.perSeat[viewer] = HandSettled { seat, m_round->handOf(seat).label };
        post(std::move(others));
    }
    Step outcomes;
    for (int seat : settled) {
        Person *p = person(seat);
        const Settlement &settlement = m_round->settlementOf(seat);
        if (p) {
            p->money += settlement.moneyChange;
            outcomes.perSeat[seat] = OutcomeShown { settlement.title, settlement.text,
                                                    playedRound(*m_round, seat, p->money) };
        }
    }
    outcomes.paced = true;
    post(std::move(outcomes));
    for (int seat : settled)
        if (const Person *p = person(seat))
            postToAll(MoneyChanged { seat, p->money });
}

void TableController::nextRound()
{
    m_roundSoFar.clear();
    m_phase = Phase::Betting;
    m_stage = Stage::Bets;
    for (int seat = kFirstSeat; seat <= kLastSeat; ++seat) {
        Person *p = person(seat);
        if (!p)
            continue;
        if (p->leaving) {
            m_people[seat - 1].reset();
            postToAll(seatChangedOf(seat));
            continue;
        }
        p->bet.reset();
        p->inRound = false;
        p->sitsOut = false;
        p->offered = p->gameOver ? std::vector<BetOption> {} : offeredOptions(p->money, false);
        postTo(seat, BetsOpen { offeredOptions(p->money, false), p->money, false });
        if (!p->gameOver && pokdeng::isGameOver(p->money)) {
            p->gameOver = true;
            p->offered.clear();
            postTo(seat, GameOver {});
        }
    }
    emit roundSettled();
}

} // namespace table
