#pragma once

#include "rules/RandomSource.h"
#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/Round.h"
#include "rules/pokdeng/SlotCards.h"
#include "toolkit/GameWindow.h"
#include "windows/TableControls.h"

#include <optional>

class OddsAdvisor;

// The Pok Deng table: the user against the dealer, beside two computer seats, for baht. A round
// runs from a click on a bet option to the outcome message box; the table then waits for the
// next bet. The round itself (the cards, every seat's turn, the settlement) is a Round of the
// rulebook; the table asks it what happens, slides the cards it names and shows the outcome. The
// user's three cards are face up, every other card shows its back until the reveal.
class Frmpok final : public GameWindow
{
    Q_OBJECT
public:
    // random deals the cards and flips the seats' coins; nullptr takes the game's own source.
    explicit Frmpok(QWidget *parent = nullptr, cards::RandomSource *random = nullptr);
    // Ends the table's session in the play history.
    ~Frmpok() override;

    // The phases of the table. Betting, UserTurn and GameOver wait for the user; Dealing and
    // Resolving run straight through (but for the outcome message box).
    enum class Phase { Betting, Dealing, UserTurn, Resolving, GameOver };

    Phase phase() const { return m_phase; }
    double money() const { return m_money; }
    double bet() const { return m_bet; }
    double recordMoney() const { return m_recordMoney; }
    // The cards and points of the round in play, or of the last one once it is over; empty
    // cards and 0 points before the first round.
    const pokdeng::SlotCards &cards() const;
    int points(int seat) const;

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

    void chooseBet(pokdeng::BetOption option);
    void startRound();
    void deal();
    void showBacks();
    void showFaces();
    // Tells screen readers the seat's cards on the table, the third once it is drawn.
    void sayHand(int seat);
    void showCard(int slot, bool face);
    bool slideDeal();
    bool slideThirdCard(int seat);
    bool firstSeatTurn();
    void showUserStatus();
    void Cmdreq_Click();
    void cmdnoreq_Click();
    void finishRound();
    void settle();
    void nextRound();
    void endGame();
    void Cmdname_Click();
    void mnupoint_Click();
    void mnuabout_Click();

    CardPicture *slot(int k) const { return ui.Imgpl[k - 1]; }
    void setSaveControlsVisible(bool visible);
    void keepFocusOnTable(QWidget *to);
    void showMoney();

    cards::RandomSource &m_random;
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
    std::optional<pokdeng::Round> m_round;
};
