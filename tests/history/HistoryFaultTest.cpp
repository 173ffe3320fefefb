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
