#pragma once

#include "history/HistoryConnection.h"
#include "history/HistoryFigures.h"
#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"
#include "rules/pokdeng/PlayedRound.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The play history as the windows use it: every settled round and every table session, in an
// SQLite database of its own (never the score file), opened on first use. The opening and its
// trouble are HistoryConnection's, the writing HistoryWriter's, the reading HistoryReader's; see
// them for what each call needs and answers.
//
// Nothing here fails loudly: when the file cannot be used the store says why (trouble()) and
// every call answers as if the history were empty, so the game plays on. One store per database
// connection; use from one thread.
class HistoryStore
{
public:
    using Trouble = HistoryConnection::Trouble;
    using SetAside = HistoryConnection::SetAside;
    using Scope = HistoryScope;

    // Whether the history stays off for the rest of the run after this trouble.
    static bool isLasting(Trouble trouble) { return HistoryConnection::isLasting(trouble); }

    // The database file at path; its folder is made when needed. Nothing is opened yet.
    explicit HistoryStore(const QString &path);
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // "history.sqlite" in the user's data folder for this program.
    static QString defaultPath() { return HistoryConnection::defaultPath(); }
    QString path() const { return m_connection.path(); }

    // Opens the database when it is not open yet; see HistoryConnection::open().
    bool open() { return m_connection.open(); }
    bool isOpen() const { return m_connection.isOpen(); }

    // The trouble the last open, write or read met (None once one succeeds again).
    Trouble trouble() const { return m_connection.trouble(); }
    QString troubleDetail() const { return m_connection.troubleDetail(); }
    // SQLite's primary result code behind the trouble; -1 when it did not come from SQLite.
    int troubleCode() const { return m_connection.troubleCode(); }
    QString troublePath() const { return m_connection.troublePath(); }
    // Where an unreadable file was moved before a new history was begun; empty when never.
    QString setAsidePath() const { return m_connection.setAsidePath(); }
    SetAside setAsideBecause() const { return m_connection.setAsideBecause(); }
    // Called with true before work that may take seconds, and with false after it.
    void setBusyHandler(std::function<void(bool busy)> handler)
    {
        m_connection.setBusyHandler(std::move(handler));
    }

    // See HistoryWriter: a table opens, a round is recorded (returns whether it is stored), the
    // table closes, and the table's row once its first round is stored.
    void beginSession(double money, qint64 atMs) { m_writer.beginSession(money, atMs); }
    bool record(const pokdeng::PlayedRound &round) { return m_writer.record(round); }
    void endSession(qint64 atMs) { m_writer.endSession(atMs); }
    std::optional<qint64> sessionId() const { return m_writer.sessionId(); }

    // See HistoryReader: what is read of every round or of this table's, empty when the history
    // cannot be read or holds what the game never writes (the file is then set aside).
    HistoryFigures figures(Scope scope) { return m_reader.figures(scope); }
    MoneySeries moneySeries(Scope scope) { return m_reader.moneySeries(scope); }
    std::vector<pokdeng::PlayedRound> latestRounds(Scope scope, int count)
    {
        return m_reader.latestRounds(scope, count);
    }
    qint64 roundCount(Scope scope) { return m_reader.roundCount(scope); }

    // Deletes every round and session, of every copy of the game. Returns whether the history is
    // now empty.
    bool clear() { return m_writer.clear(); }

private:
    // The connection first: the writer and the reader use it until they go.
    HistoryConnection m_connection;
    HistoryWriter m_writer;
    HistoryReader m_reader;
};
