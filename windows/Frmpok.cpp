#include "windows/Frmpok.h"

#include "history/ScoreStore.h"
#include "rules/pokdeng/Seats.h"
#include "rules/pokdeng/SlidePath.h"
#include "toolkit/CardFlip.h"
#include "toolkit/CardPicture.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DesignCanvas.h"
#include "toolkit/DisplayText.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/GameSettings.h"
#include "toolkit/LiveRegion.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/Toolkit.h"
#include "windows/ChatPanel.h"
#include "windows/Frmabout.h"
#include "windows/Frmpoint.h"
#include "windows/FrmpokTexts.h"
#include "windows/HelpersMenu.h"
#include "windows/OddsAdvisor.h"
#include "windows/PlayHistory.h"
#include "windows/RecordSaver.h"
#include "windows/TableLine.h"
#include "windows/TurnClock.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include <algorithm>

using namespace pokdeng;
using namespace cards;
using namespace frmpok_text;

namespace {

constexpr int kClientWidth = 6300;
constexpr int kClientHeight = 5280;

QString fromUtf8(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

Frmpok::Frmpok(QWidget *parent, RandomSource *random)
    : GameWindow(GameKind::PokDeng, kClientWidth, kClientHeight, parent)
    , m_ownTable(std::make_unique<table::TableController>(random ? *random : gameRandom()))
{
    build();
    m_ownTable->setDecimalPoint(localeDecimalPoint().toStdString());
    m_seat = m_ownTable->join(std::string(), this, kUserSeat);
    m_ownSeat = std::make_unique<table::LocalSeat>(*m_ownTable, m_seat,
                                                   [this](table::Refusal why) { refused(why); });
    m_link = m_ownSeat.get();
    // The table has told the window its seat and the first bets: take them now, as the window
    // loads.
    takeEvents();
}

Frmpok::Frmpok(table::SeatLink &link, int seat, QWidget *parent)
    : GameWindow(GameKind::PokDeng, kClientWidth, kClientHeight, parent)
    , m_link(&link)
    , m_seat(seat)
    , m_takesAtOnce(false)
{
    build();
    m_tableLine = new TableLine(this);
    addBelowClient(m_tableLine);
    m_turnClock = new TurnClock(this);
    addBelowClient(m_turnClock);
    m_awayLine = new QLabel(kYouAreAway, this);
    m_awayLine->setObjectName(QStringLiteral("awayLine"));
    m_awayLine->setAccessibleName(kYouAreAway);
    m_awayLine->hide();
    addBelowClient(m_awayLine);
    m_chat = new ChatPanel(this);
    addBelowClient(m_chat);
    connect(m_chat, &ChatPanel::tableWanted, this, &Frmpok::focusRestingControl);
    // Nothing is on offer until the table says so.
    for (BetOption option : kBetOptions)
        ui.betOption(option)->setEnabled(false);
}

void Frmpok::build()
{
    setObjectName(QStringLiteral("Frmpok"));
    ui.setupUi(client());
    // An option is chosen when it becomes selected, whether by a click, by the keyboard or by a
    // screen reader's toggle action; the last one selects it without any click. Choosing the
    // option already selected changes nothing, so it never reaches the table.
    for (BetOption option : kBetOptions)
        connect(ui.betOption(option), &QRadioButton::toggled, this, [this, option](bool selected) {
            if (selected)
                chooseBet(option);
        });
    connect(ui.Cmdreq, &QPushButton::clicked, this, &Frmpok::Cmdreq_Click);
    connect(ui.cmdnoreq, &QPushButton::clicked, this, &Frmpok::cmdnoreq_Click);
    connect(ui.Cmdname, &QPushButton::clicked, this, &Frmpok::Cmdname_Click);
    // Enter in the name box is the save button.
    connect(ui.txtname, &QLineEdit::returnPressed, this, &Frmpok::Cmdname_Click);
    buildMenu();
    Form_Load();
}

void Frmpok::buildMenu()
{
    QAction *record = addBarEntry(kRecordEntry, "mnupoint", Command::ShowRecord);
    connect(record, &QAction::triggered, this, &Frmpok::mnupoint_Click);
    QAction *about = addBarEntry(kAboutEntry, "mnuabout", Command::About);
    connect(about, &QAction::triggered, this, &Frmpok::mnuabout_Click);

    // เล่นกับเพื่อน, below the games of เลือกเกม.
    if (QMenu *games = gameMenuBar()->findChild<QMenu *>(QStringLiteral("mnusel"))) {
        auto *friends = new QAction(kWithFriendsEntry, games);
        friends->setObjectName(QStringLiteral("mnufriends"));
        shortcuts::bind(friends, Command::PlayWithFriends);
        const auto entries = games->actions();
        const auto separator = std::find_if(entries.begin(), entries.end(),
                                            [](QAction *entry) { return entry->isSeparator(); });
        games->insertAction(separator == entries.end() ? nullptr : *separator, friends);
        connect(friends, &QAction::triggered, this, [this] { switchTo(GameKind::WithFriends); });
    }

    // Beside the design's entries, one menu of the helpers it did not have.
    m_advisor = (new HelpersMenu(gameMenuBar(), ui, this))->advisor();
    addBelowClient(m_advisor->statusBar());
}

// Every card hidden on the pack, no bet chosen and every bet on offer: the state between two
// rounds, before the money narrows the offer.
void Frmpok::clearForBets()
{
    for (int k = 1; k <= kSlotCount; ++k) {
        slot(k)->hide();
        client()->moveTo(slot(k), { kPackPosition.left, kPackPosition.top });
    }
    ui.showSaveControls(m_saveOffered, false);
    ui.Option2->setChecked(true);
    for (BetOption option : kBetOptions)
        ui.betOption(option)->setEnabled(true);
}

void Frmpok::Form_Load()
{
    m_recordMoney = readScoreFile().money;
    clearForBets();
    m_money = kStartingMoney;
    m_bet = 500;
    ui.Cmdreq->hide();
    showMoney();
    m_phase = Phase::Betting;
    PlayHistory::instance().beginSession(m_money);
}

Frmpok::~Frmpok()
{
    PlayHistory::instance().endSession();
}

const SlotCards &Frmpok::cards() const
{
    const Round *round = m_ownTable ? m_ownTable->round() : nullptr;
    return round ? round->cards() : m_seen;
}

int Frmpok::points(int seat) const
{
    const Round *round = m_ownTable ? m_ownTable->round() : nullptr;
    return round ? round->points(seat) : 0;
}

bool Frmpok::canClose() const
{
    // Cards in motion and a round being settled run to their end first.
    return m_phase != Phase::Dealing && m_phase != Phase::Resolving;
}

void Frmpok::showMoney()
{
    ui.showMoney(displayDecimal(m_money));
}

// Between rounds, when every card is back on the pack.
void Frmpok::setSaveControlsVisible(bool visible)
{
    m_saveOffered = visible;
    ui.showSaveControls(m_saveOffered, false);
}

// ---- What the window sends ----

void Frmpok::act(const table::Action &action)
{
    if (m_link)
        m_link->act(action);
}

void Frmpok::chooseBet(BetOption option)
{
    // A click on the option already chosen, in the middle of a round, is ignored: a second deal
    // would let the player throw away a bad hand.
    if (m_phase != Phase::Betting)
        return;
    Toolkit::instance().playSound(Sound::Bet);
    m_lastBet = option;
    // Out of the option about to leave the offer, or the focus would fall to the next control
    // in the tab order, the name box among them.
    keepFocusOnTable(ui.betOption(option));
    for (BetOption other : kBetOptions)
        if (other != option)
            ui.betOption(other)->setEnabled(false);
    m_phase = Phase::Dealing;
    act(table::ChooseBet { option });
}

void Frmpok::Cmdreq_Click()
{
    if (m_phase == Phase::UserTurn)
        act(table::Draw {});
}

void Frmpok::cmdnoreq_Click()
{
    if (m_phase == Phase::UserTurn)
        act(table::Stand {});
}

// ---- What the window is told ----

// Events are taken one at a time: one that comes while another is shown (during its slide or
// its box) waits its turn.
void Frmpok::tell(std::uint64_t step, const table::Event &event)
{
    m_inbox.emplace_back(step, event);
    if (m_takesAtOnce || !m_link)
        takeEvents();
    else if (m_inbox.size() == 1)
        QMetaObject::invokeMethod(this, &Frmpok::takeEvents, Qt::QueuedConnection);
}

void Frmpok::takeEvents()
{
    // Before the window is linked to its table it only keeps what it is told.
    if (m_takingEvents || !m_link)
        return;
    m_takingEvents = true;
    while (m_link && !m_inbox.empty() && !Toolkit::instance().isEnding()) {
        auto [number, next] = std::move(m_inbox.front());
        m_inbox.pop_front();
        takeEvent(number, next);
    }
    m_takingEvents = false;
}

void Frmpok::showTableLine(const QString &line, const QString &toCopy)
{
    if (m_tableLine)
        m_tableLine->showLine(line, toCopy);
}

void Frmpok::refused(table::Refusal refusal, const QString &why)
{
    LiveRegion::say(this, why.isEmpty() ? fromUtf8(table::refusalText(refusal)) : why);
    if (m_phase != Phase::Dealing)
        return;
    clearForBets();
    offerBets();
}

void Frmpok::tableEnded(const QString &why)
{
    // An event being shown (a slide, the outcome box) finishes without telling the table.
    m_link = nullptr;
    m_inbox.clear();
    if (m_turnClock)
        m_turnClock->stop();
    for (BetOption option : kBetOptions)
        ui.betOption(option)->setEnabled(false);
    ui.Cmdreq->hide();
    ui.cmdnoreq->hide();
    m_advisor->endTurn();
    m_phase = Phase::GameOver;
    showTableLine(why);
}

// The bets the table offers, and the focus on them.
void Frmpok::offerBets()
{
    for (BetOption option : kBetOptions)
        ui.betOption(option)->setEnabled(std::find(m_offered.begin(), m_offered.end(), option)
                                         != m_offered.end());
    m_phase = Phase::Betting;
    focusRestingControl();
}

void Frmpok::shown(std::uint64_t step)
{
    if (m_link)
        m_link->shown(step);
}

void Frmpok::takeEvent(std::uint64_t step, const table::Event &event)
{
    if (const auto *seat = std::get_if<table::SeatChanged>(&event)) {
        seatChanged(*seat);
    } else if (const auto *bets = std::get_if<table::BetsOpen>(&event)) {
        m_offered = bets->offered;
        if (!m_takesAtOnce) {
            m_money = bets->money;
            showMoney();
        }
        // The window loads with its own table's first offer on show; at a shared table the
        // offer waits for the table to make it.
        if (!bets->firstOfTable)
            nextRound(*bets);
        else if (!m_takesAtOnce)
            offerBets();
    } else if (const auto *bet = std::get_if<table::BetChosen>(&event)) {
        if (bet->seat == m_seat) {
            m_bet = bet->stake;
            if (m_turnClock)
                m_turnClock->stop();
            // Told again after a lost connection: the bet stands, whatever the window offered.
            if (m_phase == Phase::Betting) {
                for (BetOption option : kBetOptions)
                    ui.betOption(option)->setEnabled(false);
                m_phase = Phase::Dealing;
            }
            showMoney();
        } else {
            sayOfPerson(bet->seat,
                        kPersonBet.arg(QStringLiteral("%1"), displayDecimal(bet->stake)));
        }
    } else if (const auto *card = std::get_if<table::CardOut>(&event)) {
        cardOut(step, *card);
    } else if (const auto *decision = std::get_if<table::SeatDecided>(&event)) {
        seatDecided(*decision);
    } else if (const auto *turn = std::get_if<table::TurnStarts>(&event)) {
        if (turn->seat != m_seat) {
            showSeatLabels();
            sayOfPerson(turn->seat, kPersonsTurn);
        }
        if (m_turnClock && isValidSeat(turn->seat))
            m_turnClock->start(turn->seat == m_seat ? kYourTurn
                                                    : kPersonsTurn.arg(m_names[turn->seat]),
                               turn->limitMs, turn->seat == m_seat);
    } else if (const auto *status = std::get_if<table::StatusShown>(&event)) {
        showStatus(*status);
    } else if (const auto *revealed = std::get_if<table::CardsRevealed>(&event)) {
        showFaces(*revealed);
    } else if (const auto *hand = std::get_if<table::HandSettled>(&event)) {
        handSettled(*hand);
    } else if (const auto *outcome = std::get_if<table::OutcomeShown>(&event)) {
        showOutcome(step, *outcome);
    } else if (const auto *money = std::get_if<table::MoneyChanged>(&event)) {
        if (money->seat == m_seat) {
            m_money = money->money;
            showMoney();
        }
    } else if (const auto *closing = std::get_if<table::BetsClosing>(&event)) {
        if (m_turnClock && m_phase == Phase::Betting)
            m_turnClock->start(kChooseABet, closing->limitMs, true);
    } else if (std::holds_alternative<table::GameOver>(event)) {
        endGame();
    }
}

namespace {

// A person's name on their seat, with why the table plays for them: a lost connection, or away.
QString holderName(const QString &name, const table::SeatChanged &seat)
{
    if (name.isEmpty())
        return name;
    if (!seat.present)
        return kLostConnection.arg(name);
    return seat.away ? kNotHere.arg(name) : name;
}

} // namespace

void Frmpok::seatChanged(const table::SeatChanged &seat)
{
    if (!isValidSeat(seat.seat))
        return;
    if (seat.seat == m_seat) {
        showAway(seat.away);
        return;
    }
    const QString name = seat.person ? fromUtf8(seat.name) : QString();
    const QString &before = m_names[seat.seat];
    if (name != before) {
        if (!before.isEmpty())
            LiveRegion::say(this, kPersonLeft.arg(before));
        if (!name.isEmpty())
            LiveRegion::say(this, kPersonJoined.arg(name));
    } else if (!name.isEmpty()) {
        if (seat.present != m_present[seat.seat])
            LiveRegion::say(this, (seat.present ? kPersonBack : kPersonLost).arg(name));
        if (seat.away != m_away[seat.seat])
            LiveRegion::say(this, (seat.away ? kPersonAway : kPersonPlaysAgain).arg(name));
    }
    m_names[seat.seat] = name;
    m_present[seat.seat] = seat.present;
    m_away[seat.seat] = seat.away;
    const int place = placeOfSeat(seat.seat);
    if (place == kFirstSeat || place == kLastSeat)
        ui.showSeatHolder(place, holderName(name, seat));
    // At a table others share, the seats say who holds them from the start: the table is its
    // own lobby.
    if (!m_takesAtOnce)
        showSeatLabels();
}

// Said once as the person goes away, and shown until they act again.
void Frmpok::showAway(bool away)
{
    if (!m_awayLine || away == !m_awayLine->isHidden())
        return;
    m_awayLine->setVisible(away);
    if (away)
        LiveRegion::say(this, kYouAreAway);
}

// sentence has %1 where the person's name goes; nothing is said of a seat the computer plays.
void Frmpok::sayOfPerson(int seat, const QString &sentence)
{
    if (isValidSeat(seat) && !m_names[seat].isEmpty())
        LiveRegion::say(this, sentence.arg(m_names[seat]));
}

int Frmpok::placeOfSeat(int seat) const
{
    if (seat == m_seat)
        return kUserSeat;
    return seat == kUserSeat ? m_seat : seat;
}

int Frmpok::placeOfSlot(int slot) const
{
    const int seat = seatOfSlot(slot);
    return slot + placeOfSeat(seat) - seat;
}

// A card slides out of the pack to its place, face up when it is the window's own.
void Frmpok::cardOut(std::uint64_t step, const table::CardOut &card)
{
    if (!isValidSlot(card.slot))
        return;
    if (card.slot == 1) {
        // The bets have closed: whoever had not chosen sits this round out.
        if (m_turnClock)
            m_turnClock->stop();
        // A new round: nothing of the last one is known any more.
        m_seen = SlotCards();
        m_drew = {};
        m_lastSeatsThirdOut = false;
    }
    if (card.faceUp)
        m_seen.set(card.slot, card.card);
    const int place = placeOfSlot(card.slot);
    // With พลิกไพ่ on, the user's card comes out face down and is turned over where it lands.
    const bool turnsOver = card.faceUp && GameSettings().cardFlip();
    ui.showCard(place, card.card, card.faceUp && !turnsOver);
    if (place > 8) {
        m_lastSeatsThirdOut = m_lastSeatsThirdOut || place == thirdSlotOf(kLastSeat);
        ui.showSaveControls(m_saveOffered, m_lastSeatsThirdOut);
    }
    slot(place)->show();
    if (!CardSlider::slide(slot(place), slidePath(place), ui.Image1))
        return;
    if (turnsOver
        && !CardFlip::turnOver({ slot(place) }, [&] { ui.showCard(place, card.card, true); }))
        return;
    shown(step);
}

void Frmpok::seatDecided(const table::SeatDecided &decision)
{
    if (m_turnClock)
        m_turnClock->stop();
    if (isValidSeat(decision.seat))
        m_drew[decision.seat] = decision.draws;
    if (decision.seat != m_seat)
        return;
    m_phase = Phase::Resolving;
    m_advisor->endTurn();
    keepFocusOnTable(ui.betOption(m_lastBet));
    ui.Cmdreq->hide();
    ui.cmdnoreq->hide();
}

void Frmpok::showSeatLabels()
{
    ui.Lblpl1->show();
    ui.Lblpl2->show();
    ui.Lblpl3->show();
}

// The user's status line and turn buttons; at the start of the turn, the turn itself.
void Frmpok::showStatus(const table::StatusShown &shown)
{
    const UserStatus &status = shown.status;
    sayHand(m_seat);
    ui.showResult(0, fromUtf8(status.label));
    m_standShowsCards = m_standShowsCards || status.standBecomesShowCards;
    ui.cmdnoreq->setText(m_standShowsCards ? kShowCards : kStand);
    ui.Cmdreq->setVisible(status.drawShown);
    if (status.stand != UserStatus::StandButton::Untouched)
        ui.cmdnoreq->setVisible(status.stand == UserStatus::StandButton::Shown);
    if (!shown.yourTurn)
        return;
    showSeatLabels();
    if (shown.mayStand)
        ui.cmdnoreq->show();
    m_phase = Phase::UserTurn;
    const auto hand = m_seen.ofSeat(m_seat);
    m_advisor->startTurn(hand[0], hand[1], m_bet, m_standShowsCards ? kShowCards : kStand);
    // The keyboard goes on from the turn buttons, whichever way the bet was chosen.
    focusRestingControl();
}

void Frmpok::showFaces(const table::CardsRevealed &revealed)
{
    showSeatLabels();
    std::vector<CardPicture *> lying;
    for (const table::SlotFace &face : revealed.faces)
        if (isValidSlot(face.slot)) {
            m_seen.set(face.slot, face.card);
            if (!slot(placeOfSlot(face.slot))->isHidden())
                lying.push_back(slot(placeOfSlot(face.slot)));
        }
    const auto turnFaces = [&] {
        for (const table::SlotFace &face : revealed.faces)
            if (isValidSlot(face.slot))
                ui.showCard(placeOfSlot(face.slot), face.card, true);
    };
    // With พลิกไพ่ on, the cards on the table turn over together (and sound as they turn).
    if (GameSettings().cardFlip()) {
        if (!CardFlip::turnOver(lying, turnFaces))
            return;
    } else {
        Toolkit::instance().playSound(Sound::TurnOver);
        turnFaces();
    }
    for (int seat = 1; seat <= kSeatCount; ++seat)
        if (seat != m_seat)
            sayHand(seat);
}

void Frmpok::sayHand(int seat)
{
    ui.sayHand(placeOfSeat(seat), m_seen.ofSeat(seat), m_drew[seat] ? 3 : 2);
}

void Frmpok::handSettled(const table::HandSettled &hand)
{
    if (hand.seat == m_seat)
        ui.showResult(0, fromUtf8(hand.label), true);
    else if (hand.seat == kDealerSeat)
        ui.showResult(1, fromUtf8(hand.label), true);
    else
        sayOfPerson(hand.seat, kPersonsResult.arg(QStringLiteral("%1"), fromUtf8(hand.label)));
}

void Frmpok::showOutcome(std::uint64_t step, const table::OutcomeShown &outcome)
{
    m_money = outcome.round.moneyAfter;
    if (outcome.round.outcome == Settlement::Outcome::UserWins)
        Toolkit::instance().playSound(Sound::Win);
    else if (outcome.round.outcome == Settlement::Outcome::UserLoses)
        Toolkit::instance().playSound(Sound::Lose);
    // Kept before the outcome is told: a round the user saw settled is never lost.
    PlayHistory::instance().record(this, outcome.round);
    Toolkit::instance().messageBox(this, fromUtf8(outcome.text), Toolkit::Style::Ok,
                                   fromUtf8(outcome.title));
    if (Toolkit::instance().isEnding())
        return;
    showMoney();
    shown(step);
}

void Frmpok::nextRound(const table::BetsOpen &bets)
{
    m_offered = bets.offered;
    ui.showResult(0, QString());
    ui.showResult(1, QString());
    clearForBets();
    setSaveControlsVisible(beatsRecord(m_money, m_recordMoney));
    offerBets();
}

void Frmpok::focusRestingControl()
{
    QWidget *target = nullptr;
    if (m_phase == Phase::UserTurn) {
        for (QPushButton *turn : { ui.Cmdreq, ui.cmdnoreq })
            if (!target && !turn->isHidden())
                target = turn;
    } else if (m_phase == Phase::Betting || m_phase == Phase::GameOver) {
        // The bet of the last round, or the first one from the top still on offer.
        if (ui.betOption(m_lastBet)->isEnabled())
            target = ui.betOption(m_lastBet);
        for (BetOption option : kBetOptions)
            if (!target && ui.betOption(option)->isEnabled())
                target = ui.betOption(option);
    }
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

// Moves the focus to to when it lies on a control that a step of the round is about to hide or
// disable; left elsewhere (in the name box, say), it stays.
void Frmpok::keepFocusOnTable(QWidget *to)
{
    QWidget *focus = focusWidget();
    if (focus && focus != ui.txtname && focus != to && client()->isAncestorOf(focus))
        to->setFocus(Qt::OtherFocusReason);
}

// Below the least stake: the user chooses between a fresh table and the end of the program.
void Frmpok::endGame()
{
    m_phase = Phase::GameOver;
    Toolkit &toolkit = Toolkit::instance();
    toolkit.messageBox(this, kLostPrompt, Toolkit::Style::StopOk, kLostTitle);
    if (toolkit.isEnding())
        return;
    if (toolkit.messageBox(this, kPlayAgainPrompt, Toolkit::Style::QuestionYesNo, kPlayAgainTitle)
        == Toolkit::Answer::Yes) {
        if (!toolkit.isEnding())
            switchTo(GameKind::PokDeng);
    } else {
        toolkit.endProgram();
    }
}

void Frmpok::Cmdname_Click()
{
    // Only while the save is offered: a screen reader can press the button while it is hidden.
    if (!m_saveOffered || m_phase == Phase::Dealing || m_phase == Phase::Resolving)
        return;
    // Cancel and a failed save leave the game as it was; only a saved record starts afresh.
    if (confirmAndSaveRecord(this, ui.txtname->text(), m_money) == SaveOutcome::Saved)
        switchTo(GameKind::PokDeng);
}

void Frmpok::mnupoint_Click()
{
    runModal<Frmpoint>(this);
}

void Frmpok::mnuabout_Click()
{
    runModal<Frmabout>(this);
}
