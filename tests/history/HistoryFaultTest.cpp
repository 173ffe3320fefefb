// A history file the game cannot use: it says why, answers as if the history were empty, and
// never loses or overwrites what it cannot read. As root a chmod stops no write, so the read-only
// folder is a read-only view mounted over it, and the full disk a tiny tmpfs.
#include "history/HistoryStore.h"

#include "HistoryFixtures.h"
#include "support/TemporaryMount.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>
#include <unistd.h>

using namespace pokdeng;
using Scope = HistoryStore::Scope;
using Trouble = HistoryStore::Trouble;

namespace {

class HistoryFault : public ::testing::Test
{
protected:
    QString folder() const { return m_folder.path(); }
    QString path() const { return m_folder.filePath(QStringLiteral("history.sqlite")); }

    static PlayedRound round(std::int64_t atMs, double before = 10000)
    {
        return playedRound(atMs, 1000, before, 1000, playedHand("4H 5D", kPokNine, "ป๊อก 9"),
                           playedHand("2S 4D", 6, "6แต้ม"));
    }

    // A history of n rounds at path, closed again.
    void keepRounds(const QString &at, int n)
    {
        HistoryStore store(at);
        store.beginSession(10000, 1);
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(store.record(round(100 + i, 10000 + 1000 * i)));
    }

    static QByteArray bytesOf(const QString &file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // Whatever the trouble, the store answers as if the history were empty.
    static void expectEmptyAnswers(HistoryStore &store)
    {
        EXPECT_EQ(store.figures(Scope::AllTime), HistoryFigures {});
        EXPECT_TRUE(store.moneySeries(Scope::AllTime).money.empty());
        EXPECT_TRUE(store.latestRounds(Scope::AllTime, 50).empty());
        EXPECT_FALSE(store.clear());
    }

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(HistoryFault, AFileThatIsNoDatabaseIsSetAsideAndANewHistoryBegun)
{
    QByteArray garbage(6000, '\0');
    std::mt19937 random(13);
    for (char &byte : garbage)
        byte = static_cast<char>(random());
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(garbage);
    }

    HistoryStore store(path());
    ASSERT_TRUE(store.record(round(100)));
    EXPECT_EQ(store.trouble(), Trouble::None);
    ASSERT_FALSE(store.setAsidePath().isEmpty());
    EXPECT_TRUE(store.setAsidePath().startsWith(path() + QStringLiteral(".unreadable-")))
        << store.setAsidePath().toStdString();
    EXPECT_EQ(bytesOf(store.setAsidePath()), garbage) << "set aside byte for byte";
    EXPECT_EQ(store.roundCount(Scope::AllTime), 1);
    EXPECT_EQ(Peek(path()).value(QStringLiteral("PRAGMA integrity_check")).toString(),
              QStringLiteral("ok"));
}

TEST_F(HistoryFault, AFolderThatCannotBeMade)
{
    // Where the folder should be lies a file: not even root can make the folder.
    const QString blocker = folder() + QStringLiteral("/data");
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mine");
    }
    HistoryStore store(blocker + QStringLiteral("/history.sqlite"));
    EXPECT_FALSE(store.record(round(100)));
    EXPECT_EQ(store.trouble(), Trouble::CannotWrite);
    EXPECT_EQ(store.troublePath(), blocker);
    expectEmptyAnswers(store);
    EXPECT_FALSE(store.record(round(101))) << "tried again, still in vain";
    EXPECT_EQ(bytesOf(blocker), QByteArray("mine"));
}

TEST_F(HistoryFault, AReadOnlyFolderKeepsItsHistoryUntouched)
{
    const QString data = folder() + QStringLiteral("/data");
    ASSERT_TRUE(QDir().mkpath(data));
    const QString at = data + QStringLiteral("/history.sqlite");
    keepRounds(at, 3);
    const QByteArray before = bytesOf(at);
    ASSERT_FALSE(before.isEmpty());

    std::optional<TemporaryMount> readOnly;
    if (geteuid() == 0) {
        readOnly.emplace(TemporaryMount::ReadOnlyView, data);
        if (!readOnly->isMounted())
            GTEST_SKIP() << "root may not mount here, and a folder's mode does not stop root";
    } else {
        ASSERT_EQ(chmod(QFile::encodeName(data).constData(), 0555), 0);
    }

    {
        HistoryStore store(at);
        store.beginSession(10000, 1000);
        EXPECT_FALSE(store.record(round(1001)));
        EXPECT_EQ(store.trouble(), Trouble::CannotWrite) << store.troubleDetail().toStdString();
        EXPECT_FALSE(store.record(round(1002)));
    }
    EXPECT_EQ(bytesOf(at), before);
    EXPECT_EQ(QDir(data).entryList(QDir::Files), QStringList { QStringLiteral("history.sqlite") });

    readOnly.reset();
    chmod(QFile::encodeName(data).constData(), 0755);
    HistoryStore writable(at);
    EXPECT_EQ(writable.roundCount(Scope::AllTime), 3) << "the history it could not write is whole";
}

TEST_F(HistoryFault, AFileOfANewerGameIsNeverTouched)
{
    {
        const Peek newer(path());
        ASSERT_TRUE(newer.exec(QStringLiteral("CREATE TABLE rounds (everything BLOB)")));
        ASSERT_TRUE(newer.exec(QStringLiteral("INSERT INTO rounds VALUES (x'0102')")));
        ASSERT_TRUE(newer.exec(QStringLiteral("PRAGMA user_version = 99")));
    }
    const QByteArray before = bytesOf(path());

    HistoryStore store(path());
    store.beginSession(10000, 1000);
    EXPECT_FALSE(store.record(round(1001)));
    EXPECT_EQ(store.trouble(), Trouble::NewerVersion);
    EXPECT_TRUE(HistoryStore::isLasting(store.trouble()));
    EXPECT_FALSE(store.open());
    expectEmptyAnswers(store);
    EXPECT_EQ(bytesOf(path()), before);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files),
              QStringList { QStringLiteral("history.sqlite") });
}

// Another copy of the game holding the file's write lock far longer than a round takes (hung
// in the middle of a write): the round is given up, and the next one after the lock is gone is
// kept.
TEST_F(HistoryFault, ALockHeldByAnotherCopy)
{
    HistoryStore store(path());
    store.beginSession(10000, 1000);
    ASSERT_TRUE(store.record(round(1001)));

    {
        const Peek other(path());
        ASSERT_TRUE(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
        ASSERT_TRUE(other.exec(QStringLiteral("DELETE FROM rounds")));
        EXPECT_FALSE(store.record(round(1002, 11000)));
        EXPECT_EQ(store.trouble(), Trouble::Locked) << store.troubleDetail().toStdString();
        EXPECT_FALSE(HistoryStore::isLasting(store.trouble()));
        ASSERT_TRUE(other.exec(QStringLiteral("ROLLBACK")));
    }
    EXPECT_TRUE(store.record(round(1003, 11000)));
    EXPECT_EQ(store.trouble(), Trouble::None);
    EXPECT_EQ(store.moneySeries(Scope::ThisSession).money,
              (std::vector<double> { 10000, 11000, 12000 }));
}

TEST_F(HistoryFault, AFullDiskLosesOnlyTheRoundsItRefused)
{
    const QString data = folder() + QStringLiteral("/data");
    ASSERT_TRUE(QDir().mkpath(data));
    const TemporaryMount disk(TemporaryMount::SmallTmpfs, data, "size=256k,mode=0755");
    if (!disk.isMounted())
        GTEST_SKIP() << "a full disk is made with a tmpfs mount, which this machine refuses";

    HistoryStore store(data + QStringLiteral("/history.sqlite"));
    store.beginSession(10000, 1000);
    ASSERT_TRUE(store.record(round(1001)));
    // Fill what is left of the disk.
    QFile filler(data + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size()) { }
    filler.close();

    // The log keeps a little room of its own; it fills within a few hundred rounds.
    int kept = 1;
    bool refused = false;
    for (int i = 0; i < 2000 && !refused; ++i) {
        if (store.record(round(1002 + i, 10000 + 1000 * kept)))
            ++kept;
        else
            refused = true;
    }
    ASSERT_TRUE(refused);
    RecordProperty("rounds_kept_on_the_full_disk", kept);
    EXPECT_EQ(store.trouble(), Trouble::DiskFull) << store.troubleDetail().toStdString();
    EXPECT_FALSE(HistoryStore::isLasting(store.trouble()));

    ASSERT_TRUE(filler.remove());
    EXPECT_TRUE(store.record(round(9000, 10000 + 1000 * kept)));
    EXPECT_EQ(store.roundCount(Scope::AllTime), kept + 1);
    EXPECT_EQ(Peek(store.path()).value(QStringLiteral("PRAGMA integrity_check")).toString(),
              QStringLiteral("ok"));
}

namespace {

// Random bytes over one page of the file: the page with the given number from the start (a
// negative one counts from the end).
void scramblePage(const QString &file, int page)
{
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::ReadWrite));
    const qint64 pages = out.size() / 4096;
    ASSERT_GT(pages, 4);
    std::mt19937 random(static_cast<unsigned>(pages + page));
    QByteArray noise(4096, '\0');
    for (char &byte : noise)
        byte = static_cast<char>(random());
    ASSERT_TRUE(out.seek(4096 * (page >= 0 ? page : pages + page)));
    ASSERT_EQ(out.write(noise), noise.size());
}

} // namespace

// A damaged file, or one holding what the game did not make (which would run when the game
// writes: a trigger that drops or deletes rounds, a view in place of a table), is found when the
// history opens: the first look already sees a new, empty history, the file is set aside byte for
// byte, and every round from then on is kept in the new history.
TEST_F(HistoryFault, ADamagedOrForeignFileIsSetAsideWhenTheHistoryOpens)
{
    // Statements apart by '|'.
    const auto changed = [](const char *sql) {
        return [sql](const QString &at) {
            const Peek file(at);
            for (const QString &statement : QString::fromLatin1(sql).split(QLatin1Char('|')))
                ASSERT_TRUE(file.exec(statement)) << statement.toStdString();
        };
    };
    struct Case
    {
        const char *name;
        int rounds;
        std::function<void(const QString &)> spoil;
        bool damaged; // or else not the game's
    };
    const Case cases[] = {
        { "random bytes over a page in the middle", 2000,
          [](const QString &at) { scramblePage(at, 20); }, true },
        { "random bytes over the last page", 2000, [](const QString &at) { scramblePage(at, -1); },
          true },
        { "a malformed schema row", 20,
          changed("PRAGMA writable_schema = ON|"
                  "UPDATE sqlite_master SET sql = 'CREATE TABLE rounds (' WHERE name = 'rounds'"),
          true },
        { "a trigger that ignores new rounds", 20,
          changed("CREATE TRIGGER quiet BEFORE INSERT ON rounds BEGIN SELECT RAISE(IGNORE); END"),
          false },
        { "a trigger that deletes other rounds", 20,
          changed("CREATE TRIGGER sweep AFTER INSERT ON rounds BEGIN "
                  "DELETE FROM rounds WHERE id < new.id; END"),
          false },
        { "a view in place of the rounds", 20,
          changed("ALTER TABLE rounds RENAME TO kept|"
                  "CREATE VIEW rounds AS SELECT * FROM kept|"
                  "CREATE TRIGGER drop_it INSTEAD OF INSERT ON rounds BEGIN SELECT 1; END"),
          false },
        { "a table of someone else's", 20, changed("CREATE TABLE notes (text TEXT)"), false },
        { "tables missing", 20, changed("DROP TABLE kind_totals|DROP TABLE run_totals"), false },
        { "a negative version", 0, changed("PRAGMA user_version = -3"), false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString at = folder.filePath(QStringLiteral("history.sqlite"));
        keepRounds(at, c.rounds);
        c.spoil(at);
        const QByteArray before = bytesOf(at);
        ASSERT_FALSE(before.isEmpty());

        HistoryStore store(at);
        EXPECT_EQ(store.roundCount(Scope::AllTime), 0) << store.troubleDetail().toStdString();
        EXPECT_TRUE(store.moneySeries(Scope::AllTime).money.empty());
        ASSERT_FALSE(store.setAsidePath().isEmpty());
        EXPECT_EQ(store.setAsideBecause(),
                  c.damaged ? HistoryStore::SetAside::Damaged : HistoryStore::SetAside::Foreign);
        EXPECT_EQ(bytesOf(store.setAsidePath()), before) << "set aside byte for byte";

        store.beginSession(10000, 1000);
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(store.record(round(1001 + i, 10000 + 1000 * i)));
        EXPECT_EQ(store.trouble(), Trouble::None);
        EXPECT_EQ(store.moneySeries(Scope::AllTime).money,
                  (std::vector<double> { 10000, 11000, 12000, 13000 }));
        const Peek fresh(at);
        EXPECT_EQ(fresh.value(QStringLiteral("PRAGMA integrity_check")).toString(),
                  QStringLiteral("ok"));
        EXPECT_EQ(fresh
                      .value(QStringLiteral("SELECT COUNT(*) FROM sqlite_master "
                                            "WHERE type IN ('trigger', 'view')"))
                      .toInt(),
                  0);
    }
}

// Damage that appears while the game runs is met by the next write: the file is set aside then,
// and the round is kept in a new history.
TEST_F(HistoryFault, DamageFoundLaterSetsTheFileAsideAndKeepsTheRound)
{
    HistoryStore store(path());
    store.beginSession(10000, 1000);
    ASSERT_TRUE(store.record(round(1001)));
    {
        const Peek other(path());
        ASSERT_TRUE(other.exec(QStringLiteral("PRAGMA writable_schema = ON")));
        ASSERT_TRUE(other.exec(QStringLiteral(
            "UPDATE sqlite_master SET sql = 'CREATE TABLE rounds (' WHERE name = 'rounds'")));
        const int cookie = other.value(QStringLiteral("PRAGMA schema_version")).toInt();
        ASSERT_TRUE(other.exec(QStringLiteral("PRAGMA schema_version = %1").arg(cookie + 1)));
    }
    EXPECT_TRUE(store.record(round(1002, 11000))) << store.troubleDetail().toStdString();
    EXPECT_FALSE(store.setAsidePath().isEmpty());
    EXPECT_TRUE(QFile::exists(store.setAsidePath()));
    EXPECT_TRUE(store.record(round(1003, 12000)));
    EXPECT_EQ(store.roundCount(Scope::AllTime), 2);
}

// A link where the file should be may lead anywhere, even into another folder before anything
// is there: the game refuses it and touches nothing, neither the link nor where it leads.
TEST_F(HistoryFault, ALinkInPlaceOfTheFileIsRefused)
{
    const QString elsewhere = folder() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    const QString data = folder() + QStringLiteral("/data");
    ASSERT_TRUE(QDir().mkpath(data));
    keepRounds(elsewhere + QStringLiteral("/kept.sqlite"), 3);
    const QByteArray kept = bytesOf(elsewhere + QStringLiteral("/kept.sqlite"));

    const struct
    {
        const char *name;
        QString target;
    } cases[] = {
        { "to a history elsewhere", elsewhere + QStringLiteral("/kept.sqlite") },
        { "dangling into another folder", elsewhere + QStringLiteral("/nothing.sqlite") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString at = data + QStringLiteral("/history.sqlite");
        ASSERT_TRUE(QFile::link(c.target, at));
        {
            HistoryStore store(at);
            store.beginSession(10000, 1000);
            EXPECT_FALSE(store.record(round(1001)));
            EXPECT_EQ(store.trouble(), Trouble::Link);
            EXPECT_TRUE(HistoryStore::isLasting(store.trouble()));
            expectEmptyAnswers(store);
            EXPECT_TRUE(store.setAsidePath().isEmpty());
        }
        EXPECT_EQ(QFileInfo(at).symLinkTarget(), c.target);
        EXPECT_EQ(QDir(data).entryList(QDir::Files | QDir::System),
                  QStringList { QStringLiteral("history.sqlite") });
        EXPECT_EQ(bytesOf(elsewhere + QStringLiteral("/kept.sqlite")), kept);
        EXPECT_EQ(QDir(elsewhere).entryList(QDir::Files),
                  QStringList { QStringLiteral("kept.sqlite") });
        ASSERT_TRUE(QFile::remove(at));
    }
}

// A disk that fills while no copy of the game has the history open: opening needs room for the
// log and its index, and the file system says so as an input or output error.
TEST_F(HistoryFault, AFullDiskUnderAnExistingHistoryIsToldAsFull)
{
    const QString data = folder() + QStringLiteral("/data");
    ASSERT_TRUE(QDir().mkpath(data));
    const TemporaryMount disk(TemporaryMount::SmallTmpfs, data, "size=256k,mode=0755");
    if (!disk.isMounted())
        GTEST_SKIP() << "a full disk is made with a tmpfs mount, which this machine refuses";
    const QString at = data + QStringLiteral("/history.sqlite");
    keepRounds(at, 5);
    const QByteArray before = bytesOf(at);
    QFile filler(data + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size()) { }
    filler.close();

    {
        HistoryStore store(at);
        EXPECT_FALSE(store.record(round(2001)));
        EXPECT_EQ(store.trouble(), Trouble::DiskFull) << store.troubleDetail().toStdString();
        EXPECT_TRUE(store.setAsidePath().isEmpty());
    }
    EXPECT_EQ(bytesOf(at), before);
    ASSERT_TRUE(filler.remove());
    HistoryStore store(at);
    EXPECT_EQ(store.roundCount(Scope::AllTime), 5);
}

// Bringing an old history up to date reads every round: the store says it is busy meanwhile, so
// the table can show that it works. An up-to-date history opens without a word.
TEST_F(HistoryFault, AnUpgradeSaysItIsBusy)
{
    {
        const Peek old(path());
        ASSERT_TRUE(old.exec(QStringLiteral(
            "CREATE TABLE sessions (id INTEGER PRIMARY KEY, started_at INTEGER NOT NULL,"
            " ended_at INTEGER NOT NULL, start_money REAL NOT NULL, end_money REAL NOT NULL)")));
        ASSERT_TRUE(old.exec(QStringLiteral(
            "CREATE TABLE rounds (id INTEGER PRIMARY KEY,"
            " session_id INTEGER NOT NULL REFERENCES sessions(id),"
            " played_at INTEGER NOT NULL, stake REAL NOT NULL, user_cards TEXT NOT NULL,"
            " user_kind INTEGER NOT NULL, user_multiplier INTEGER NOT NULL,"
            " user_label TEXT NOT NULL, dealer_cards TEXT NOT NULL,"
            " dealer_kind INTEGER NOT NULL, dealer_multiplier INTEGER NOT NULL,"
            " dealer_label TEXT NOT NULL, outcome INTEGER NOT NULL,"
            " money_change REAL NOT NULL, money_after REAL NOT NULL)")));
        ASSERT_TRUE(old.exec(QStringLiteral("PRAGMA user_version = 1")));
    }
    std::vector<bool> told;
    {
        HistoryStore store(path());
        store.setBusyHandler([&told](bool busy) { told.push_back(busy); });
        ASSERT_TRUE(store.open()) << store.troubleDetail().toStdString();
        EXPECT_TRUE(store.setAsidePath().isEmpty()) << "an old history is the game's own";
    }
    EXPECT_EQ(told, (std::vector<bool> { true, false }));
    told.clear();
    HistoryStore again(path());
    again.setBusyHandler([&told](bool busy) { told.push_back(busy); });
    ASSERT_TRUE(again.open());
    EXPECT_TRUE(told.empty());
}
