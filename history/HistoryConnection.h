#pragma once

#include <QString>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

#include <functional>
#include <memory>
#include <vector>

// The history file and the one SQLite connection to it: finding the file, refusing links,
// checking what it holds before anything is written, bringing an old one up to date, setting a
// damaged or foreign file aside, and the trouble met on the way. The database is opened on first
// use, not before.
//
// Nothing here fails loudly: when the file cannot be used the connection says why (trouble())
// and stays closed. A file that is not a database is set aside under a name of its own and a new
// history begun; a file written by a newer game is never touched. Use from one thread.
class HistoryConnection
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
    // tried again at the next use.
    static bool isLasting(Trouble trouble)
    {
        return trouble == Trouble::Unreadable || trouble == Trouble::NewerVersion
            || trouble == Trouble::Link || trouble == Trouble::NoDriver;
    }
    // Why a file was set aside: damaged, or holding what the game never makes (triggers, views,
    // tables of its own), which would run or be read in place of the game's.
    enum class SetAside { Damaged, Foreign };

    // The database file at path; its folder is made when needed. Nothing is opened yet.
    explicit HistoryConnection(const QString &path);
    ~HistoryConnection();
    HistoryConnection(const HistoryConnection &) = delete;
    HistoryConnection &operator=(const HistoryConnection &) = delete;

    // "history.sqlite" in the user's data folder for this program.
    static QString defaultPath();
    QString path() const { return m_path; }

    // Statements to keep prepared while the connection is open (see prepared()), prepared as it
    // opens: a file on which one cannot be prepared is not opened. Given before the first open().
    void keepPrepared(std::vector<QString> statements);

    // Opens the database when it is not open yet, checking the file and making or upgrading its
    // tables, and setting aside a damaged or foreign file to begin a new one. Returns whether it
    // is open; after a lasting trouble it answers false at once, for good.
    bool open();
    bool isOpen() const;
    // A number for the connection now open that no other connection of this run has had; 0 when
    // none is open. Row ids read on one connection mean nothing once it is gone.
    int serial() const;
    // The open connection's database; an invalid one when it is not open.
    QSqlDatabase database() const;
    // The statement keepPrepared() gave at place which, prepared. Needs the connection open.
    QSqlQuery &prepared(std::size_t which);

    // Records the trouble an error of the database means and returns false. Damage reported by
    // SQLite closes the connection and sets the file aside (see damaged()).
    bool fail(const QSqlError &error);
    // Damage met once the file is open, by SQLite or in values the game never writes (what names
    // their table): the file is set aside as damaged and the next open() begins a new history.
    // trouble() is None afterwards unless the file could not be moved (Unreadable, naming what).
    void damaged(const QString &what);
    // Work on the open file went through: whatever trouble came before is over.
    void succeeded() { m_trouble = Trouble::None; }

    // The trouble the last open or use met (None once one succeeds again), with the database's
    // own words and the file or folder it concerns.
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

private:
    struct Handle;

    enum class Opening { Ready, Damaged, Foreign, Newer, NoDriver, NotWal, Failed };

    bool openConnection(bool maySetAside);
    // Opens m_handle's database and readies it; error says why when it fails.
    Opening connect(QSqlError &error);
    // Readies a file found sound for writing and reading, bringing its tables up to date.
    Opening ready(QSqlDatabase &db, QSqlError &error);
    void close();
    bool setAside(SetAside because);
    bool fail(Trouble trouble, const QString &detail, const QString &path = QString());

    QString m_path;
    std::vector<QString> m_statements;
    std::unique_ptr<Handle> m_handle;
    Trouble m_trouble = Trouble::None;
    QString m_troubleDetail;
    QString m_troublePath;
    QString m_setAsidePath;
    SetAside m_setAsideBecause = SetAside::Damaged;
    int m_troubleCode = -1;
    std::function<void(bool)> m_busy;
};
