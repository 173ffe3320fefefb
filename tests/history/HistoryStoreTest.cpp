// The play history's database: its tables made and upgraded, rounds kept exactly, the figures of
// a known stretch of play, and clearing.
#include "history/HistoryStore.h"
#include "history/HistorySchema.h"

#include "HistoryFixtures.h"
#include "support/CountedFigures.h"
#include "support/SimulatedPlay.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <span>

using namespace pokdeng;
using Scope = HistoryStore::Scope;

namespace {

class HistoryStoreTest : public ::testing::Test
{
protected:
    QString path() const { return m_folder.filePath(QStringLiteral("data/history.sqlite")); }

    // Two tables. The first: a pok 9 with deng won, a tie, three of a kind won, a loss, then two
    // wins. The second: two wins, then a loss of three stakes and a tie. The longest run of wins,
    // four, spans both tables.
    void playTwoTables(HistoryStore &store)
    {
        store.beginSession(10000, 1000);
        const PlayedHand dealer7 = playedHand("7S 10H", 7, "7แต้ม");
        for (const PlayedRound &round : {
                 playedRound(1001, 1000, 10000, 2000,
                             playedHand("4H 5H", kPokNine, "ป๊อก 9สองเด้ง", 2), dealer7),
                 playedRound(1002, 1000, 12000, 0, playedHand("3C 4D", 7, "7แต้ม"), dealer7),
                 playedRound(1003, 1000, 12000, 5000, playedHand("6S 6H 6D", kTong, "ตอง 6", 5),
                             dealer7),
                 playedRound(1004, 1000, 17000, -1000, playedHand("AC 2D", 3, "3แต้ม"), dealer7),
                 playedRound(1005, 1000, 16000, 1000,
                             playedHand("3S 3H 3D", kThreeCardNine, "9 หลัง"), dealer7),
                 playedRound(1006, 1000, 17000, 1000, playedHand("2C 3D", 5, "5แต้ม"),
                             playedHand("KS QS 3H", 3, "3แต้ม")),
             })
            ASSERT_TRUE(store.record(round));
        store.endSession(1100);
        firstSession = store.sessionId();

        store.beginSession(10000, 2000);
        for (const PlayedRound &round : {
                 playedRound(2001, 1000, 10000, 1000, playedHand("AS 7D", kPokEight, "ป๊อก 8"),
                             playedHand("2S 4D", 6, "6แต้ม")),
                 playedRound(2002, 1000, 11000, 2000, playedHand("2D 3D", 5, "5แต้มสองเด้ง", 2),
                             playedHand("2S 2H AD", 5, "5แต้ม")),
                 playedRound(2003, 1000, 13000, -3000, playedHand("KD 10S QC", kNothing, "บอดสนิท"),
                             playedHand("KH QH JS", kThreeCourtCards, "สามเหลือง", 3)),
                 playedRound(2004, 500.5, 10000, 0, playedHand("AD 5C", 6, "6แต้ม"),
                             playedHand("9D 7C", 6, "6แต้ม")),
             })
            ASSERT_TRUE(store.record(round));
    }

    std::optional<qint64> firstSession;

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(HistoryStoreTest, MakesItsTablesInWalModeOnFirstUseOnly)
{
    HistoryStore store(path());
    EXPECT_FALSE(QFileInfo::exists(path())) << "nothing is made before it is needed";
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.trouble(), HistoryStore::Trouble::None);

    const Peek peek(path());
    EXPECT_EQ(peek.value(QStringLiteral("PRAGMA user_version")).toInt(), kHistorySchemaVersion);
    EXPECT_EQ(peek.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ(peek.value(QStringLiteral("SELECT COUNT(*) FROM sqlite_schema WHERE name IN "
                                        "('sessions', 'rounds', 'rounds_by_session')"))
                  .toInt(),
              3);
}

// A file of the first version, with a table's round in it, as the first game to keep a history
// left it: opening upgrades it and keeps the round.
TEST_F(HistoryStoreTest, UpgradesAFirstVersionFileAndKeepsItsRounds)
{
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).absolutePath()));
        const Peek v1(path());
        for (const char *statement : {
                 "CREATE TABLE sessions (id INTEGER PRIMARY KEY, started_at INTEGER NOT NULL,"
                 " ended_at INTEGER NOT NULL, start_money REAL NOT NULL, end_money REAL NOT NULL)",
                 "CREATE TABLE rounds (id INTEGER PRIMARY KEY,"
                 " session_id INTEGER NOT NULL REFERENCES sessions(id),"
                 " played_at INTEGER NOT NULL, stake REAL NOT NULL, user_cards TEXT NOT NULL,"
                 " user_kind INTEGER NOT NULL, user_multiplier INTEGER NOT NULL,"
                 " user_label TEXT NOT NULL, dealer_cards TEXT NOT NULL,"
                 " dealer_kind INTEGER NOT NULL, dealer_multiplier INTEGER NOT NULL,"
                 " dealer_label TEXT NOT NULL, outcome INTEGER NOT NULL,"
                 " money_change REAL NOT NULL, money_after REAL NOT NULL)",
                 "INSERT INTO sessions VALUES (1, 500, 600, 10000, 15000)",
                 "INSERT INTO rounds VALUES (1, 1, 600, 1000, '6S 6H 6D', 14, 5, 'ตอง 6',"
                 " '9C 8C', 7, 0, '7แต้ม', 1, 5000, 15000)",
                 "PRAGMA user_version = 1",
             })
            ASSERT_TRUE(v1.exec(QString::fromUtf8(statement))) << statement;
    }

    HistoryStore store(path());
    ASSERT_TRUE(store.open());
    const Peek peek(path());
    EXPECT_EQ(peek.value(QStringLiteral("PRAGMA user_version")).toInt(), kHistorySchemaVersion);
    EXPECT_EQ(peek.value(QStringLiteral("SELECT COUNT(*) FROM sqlite_schema WHERE name = "
                                        "'rounds_by_session'"))
                  .toInt(),
              1);

    const PlayedRound kept
        = playedRound(600, 1000, 10000, 5000, playedHand("6S 6H 6D", kTong, "ตอง 6", 5),
                      playedHand("9C 8C", 7, "7แต้ม"));
    EXPECT_EQ(store.latestRounds(Scope::AllTime, 50), std::vector<PlayedRound> { kept });

    // The new table's rounds go on from there, in a session of their own.
    store.beginSession(10000, 700);
    ASSERT_TRUE(store.record(playedRound(701, 1000, 10000, -1000, playedHand("AC 2C", 3, "3แต้ม"),
                                         playedHand("9C 9D", kPokEight, "ป๊อก 8สองเด้ง", 2))));
    EXPECT_EQ(store.sessionId(), 2);
    EXPECT_EQ(store.roundCount(Scope::AllTime), 2);
    EXPECT_EQ(store.roundCount(Scope::ThisSession), 1);
}

// A first-version file holds only rounds: the figures kept beside them are worked out from the
// rounds when the file is upgraded, for every table, and play goes on counting from there.
TEST_F(HistoryStoreTest, UpgradingWorksOutTheFiguresOfTheRoundsAlreadyKept)
{
    std::vector<PlayedRound> played;
    {
        HistoryStore store(path());
        ASSERT_EQ(playIntoHistory(store, 400, 7, 1'765'000'000'000, &played), 400);
    }
    {
        // What the first version left: the same rounds and sessions, nothing else.
        const Peek v1(path());
        for (const char *statement :
             { "DROP TABLE kind_totals", "DROP TABLE run_totals", "DROP INDEX rounds_by_session",
               "ALTER TABLE sessions DROP COLUMN run",
               "ALTER TABLE sessions DROP COLUMN longest_run", "PRAGMA user_version = 1" })
            ASSERT_TRUE(v1.exec(QString::fromLatin1(statement))) << statement;
    }

    HistoryStore store(path());
    EXPECT_EQ(store.figures(Scope::AllTime), countedFigures(played));
    // Each table's longest run of wins, and the run each ended on.
    std::vector<qint64> longest, last;
    qint64 run = 0;
    for (std::size_t i = 0; i < played.size(); ++i) {
        if (i == 0 || isGameOver(played[i - 1].moneyAfter)) {
            longest.push_back(0);
            run = 0;
        }
        run = played[i].outcome == Settlement::Outcome::UserWins ? run + 1 : 0;
        longest.back() = std::max(longest.back(), run);
        if (i + 1 == played.size() || isGameOver(played[i].moneyAfter))
            last.push_back(run);
    }
    ASSERT_GT(longest.size(), 1u) << "the seed must play more than one table";
    const Peek peek(path());
    QSqlQuery rows(peek.database());
    ASSERT_TRUE(rows.exec(QStringLiteral("SELECT longest_run, run FROM sessions ORDER BY id")));
    for (std::size_t table = 0; table < longest.size(); ++table) {
        ASSERT_TRUE(rows.next()) << table;
        EXPECT_EQ(rows.value(0).toLongLong(), longest[table]) << "table " << table;
        EXPECT_EQ(rows.value(1).toLongLong(), last[table]) << "table " << table;
    }

    // The run over all rounds goes on from the last one kept.
    const PlayedRound won
        = playedRound(1'900'000'000'000, 1000, played.back().moneyAfter, 1000,
                      playedHand("4H 5D", kPokNine, "ป๊อก 9"), playedHand("2S 4D", 6, "6แต้ม"));
    played.push_back(won);
    ASSERT_TRUE(store.record(won));
    EXPECT_EQ(store.figures(Scope::AllTime), countedFigures(played));
}

TEST_F(HistoryStoreTest, AStoredRoundReadsBackExactly)
{
    const PlayedRound drew = playedRound(1'765'000'000'123, 500.5, 1001, 1501.5,
                                         playedHand("9H 10H 5H", 4, "4แต้มสามเด้ง", 3),
                                         playedHand("KS KH JD", kKingSian, "เซียน K", 3));
    const PlayedRound stood
        = playedRound(1'765'000'060'000, 1000, 2502.5, -2000, playedHand("QH 7C", 7, "7แต้ม"),
                      playedHand("4D 4S", kPokEight, "ป๊อก 8สองเด้ง", 2));
    {
        HistoryStore store(path());
        ASSERT_TRUE(store.record(drew));
        ASSERT_TRUE(store.record(stood));
    }
    HistoryStore again(path());
    EXPECT_EQ(again.latestRounds(Scope::AllTime, 50), (std::vector<PlayedRound> { stood, drew }));
    EXPECT_EQ(again.latestRounds(Scope::AllTime, 1), std::vector<PlayedRound> { stood });
    EXPECT_TRUE(again.latestRounds(Scope::ThisSession, 50).empty())
        << "a store that began no table has no rounds of its own";
}

TEST_F(HistoryStoreTest, FiguresOfEveryRoundAndOfThisTable)
{
    HistoryStore store(path());
    playTwoTables(store);

    const HistoryFigures all = store.figures(Scope::AllTime);
    EXPECT_EQ(all.outcomes, (OutcomeCounts { 6, 2, 2 }));
    EXPECT_EQ(percentOf(all.outcomes.won, all.outcomes.rounds()), 60);
    EXPECT_EQ(all.biggestWin, 5000);
    EXPECT_EQ(all.biggestLoss, 3000);
    EXPECT_EQ(all.bestMoney, 18000);
    EXPECT_EQ(all.longestWinningRun, 2) << "a run ends with its table";
    const std::vector<KindOutcomes> kinds = {
        { kPokNine, { 1, 0, 0 } }, { kPokEight, { 1, 0, 0 } },
        { kTong, { 1, 0, 0 } },    { kThreeCardNine, { 1, 0, 0 } },
        { 7, { 0, 1, 0 } },        { 6, { 0, 1, 0 } },
        { 5, { 2, 0, 0 } },        { 3, { 0, 0, 1 } },
        { kNothing, { 0, 0, 1 } },
    };
    EXPECT_EQ(all.byUserKind, kinds);
    // The second table starts a line of its own at its own money, not a fall from 18000.
    EXPECT_EQ(store.moneySeries(Scope::AllTime),
              (MoneySeries { { 10000, 12000, 12000, 17000, 16000, 17000, 18000, 10000, 11000, 13000,
                               10000, 10000 },
                             { 7 } }));

    const HistoryFigures table = store.figures(Scope::ThisSession);
    EXPECT_EQ(table.outcomes, (OutcomeCounts { 2, 1, 1 }));
    EXPECT_EQ(table.biggestWin, 2000);
    EXPECT_EQ(table.biggestLoss, 3000);
    EXPECT_EQ(table.bestMoney, 13000);
    EXPECT_EQ(table.longestWinningRun, 2);
    EXPECT_EQ(store.moneySeries(Scope::ThisSession),
              (MoneySeries { { 10000, 11000, 13000, 10000, 10000 }, {} }));
    EXPECT_EQ(store.latestRounds(Scope::ThisSession, 50).size(), 4u);

    // The sessions' rows: where each began and ended, with its money.
    const Peek peek(path());
    EXPECT_EQ(
        peek.value(QStringLiteral("SELECT started_at || ' ' || ended_at || ' ' || "
                                  "start_money || ' ' || end_money FROM sessions WHERE id = %1")
                       .arg(*firstSession))
            .toString(),
        QStringLiteral("1000 1100 10000.0 18000.0"));
    EXPECT_EQ(peek.value(QStringLiteral("SELECT started_at || ' ' || ended_at || ' ' || "
                                        "end_money FROM sessions WHERE id = %1")
                             .arg(*store.sessionId()))
                  .toString(),
              QStringLiteral("2000 2004 10000.0"));
}

TEST_F(HistoryStoreTest, FiguresOfNothingPlayedAreEmpty)
{
    HistoryStore store(path());
    store.beginSession(10000, 1000);
    const HistoryFigures none = store.figures(Scope::AllTime);
    EXPECT_EQ(none, HistoryFigures {});
    EXPECT_FALSE(none.bestMoney.has_value());
    EXPECT_TRUE(store.moneySeries(Scope::ThisSession).money.empty());

    // Only losses and ties: no biggest win, no run.
    ASSERT_TRUE(store.record(playedRound(1001, 1000, 10000, -1000, playedHand("AC 2D", 3, "3แต้ม"),
                                         playedHand("4S 4D", kPokEight, "ป๊อก 8สองเด้ง", 2))));
    const HistoryFigures lost = store.figures(Scope::ThisSession);
    EXPECT_FALSE(lost.biggestWin.has_value());
    EXPECT_EQ(lost.biggestLoss, 1000);
    EXPECT_EQ(lost.longestWinningRun, 0);
    EXPECT_EQ(lost.bestMoney, 10000) << "the money the table started with is money held";
}

TEST_F(HistoryStoreTest, ClearingEmptiesTheHistoryAndTheTableGoesOnAfresh)
{
    HistoryStore store(path());
    playTwoTables(store);
    const std::optional<qint64> tableBefore = store.sessionId();

    ASSERT_TRUE(store.clear());
    EXPECT_EQ(store.roundCount(Scope::AllTime), 0);
    EXPECT_EQ(store.figures(Scope::AllTime), HistoryFigures {});
    EXPECT_TRUE(store.moneySeries(Scope::ThisSession).money.empty());
    EXPECT_EQ(Peek(path()).value(QStringLiteral("SELECT COUNT(*) FROM sessions")).toInt(), 0);

    ASSERT_TRUE(
        store.record(playedRound(3001, 1000, 10000, 1000, playedHand("AS 7D", kPokEight, "ป๊อก 8"),
                                 playedHand("2S 4D", 6, "6แต้ม"))));
    EXPECT_NE(store.sessionId(), tableBefore);
    EXPECT_EQ(store.moneySeries(Scope::ThisSession).money, (std::vector<double> { 10000, 11000 }));
    EXPECT_EQ(store.roundCount(Scope::AllTime), 1);
}

// Another copy of the game cleared the history meanwhile: this table's next round starts a
// session row of its own again instead of pointing at a removed one.
TEST_F(HistoryStoreTest, ATableGoesOnAfterAnotherCopyCleared)
{
    HistoryStore mine(path());
    HistoryStore other(path());
    playTwoTables(mine);
    ASSERT_TRUE(other.clear());

    ASSERT_TRUE(mine.record(playedRound(3001, 1000, 10000, -1000, playedHand("AC 2D", 3, "3แต้ม"),
                                        playedHand("2S 4D", 6, "6แต้ม"))));
    const Peek peek(path());
    EXPECT_EQ(peek.value(QStringLiteral("SELECT COUNT(*) FROM rounds JOIN sessions ON "
                                        "sessions.id = rounds.session_id"))
                  .toInt(),
              1);
    EXPECT_EQ(mine.roundCount(Scope::ThisSession), 1);
}

// Seeded play over several tables: every figure and every point of the chart, of all the rounds
// and of the last table, is what counting the rounds one by one gives.
TEST_F(HistoryStoreTest, FiguresMatchTheRoundsPlayedCountedOneByOne)
{
    HistoryStore store(path());
    std::vector<PlayedRound> played;
    ASSERT_EQ(playIntoHistory(store, 700, 20261210, 1'765'000'000'000, &played), 700);

    // The last table began after the last round that ended a game.
    const auto lastGameOver
        = std::find_if(played.rbegin(), played.rend(),
                       [](const PlayedRound &r) { return isGameOver(r.moneyAfter); });
    ASSERT_NE(lastGameOver, played.rend()) << "the seed must play more than one table";
    const std::span<const PlayedRound> lastTable(lastGameOver.base(), played.end());
    ASSERT_FALSE(lastTable.empty());

    EXPECT_EQ(store.figures(Scope::AllTime), countedFigures(played));
    EXPECT_EQ(store.moneySeries(Scope::AllTime), countedSeries(played));
    EXPECT_EQ(store.figures(Scope::ThisSession), countedFigures(lastTable));
    EXPECT_EQ(store.moneySeries(Scope::ThisSession), countedSeries(lastTable));
    const std::vector<PlayedRound> latest = store.latestRounds(Scope::AllTime, 50);
    EXPECT_TRUE(std::equal(latest.begin(), latest.end(), played.rbegin()));
}

// A file changed by hand or by a fault holds what the game never writes: each is met as a damaged
// file, never as a sum that overflows or money that is no number.
TEST_F(HistoryStoreTest, FiguresTheGameNeverWritesMakeTheFileDamaged)
{
    const struct
    {
        const char *name;
        const char *change;
    } cases[] = {
        { "counts whose sum overflows", "UPDATE kind_totals SET won = 9223372036854775807" },
        { "a count below 0", "UPDATE kind_totals SET lost = -200 WHERE user_kind = 3" },
        { "a count as text", "UPDATE kind_totals SET tied = 'many' WHERE user_kind = 7" },
        { "a count that is no whole number", "UPDATE kind_totals SET won = 1.5" },
        { "a hand kind the game has none of",
          "UPDATE kind_totals SET user_kind = 99 WHERE user_kind = 3" },
        { "best money beyond any game", "UPDATE kind_totals SET best_money = 1e19" },
        { "a longest run below 0", "UPDATE sessions SET longest_run = -3" },
        { "a table's money as text", "UPDATE sessions SET start_money = 'lots'" },
        { "money that is no number", "UPDATE rounds SET money_after = 'nan' WHERE id = 3" },
        { "money beyond any game", "UPDATE rounds SET money_after = 1e19 WHERE id = 2" },
        { "an endless loss", "UPDATE rounds SET money_change = -1e999 WHERE id = 9" },
        { "a stake as text", "UPDATE rounds SET stake = 'x' WHERE id = 10" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        for (const char *suffix : { "", "-wal", "-shm" })
            QFile::remove(path() + QLatin1String(suffix));
        {
            HistoryStore store(path());
            playTwoTables(store);
        }
        ASSERT_TRUE(Peek(path()).exec(QString::fromLatin1(c.change)));

        HistoryStore store(path());
        const HistoryFigures figures = store.figures(Scope::AllTime);
        const MoneySeries series = store.moneySeries(Scope::AllTime);
        const std::vector<PlayedRound> latest = store.latestRounds(Scope::AllTime, 50);
        EXPECT_EQ(store.setAsideBecause(), HistoryStore::SetAside::Damaged);
        EXPECT_FALSE(store.setAsidePath().isEmpty());
        EXPECT_EQ(store.trouble(), HistoryStore::Trouble::None);
        EXPECT_GE(figures.outcomes.rounds(), 0);
        EXPECT_LE(figures.outcomes.rounds(), 10);
        for (const double money : series.money)
            EXPECT_TRUE(std::isfinite(money) && std::abs(money) < 1e15) << money;
        for (const PlayedRound &round : latest)
            EXPECT_TRUE(std::isfinite(round.moneyChange) && std::isfinite(round.stake));
    }
}

// Texts come back no longer than the game writes them, however long the file holds them.
TEST_F(HistoryStoreTest, LongTextsReadBackCut)
{
    {
        HistoryStore store(path());
        playTwoTables(store);
    }
    ASSERT_TRUE(Peek(path()).exec(
        QStringLiteral("UPDATE rounds SET user_label = hex(zeroblob(524288)), "
                       "dealer_label = hex(zeroblob(524288)), user_cards = hex(zeroblob(99))")));
    HistoryStore store(path());
    const std::vector<PlayedRound> latest = store.latestRounds(Scope::AllTime, 50);
    ASSERT_EQ(latest.size(), 10u);
    for (const PlayedRound &round : latest) {
        EXPECT_LE(round.user.value.label.size(), 40u);
        EXPECT_LE(round.dealer.value.label.size(), 40u);
    }
    EXPECT_EQ(store.trouble(), HistoryStore::Trouble::None);
}
