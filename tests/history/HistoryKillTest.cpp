// The history survives the game being killed at any moment: a loop that plays the table's part
// (record a round, then show its outcome) is killed with SIGKILL hundreds of times, at moments
// drawn from a seeded generator, some while it opens or makes the database, most in the middle of
// play. After every kill the database opens, PRAGMA integrity_check says ok, and every round whose
// outcome the loop had shown is there. Two copies of the game recording at once both keep all
// their rounds.
#include "history/HistorySchema.h"
#include "history/HistoryStore.h"

#include "HistoryFixtures.h"
#include "support/KilledChild.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kKills = 300;
// Kills in a row on one file; then a fresh file, so that making the tables is killed often too
// and the integrity check of a file stays quick.
constexpr int kKillsPerFile = 25;
// The k-th loop's rounds have the stakes from k times this on, so every round tells which loop
// recorded it.
constexpr std::int64_t kRoundsPerLoop = 1'000'000;

using Loop = KilledChild;

// Starts a record loop on the database at path, its rounds from first on (count of them, or
// until it is killed), and returns once it is about to open the history; pid -1 when it could
// not start.
Loop startLoop(const QString &path, std::int64_t first, std::int64_t count = 0)
{
    std::vector<std::string> arguments { path.toStdString(), std::to_string(first) };
    if (count > 0)
        arguments.push_back(std::to_string(count));
    return startKilledChild(POKDENG_RECORD_LOOP, arguments);
}

// Reads the loop's output to its end (the loop has ended): the stake of every round whose
// outcome it showed.
std::vector<std::int64_t> shownRounds(int output)
{
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(output, buffer, sizeof buffer);
        if (got > 0)
            bytes.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            break;
    }
    close(output);
    std::vector<std::int64_t> stakes(bytes.size() / sizeof(std::int64_t));
    if (!stakes.empty())
        std::memcpy(stakes.data(), bytes.data(), stakes.size() * sizeof(std::int64_t));
    return stakes;
}

class HistoryKill : public ::testing::Test
{
protected:
    QString path(int file = 0) const
    {
        return m_folder.filePath(QStringLiteral("history-%1.sqlite").arg(file));
    }

    // How many rounds with stakes first .. last the file holds.
    qint64 roundsBetween(const Peek &peek, std::int64_t first, std::int64_t last) const
    {
        return peek
            .value(QStringLiteral("SELECT COUNT(*) FROM rounds WHERE stake BETWEEN %1 AND %2")
                       .arg(first)
                       .arg(last))
            .toLongLong();
    }

private:
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(HistoryKill, KilledAtAnyMomentEveryShownRoundIsKept)
{
    // Half the kills fall within the loop's first 30 ms (starting, opening, making the tables),
    // half anywhere in its first 80 ms of play.
    std::mt19937_64 random(11);
    int killsBeforeAnyRound = 0;
    int roundsCommittedUnshown = 0;
    qint64 shownInAll = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const std::int64_t first = (kill + 1) * kRoundsPerLoop;
        const QString file = path(kill / kKillsPerFile);
        const Loop loop = startLoop(file, first);
        ASSERT_GT(loop.pid, 0) << "the loop " << POKDENG_RECORD_LOOP << " did not start";
        const auto pause = static_cast<useconds_t>(random() % (kill % 2 == 0 ? 30'000 : 80'000));
        usleep(pause);
        ::kill(loop.pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(loop.pid, &status, 0), loop.pid);
        const std::vector<std::int64_t> shown = shownRounds(loop.output);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the loop ended by itself, status " << status;

        HistoryStore store(file);
        ASSERT_TRUE(store.open()) << "kill " << kill << ": " << store.troubleDetail().toStdString();
        const Peek peek(file);
        ASSERT_EQ(peek.value(QStringLiteral("PRAGMA integrity_check")).toString(),
                  QStringLiteral("ok"))
            << "kill " << kill;
        ASSERT_EQ(peek.value(QStringLiteral("PRAGMA user_version")).toInt(), kHistorySchemaVersion);

        // The shown rounds are there, each once; at most one more, recorded but not yet shown.
        const std::int64_t last = shown.empty() ? first - 1 : shown.back();
        ASSERT_EQ(last - first + 1, static_cast<std::int64_t>(shown.size()));
        ASSERT_EQ(roundsBetween(peek, first, last), static_cast<qint64>(shown.size()))
            << "kill " << kill << " lost a round whose outcome was shown";
        const qint64 extra = roundsBetween(peek, last + 1, first + kRoundsPerLoop - 1);
        ASSERT_LE(extra, 1) << "kill " << kill;
        roundsCommittedUnshown += static_cast<int>(extra);
        if (shown.empty())
            ++killsBeforeAnyRound;
        shownInAll += static_cast<qint64>(shown.size());
    }
    // The kills fell both before the first round and in the middle of play.
    EXPECT_GT(killsBeforeAnyRound, 0);
    EXPECT_LT(killsBeforeAnyRound, kKills);
    RecordProperty("kills_before_any_round", killsBeforeAnyRound);
    RecordProperty("rounds_kept_in_all", static_cast<int>(shownInAll));
    RecordProperty("rounds_committed_but_not_shown", roundsCommittedUnshown);
}

TEST_F(HistoryKill, TwoCopiesAtOnceBothKeepEveryRound)
{
    constexpr std::int64_t kRounds = 400;
    const Loop one = startLoop(path(), kRoundsPerLoop, kRounds);
    const Loop two = startLoop(path(), 2 * kRoundsPerLoop, kRounds);
    ASSERT_GT(one.pid, 0);
    ASSERT_GT(two.pid, 0);
    for (const Loop &loop : { one, two }) {
        const std::vector<std::int64_t> shown = shownRounds(loop.output);
        int status = 0;
        ASSERT_EQ(waitpid(loop.pid, &status, 0), loop.pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        EXPECT_EQ(static_cast<std::int64_t>(shown.size()), kRounds);
    }
    const Peek peek(path());
    EXPECT_EQ(roundsBetween(peek, kRoundsPerLoop, 2 * kRoundsPerLoop - 1), kRounds);
    EXPECT_EQ(roundsBetween(peek, 2 * kRoundsPerLoop, 3 * kRoundsPerLoop - 1), kRounds);
    // Each copy kept its own table.
    EXPECT_EQ(peek.value(QStringLiteral("SELECT COUNT(DISTINCT session_id) FROM rounds")).toInt(),
              2);
    EXPECT_EQ(
        peek.value(QStringLiteral("SELECT COUNT(*) FROM (SELECT session_id FROM rounds "
                                  "GROUP BY session_id HAVING CAST(MIN(stake) / %1 AS INTEGER) "
                                  "<> CAST(MAX(stake) / %1 AS INTEGER))")
                       .arg(kRoundsPerLoop))
            .toInt(),
        0)
        << "a session mixes the two copies' rounds";
}
