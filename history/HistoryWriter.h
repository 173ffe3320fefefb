#pragma once

#include "rules/pokdeng/PlayedRound.h"

#include <QtGlobal>

#include <optional>

class HistoryConnection;
class QSqlError;

// What the history keeps as the table plays: its sessions, and every settled round committed in
// one transaction before record() returns, with the totals the figures read. In WAL mode with
// synchronous=NORMAL a committed round survives the process being killed (though not the machine
// losing power). A write that fails records its trouble in the connection and leaves the history
// as it was; damage met on the way sets the file aside and the round goes into a new history.
class HistoryWriter
{
public:
    // Writes through connection, which must outlive the writer; its write statements are kept
    // prepared there from the next opening on.
    explicit HistoryWriter(HistoryConnection &connection);
    HistoryWriter(const HistoryWriter &) = delete;
    HistoryWriter &operator=(const HistoryWriter &) = delete;

    // A table opens with money at the time given (ms since 1970 UTC). Nothing is written until
    // its first round. A session left open ends where its last round ended.
    void beginSession(double money, qint64 atMs);
    // Records a settled round (its time must be stamped) in the current session, in one
    // transaction with the session's end and money; without beginSession() a session starting
    // from the round's money before it is begun. Returns whether the round is stored; false when
    // the history cannot be opened or the write failed (the connection then says why).
    bool record(const pokdeng::PlayedRound &round);
    // The table closes: the session's end time is written when it has rounds. A failure is only
    // recorded in the connection; the session is over all the same.
    void endSession(qint64 atMs);
    // The session's row once its first round is stored; nothing before, and nothing once the
    // connection it was written on has closed (its rows belong to that file).
    std::optional<qint64> sessionId() const;

    // Deletes every round and session, of every copy of the game. The current table goes on as
    // a new session from its next round. Returns whether the history is now empty; false when
    // it cannot be opened or the deleting failed (nothing is deleted then).
    bool clear();

private:
    bool recordOnce(const pokdeng::PlayedRound &round);
    // Writes the round and its session's row inside the open transaction; error says why not.
    bool writeRound(const pokdeng::PlayedRound &round, QSqlError &error);

    HistoryConnection &m_connection;

    // The session the table began: remembered until its first round is stored.
    bool m_sessionBegun = false;
    double m_sessionStartMoney = 0;
    qint64 m_sessionStartMs = 0;
    // Its row, and the connection it was written on (HistoryConnection::serial()).
    std::optional<qint64> m_sessionId;
    int m_sessionConnection = 0;
};
