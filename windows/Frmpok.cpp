#include "windows/Frmpok.h"

#include "history/ScoreStore.h"
#include "rules/pokdeng/PlayedRound.h"
#include "rules/pokdeng/Seats.h"
#include "rules/pokdeng/SlidePath.h"
#include "toolkit/CardPicture.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DesignCanvas.h"
#include "toolkit/DisplayText.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/Toolkit.h"
#include "windows/Frmabout.h"
#include "windows/Frmpoint.h"
#include "windows/FrmpokTexts.h"
#include "windows/HelpersMenu.h"
#include "windows/OddsAdvisor.h"
#include "windows/PlayHistory.h"
#include "windows/RecordSaver.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

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
    , m_random(random ? *random : gameRandom())
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
    static const SlotCards noCards;
    return m_round ? m_round->cards() : noCards;
}

int Frmpok::points(int seat) const
{
    return m_round ? m_round->points(seat) : 0;
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

void Frmpok::chooseBet(BetOption option)
{
    // A click on the option already chosen, in the middle of a round, is ignored: a second deal
    // would let the player throw away a bad hand.
    if (m_phase != Phase::Betting)
        return;
    Toolkit::instance().playSound(Sound::Bet);
    m_bet = stakeFor(option, m_money);
    m_lastBet = option;
    // Out of the option about to leave the offer, or the focus would fall to the next control
    // in the tab order, the name box among them.
    keepFocusOnTable(ui.betOption(option));
    for (BetOption other : kBetOptions)
        if (other != option)
            ui.betOption(other)->setEnabled(false);
    startRound();
}

void Frmpok::startRound()
{
    m_phase = Phase::Dealing;
    showMoney();
    deal();
    showBacks();
    if (!slideDeal() || !firstSeatTurn())
        return;
    ui.Lblpl1->show();
    ui.Lblpl2->show();
    ui.Lblpl3->show();
    if (m_round->mayStand())
        ui.cmdnoreq->show();
    m_phase = Phase::UserTurn;
    const auto hand = m_round->cards().ofSeat(kUserSeat);
    m_advisor->startTurn(hand[0], hand[1], m_bet, m_standShowsCards ? kShowCards : kStand);
    // The keyboard goes on from the turn buttons, whichever way the bet was chosen.
    focusRestingControl();
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

void Frmpok::deal()
{
    m_round.emplace(m_bet, m_random);
    for (int k = 1; k <= kSlotCount; ++k)
        showCard(k, true);
}

void Frmpok::showCard(int k, bool face)
{
    ui.showCard(k, m_round->cards()[k], face);
}

void Frmpok::showBacks()
{
    for (int k = 1; k <= kSlotCount; ++k)
        if (seatOfSlot(k) != kUserSeat)
            showCard(k, false);
}

void Frmpok::showFaces()
{
    Toolkit::instance().playSound(Sound::TurnOver);
    for (int k = 1; k <= kSlotCount; ++k)
        showCard(k, true);
    for (int seat : { kFirstSeat, kLastSeat, kDealerSeat })
        sayHand(seat);
}

void Frmpok::sayHand(int seat)
{
    ui.sayHand(seat, m_round->cards().ofSeat(seat), m_round->hasDrawn(seat) ? 3 : 2);
}

bool Frmpok::slideDeal()
{
    for (int k = 1; k <= 8; ++k) {
        slot(k)->show();
        if (!CardSlider::slide(slot(k), slidePath(k), ui.Image1))
            return false;
    }
    return true;
}

// Shows the seat's third card on the pack and slides it to its place. Returns false when the
// program began to end meanwhile.
bool Frmpok::slideThirdCard(int seat)
{
    const int k = thirdSlotOf(seat);
    slot(k)->show();
    ui.showSaveControls(m_saveOffered, m_round->hasDrawn(kLastSeat));
    return CardSlider::slide(slot(k), slidePath(k), ui.Image1);
}

bool Frmpok::firstSeatTurn()
{
    if (m_round->playFirstSeat() && !slideThirdCard(kFirstSeat))
        return false;
    showUserStatus();
    return true;
}

void Frmpok::showUserStatus()
{
    const UserStatus status = m_round->userStatus();
    sayHand(kUserSeat);
    ui.showResult(0, fromUtf8(status.label));
    m_standShowsCards = m_standShowsCards || status.standBecomesShowCards;
    ui.cmdnoreq->setText(m_standShowsCards ? kShowCards : kStand);
    ui.Cmdreq->setVisible(status.drawShown);
    if (status.stand != UserStatus::StandButton::Untouched)
        ui.cmdnoreq->setVisible(status.stand == UserStatus::StandButton::Shown);
}

void Frmpok::Cmdreq_Click()
{
    if (m_phase != Phase::UserTurn || !m_round->mayDraw())
        return;
    m_phase = Phase::Resolving;
    m_round->userDraws();
    m_advisor->endTurn();
    keepFocusOnTable(ui.betOption(m_lastBet));
    ui.Cmdreq->hide();
    ui.cmdnoreq->hide();
    if (!slideThirdCard(kUserSeat))
        return;
    showUserStatus();
    finishRound();
}

void Frmpok::cmdnoreq_Click()
{
    if (m_phase != Phase::UserTurn || !m_round->mayStand())
        return;
    m_phase = Phase::Resolving;
    m_round->userStands();
    m_advisor->endTurn();
    keepFocusOnTable(ui.betOption(m_lastBet));
    ui.Cmdreq->hide();
    ui.cmdnoreq->hide();
    finishRound();
}

void Frmpok::finishRound()
{
    if (m_round->playLastSeat() && !slideThirdCard(kLastSeat))
        return;
    if (m_round->playDealer() && !slideThirdCard(kDealerSeat))
        return;
    showFaces();
    settle();
}

void Frmpok::settle()
{
    const Settlement &outcome = m_round->settle(localeDecimalPoint().toStdString());
    ui.showResult(0, fromUtf8(m_round->userHand().label), true);
    ui.showResult(1, fromUtf8(m_round->dealerHand().label), true);
    m_money += outcome.moneyChange;
    if (outcome.outcome != Settlement::Outcome::Tie) // a tie moves nothing and sounds nothing
        Toolkit::instance().playSound(
            outcome.outcome == Settlement::Outcome::UserWins ? Sound::Win : Sound::Lose);
    // Kept before the outcome is told: a round the user saw settled is never lost.
    PlayHistory::instance().record(this, playedRound(*m_round, m_money));
    Toolkit::instance().messageBox(this, fromUtf8(outcome.text), Toolkit::Style::Ok,
                                   fromUtf8(outcome.title));
    if (Toolkit::instance().isEnding())
        return;
    showMoney();
    nextRound();
}

void Frmpok::nextRound()
{
    ui.showResult(0, QString());
    ui.showResult(1, QString());
    clearForBets();
    setSaveControlsVisible(beatsRecord(m_money, m_recordMoney));
    for (BetOption option : kBetOptions)
        ui.betOption(option)->setEnabled(isOfferedAfterRound(option, m_money));
    m_phase = Phase::Betting;
    focusRestingControl();
    if (isGameOver(m_money))
        endGame();
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
