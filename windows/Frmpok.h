#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/SlotCards.h"
#include "table/SeatLink.h"
#include "table/TableController.h"
#include "table/TableView.h"
#include "toolkit/GameWindow.h"
#include "windows/TableControls.h"

#include <array>
#include <deque>
#include <memory>
#include <utility>
#include <vector>

class ChatPanel;
class TableLine;
class TurnClock;
class QLabel;
class OddsAdvisor;

// The Pok Deng table: the user against the dealer, beside two computer seats, for baht. A round
// runs from a click on a bet option to the outcome message box; the table then waits for the
// next bet. The window is a view of a table controller: it sends the user's choices to it and
// shows what it is told, sliding the cards it names and showing the outcome. The user's three
// cards are face up, every other card shows its back until the reveal.
//
// The window sees the table from its own seat, which it shows in the user's place: a person in
// ขา 1 sees their cards where the user's are, and the user's seat in ขา 1's place.
class Frmpok final : public GameWindow, public table::TableView
{
    Q_OBJECT
public:
    // A table of its own, for the user alone: random deals the cards and flips the seats' coins;
    // nullptr takes the game's own source.
    explicit Frmpok(QWidget *parent = nullptr, cards::RandomSource *random = nullptr);
    // A view of a table that others share, from seat through link; whoever delivers the table's
    // events calls tell(). The window takes them on a later turn of the event loop, so that its
    // slides and boxes never hold the table.
    Frmpok(table::SeatLink &link, int seat, QWidget *parent = nullptr);
    // Ends the table's session in the play history.
    ~Frmpok() override;

    // The phases of the table. Betting, UserTurn and GameOver wait for the user; Dealing and
    // Resolving run straight through (but for the outcome message box).
    enum class Phase { Betting, Dealing, UserTurn, Resolving, GameOver };

    Phase phase() const { return m_phase; }
    double money() const { return m_money; }
    double bet() const { return m_bet; }
    double recordMoney() const { return m_recordMoney; }
    // The cards and points of the round in play at the window's own table, or of the last one
    // once it is over; empty cards and 0 points before the first round.
    const pokdeng::SlotCards &cards() const;
    int points(int seat) const;
    // The seat the window sees the table from.
    int seat() const { return m_seat; }
    // At a table others share: the chat under the table (null at the window's own table), and a
    // line about the table above it (where it is hosted, its join code), with a button that copies
    // toCopy when that is given.
    ChatPanel *chatPanel() const { return m_chat; }
    TurnClock *turnClock() const { return m_turnClock; }
    void showTableLine(const QString &line, const QString &toCopy = {});

    // What the table tells the window, taken one event at a time and in order.
    void tell(std::uint64_t step, const table::Event &event) override;
    // The table refused the window's last action: a refused bet is offered again. why, when
    // given, is said in place of the refusal's own reason.
    void refused(table::Refusal refusal, const QString &why = {});
    // The shared table is gone for this window (its host closed it, or it could not be reached
    // again): why is shown in the table line, the table's controls are withdrawn, the window
    // may close at once, and nothing the table tells it any more is shown.
    void tableEnded(const QString &why);

protected:
    bool canClose() const override;
    // At the user's turn the first turn button shown; between rounds the bet of the last round
    // when it is still on offer, else the first one on offer from the top. Never the name box:
    // the user goes there by Tab or a click.
    void focusRestingControl() override;

private:
    void buildMenu();
    void Form_Load();
    void clearForBets();

    void build();
    void takeEvents();
    void takeEvent(std::uint64_t step, const table::Event &event);
    void shown(std::uint64_t step);
    void act(const table::Action &action);

    void chooseBet(pokdeng::BetOption option);
    void cardOut(std::uint64_t step, const table::CardOut &card);
    void seatDecided(const table::SeatDecided &decision);
    void showStatus(const table::StatusShown &shown);
    void showFaces(const table::CardsRevealed &revealed);
    void handSettled(const table::HandSettled &hand);
    void showOutcome(std::uint64_t step, const table::OutcomeShown &outcome);
    void nextRound(const table::BetsOpen &bets);
    void offerBets();
    void showSeatLabels();
    void seatChanged(const table::SeatChanged &seat);
    // The line under the table that tells the person they are away.
    void showAway(bool away);
    // Tells screen readers what another person at the table did.
    void sayOfPerson(int seat, const QString &sentence);
    // Tells screen readers the seat's cards on the table, the third once it is drawn.
    void sayHand(int seat);
    void Cmdreq_Click();
    void cmdnoreq_Click();
    void endGame();
    // Where the window shows a slot or seat of the table: its own seat in the user's place.
    int placeOfSeat(int seat) const;
    int placeOfSlot(int slot) const;
    void Cmdname_Click();
    void mnupoint_Click();
    void mnuabout_Click();

    CardPicture *slot(int k) const { return ui.Imgpl[k - 1]; }
    void setSaveControlsVisible(bool visible);
    void keepFocusOnTable(QWidget *to);
    void showMoney();

    // The window's own table, when it has one, and the way to the table it shows.
    std::unique_ptr<table::TableController> m_ownTable;
    std::unique_ptr<table::LocalSeat> m_ownSeat;
    table::SeatLink *m_link = nullptr;
    int m_seat = pokdeng::kUserSeat;
    // Events told and not taken yet; whether they are taken at once (the window's own table)
    // or on a later turn of the event loop.
    std::deque<std::pair<std::uint64_t, table::Event>> m_inbox;
    bool m_takingEvents = false;
    bool m_takesAtOnce = true;
    TableControls ui;
    OddsAdvisor *m_advisor = nullptr;

    // The table state: what lasts from one round to the next while the window is open.
    double m_recordMoney = 0;
    double m_money = pokdeng::kStartingMoney;
    double m_bet = 500;
    pokdeng::BetOption m_lastBet = pokdeng::BetOption::Thousand;
    // Once a pok has shown its cards, the stand button keeps saying so for the life of the table.
    bool m_standShowsCards = false;
    // Whether the save controls are offered: the money beats the record.
    bool m_saveOffered = false;
    Phase m_phase = Phase::Betting;
    // What the window has been told of the round in play: the faces it has seen, by slot, and
    // which seats took a third card.
    pokdeng::SlotCards m_seen;
    std::array<bool, 5> m_drew {};
    bool m_lastSeatsThirdOut = false;
    std::vector<pokdeng::BetOption> m_offered;
    // Who the other people at the table are, by seat (empty for the computer), whether each is
    // connected, and whether each is away.
    std::array<QString, 4> m_names {};
    std::array<bool, 4> m_present {};
    std::array<bool, 4> m_away {};
    QLabel *m_awayLine = nullptr;
    ChatPanel *m_chat = nullptr;
    TableLine *m_tableLine = nullptr;
    TurnClock *m_turnClock = nullptr;
};
