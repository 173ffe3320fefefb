#pragma once

#include "history/HistoryStore.h"

#include <QObject>
#include <QString>

class QWidget;

// The play history as the table uses it: the store of the program's rounds, opened on first use,
// and what the user is told when it cannot be kept. The table makes three calls:
//
//   beginSession(money)          each time the table is loaded, with the money it starts from;
//                                the database is opened as soon as the event loop turns (while
//                                the user picks a bet), so the first round does not wait for it
//   record(table, round)         in the settlement, after the money has changed and before
//                                the outcome box: the round is committed when it returns
//   endSession()                 when the table closes
//
// and its menu opens showStatistics(table). A history that cannot be kept never stops the game:
// the first time a round cannot be recorded the user is told once, in Thai, why (a message box
// over the table); later rounds are tried again in silence.
class PlayHistory
{
public:
    // The history in the database at path.
    explicit PlayHistory(const QString &databasePath);

    // The program's history (the user's data folder) unless a test installed another. Needs the
    // application object; the program's history is closed when that object goes.
    static PlayHistory &instance();
    // Puts history in place (nullptr restores the program's own). The caller keeps ownership.
    static void install(PlayHistory *history);

    void beginSession(double money);
    // Stamps the round with the time now unless it has one, and records it. Returns whether it
    // is kept.
    bool record(QWidget *parent, pokdeng::PlayedRound round);
    void endSession();

    // Opens "ประวัติการเล่น" over parent and waits until it is closed. When the history cannot
    // be read, says why instead (every time: the user asked).
    void showStatistics(QWidget *parent);

    HistoryStore &store() { return m_store; }

private:
    // Tells once that the file was set aside, when it was.
    void tellSetAside(QWidget *parent);

    HistoryStore m_store;
    QObject m_openingContext; // ends a pending opening with the history
    bool m_toldTrouble = false;
    bool m_toldSetAside = false;
};
