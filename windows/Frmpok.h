#pragma once

#include "rules/Bets.h"
#include "rules/RandomSource.h"
#include "rules/SlotCards.h"
#include "toolkit/GameWindow.h"

#include <array>

class FittedLabel;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The Pok Deng table: the user against the dealer, beside two computer seats, for baht. A round
// runs from a click on a bet option to the outcome message box; the table then waits for the
// next bet. Cards are dealt by the rulebook from the given random source and slide out of the
// pack; the user's three cards are face up, every other card shows its back until the reveal.
class Frmpok final : public GameWindow
{
    Q_OBJECT
public:
    // random deals the cards and flips the seats' coins; nullptr takes the game's own source.
    explicit Frmpok(QWidget *parent = nullptr, pokdeng::RandomSource *random = nullptr);

    // The phases of a round. Betting, UserTurn and GameOver wait for the user; Dealing and
    // Resolving run straight through (but for the outcome message box).
    enum class Phase { Betting, Dealing, UserTurn, Resolving, GameOver };

    Phase phase() const { return m_phase; }
    double money() const { return m_money; }
    double bet() const { return m_bet; }
    double recordMoney() const { return m_recordMoney; }
    const pokdeng::SlotCards &cards() const { return m_cards; }
    int points(int seat) const;

protected:
    bool canClose() const override;

private:
    void buildControls();
    void buildMenu();
    void formLoad();
    void clearForBets();

    void chooseBet(pokdeng::BetOption option);
    void startRound();
    void deal();
    void showBacks();
    void showFaces();
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
    void Cmdname_Click();
    void mnupoint_Click();
    void mnuabout_Click();

    QLabel *slot(int k) const { return m_Imgpl[k - 1]; }
    QRadioButton *optionButton(pokdeng::BetOption option) const;
    bool userDrew() const;
    void setSaveControlsVisible(bool visible);
    void showMoney();

    pokdeng::RandomSource &m_random;

    // The table state.
    double m_recordMoney = 0;
    pokdeng::SlotCards m_cards;
    double m_money = pokdeng::kStartingMoney;
    double m_bet = 500;
    std::array<int, 4> m_points {};
    Phase m_phase = Phase::Betting;

    // Controls, named as in the table's design.
    std::array<QLabel *, 12> m_Imgpl {};
    QLabel *Image1 = nullptr; // the pack
    FittedLabel *Lblpl1 = nullptr; // the dealer's seat label
    FittedLabel *Lblpl2 = nullptr; // the first seat's
    FittedLabel *Lblpl3 = nullptr; // the last seat's
    std::array<FittedLabel *, 2> lblresult {}; // the user's and the dealer's hand
    QLabel *Label1 = nullptr;
    QLabel *Lblmoney = nullptr;
    QLabel *Lblname = nullptr;
    QLineEdit *txtname = nullptr;
    QPushButton *Cmdname = nullptr;
    QPushButton *Cmdreq = nullptr;
    QPushButton *cmdnoreq = nullptr;
    QRadioButton *Opt500 = nullptr;
    QRadioButton *Opt1000 = nullptr;
    QRadioButton *Opt5000 = nullptr;
    QRadioButton *Opt10000 = nullptr;
    QRadioButton *Optall = nullptr;
    QRadioButton *Option2 = nullptr;
    QButtonGroup *m_betGroup = nullptr;
};
