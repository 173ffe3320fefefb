#pragma once

#include "history/HistoryStore.h"

#include "toolkit/FixedDialog.h"

class MoneyChart;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

// "ประวัติการเล่น": the figures of the play history (rounds, wins, ties and losses with their
// shares, results by the user's hand, the most won and lost in a round, the best money, the
// longest run of wins), a chart of the money over the rounds and the last 50 rounds with their
// cards, for this table or for every round kept. "ล้างประวัติ" clears the history once the user
// confirms. Everything is read from the store when the window is made and after each change;
// the store must outlive the window. A history found damaged on the way is said so at the top.
class Frmhistory final : public FixedDialog
{
    Q_OBJECT
public:
    Frmhistory(HistoryStore &store, QWidget *parent = nullptr);

    // How many of the latest rounds the list shows.
    static constexpr int kLatestRounds = 50;

    HistoryStore::Scope scope() const { return m_scope; }
    void setScope(HistoryStore::Scope scope);

private:
    void buildControls();
    void refresh();
    void showFigures(const HistoryFigures &figures);
    void showLatest(const std::vector<pokdeng::PlayedRound> &rounds);
    void cmdClear_Click();

    HistoryStore &m_store;
    HistoryStore::Scope m_scope = HistoryStore::Scope::AllTime;

    QRadioButton *optTable = nullptr;
    QRadioButton *optAll = nullptr;
    QLabel *lblTrouble = nullptr;
    QLabel *lblRounds = nullptr;
    QLabel *lblWon = nullptr;
    QLabel *lblTied = nullptr;
    QLabel *lblLost = nullptr;
    QLabel *lblBiggestWin = nullptr;
    QLabel *lblBiggestLoss = nullptr;
    QLabel *lblBestMoney = nullptr;
    QLabel *lblLongestRun = nullptr;
    QTableWidget *tblKinds = nullptr;
    MoneyChart *chart = nullptr;
    QTableWidget *tblLatest = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdClose = nullptr;
};
