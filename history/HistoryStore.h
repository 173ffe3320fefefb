#pragma once

#include "history/HistoryFigures.h"
#include "rules/PlayedRound.h"

#include <QString>

class QSqlDatabase;
class QSqlError;

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The play history: every settled round and every table session, in an SQLite database of its
// own (never the score file). The database is opened on first use, not before, and every round
// is committed in one transaction before record() returns; in WAL mode with synchronous=NORMAL a
// committed round survives the process being killed (though not the machine losing power).
//
// Nothing here fails loudly: when the file cannot be used the store says why (trouble()) and
// every call answers as if the history were empty, so the game plays on. A file that is not a
// database is set aside under a name of its own and a new history begun; a file written by a
// newer game is never touched. One store per database connection; use from one thread.
class HistoryStore
{
public:
    enum class Trouble {
        None,
        CannotWrite, // the folder or the file cannot be written (troublePath() names it)
        Unreadable, // the file is damaged and could not be set aside: left as it is
        NewerVersion, // written by a newer game: left as it is
        Locked, // another copy of the game holds the file too long
        DiskFull,
        Link, // the file is a symbolic link, which may lead anywhere: left as it is
        InputOutput, // the file system could not read or write the file
        NoDriver, // Qt's SQLite driver is not installed
        Failed, // anything else; troubleCode() has the database's number for it
    };
    // Whether the history stays off for the rest of the run after this trouble. The others are
    // tried again at the next round.
    static bool isLasting(Trouble trouble)
    {
        return trouble == Trouble::Unreadable || trouble == Trouble::NewerVersion
            || trouble == Trouble::Link || trouble == Trouble::NoDriver;
    }
    // Why a file was set aside: damaged, or holding what the game never makes (triggers, views,
    // tables of its own), which would run or be read in place of the game's.
    enum class SetAside { Damaged, Foreign };

    enum class Scope { AllTime, ThisSession };

    // The database file at path; its folder is made when needed. Nothing is opened yet.
    explicit HistoryStore(const QString &path);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // "history.sqlite" in the user's data folder for this program.
    static QString defaultPath();
    QString path() const { return m_path; }

    // Opens the database when it is not open yet, making or upgrading its tables. Returns
    // whether it is open; a lasting trouble makes every later call answer false at once.
    bool open();
    bool isOpen() const;

    // The trouble the last open or write met (None once one succeeds again), with the
    // database's own words and the file or folder it concerns.
    Trouble trouble() const { return m_trouble; }
    QString troubleDetail() const { return m_troubleDetail; }
    // SQLite's primary result code behind the trouble; -1 when it did not come from SQLite.
    int troubleCode() const { return m_troubleCode; }
    QString troublePath() const { return m_troublePath; }
    // Where an unreadable file found at path() was moved before a new history was begun in its
    // place; empty when that never happened.
    QString setAsidePath() const { return m_setAsidePath; }
    SetAside setAsideBecause() const { return m_setAsideBecause; }

    // Called with true before work that may take seconds (checking a large file, bringing an old
    // one up to date), and with false after it.
    void setBusyHandler(std::function<void(bool busy)> handler) { m_busy = std::move(handler); }

    // A table opens with money at the time given (ms since 1970 UTC). Nothing is written until
    // its first round. A session left open ends where its last round ended.
    void beginSession(double money, qint64 atMs);
    // Records a settled round (its time must be stamped) in the current session, in one
    // transaction with the session's end and money; without beginSession() a session starting
    // from the round's money before it is begun. Returns whether the round is stored.
    bool record(const pokdeng::PlayedRound &round);
    // The table closes: the session's end time is written when it has rounds.
    void endSession(qint64 atMs);
    // The session's row once its first round is stored.
    std::optional<qint64> sessionId() const { return m_sessionId; }

    // The figures of every round stored, or of this session's.
    //
    // What is read is checked against what the game writes: counts whole and not below 0, money
    // a number within bounds, texts no longer than a hand's. A file holding anything else is
    // damaged: it is set aside (see damaged()) and the call answers as if the history were empty.
    HistoryFigures figures(Scope scope);
    // The user's money over the rounds of the scope, table by table: each table's money before
    // its first round, then after each of its rounds. Empty when there is no round.
    MoneySeries moneySeries(Scope scope);
    // The last count rounds of the scope, newest first.
    std::vector<pokdeng::PlayedRound> latestRounds(Scope scope, int count);
    qint64 roundCount(Scope scope);

    // Deletes every round and session, of every copy of the game. The current table goes on as
    // a new session from its next round. Returns whether the history is now empty.
    bool clear();

private:
    struct Connection;

    enum class Opening { Ready, Damaged, Foreign, Newer, NoDriver, NotWal, Failed };

    bool openConnection(bool maySetAside);
    // Opens m_connection's database and readies it; error says why when it fails.
    Opening connect(QSqlError &error);
    // Readies a file found sound for writing and reading, bringing its tables up to date.
    Opening ready(QSqlDatabase &db, QSqlError &error);
    void closeConnection();
    bool setAside(SetAside because);
    bool fail(Trouble trouble, const QString &detail, const QString &path = QString());
    bool fail(const QSqlError &error);
    bool recordOnce(const pokdeng::PlayedRound &round);
    // Writes the round and its session's row inside the open transaction; error says why not.
    bool writeRound(const pokdeng::PlayedRound &round, QSqlError &error);
    // Damage met once the file is open, by SQLite or in values the game never writes (named by
    // their table): the file is set aside as damaged and the next use begins a new history. The
    // call that met it fails; trouble() stays None unless the file could not be moved.
    void damaged(const QString &what);
    // The WHERE clause that picks the scope's rounds; nothing when the scope has none.
    std::optional<QString> scopeFilter(Scope scope) const;

    QString m_path;
    std::unique_ptr<Connection> m_connection;
    Trouble m_trouble = Trouble::None;
    QString m_troubleDetail;
    QString m_troublePath;
    QString m_setAsidePath;
    SetAside m_setAsideBecause = SetAside::Damaged;
    int m_troubleCode = -1;
    std::function<void(bool)> m_busy;

    // The session the table began: remembered until its first round is stored.
    bool m_sessionBegun = false;
    double m_sessionStartMoney = 0;
    qint64 m_sessionStartMs = 0;
    std::optional<qint64> m_sessionId;
};
