// A save killed at any moment leaves "point.pon" holding one whole record, the old or the new:
// a saver process writes records in a loop and is killed with SIGKILL, hundreds of times, at
// moments drawn from a seeded generator.
#include "rules/ScoreFile.h"
#include "support/KilledChild.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kKills = 300;
// The k-th saver writes the records numbered from k times this on, so every record is distinct
// and the file tells which saver wrote it.
constexpr long long kRecordsPerSaver = 1'000'000;

class TemporaryFolder
{
public:
    TemporaryFolder()
    {
        std::string name = (fs::temp_directory_path() / "pokdeng-kill-XXXXXX").string();
        if (mkdtemp(name.data()))
            m_path = name;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

std::string contentOf(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// Starts a saver in folder with its first record and returns its process id once it is about to
// save, or -1 when it could not start.
pid_t startSaver(const fs::path &folder, long long first)
{
    const KilledChild saver
        = startKilledChild(POKDENG_SAVE_LOOP, { std::to_string(first) }, folder.string());
    if (saver.output >= 0)
        close(saver.output);
    return saver.pid;
}

// The number of the record the file holds, when its bytes are exactly one whole record as the
// saver writes it ("n<i>" with i baht); nothing otherwise.
std::optional<long long> wholeRecord(const std::string &bytes)
{
    const cards::ScoreRecord record = cards::parseScoreFile(bytes);
    if (record.name.size() < 2 || record.name.front() != 'n')
        return std::nullopt;
    long long number = 0;
    const char *end = record.name.data() + record.name.size();
    if (std::from_chars(record.name.data() + 1, end, number).ptr != end)
        return std::nullopt;
    if (record.money != static_cast<double>(number)
        || cards::scoreFileBytes(record.name, record.money) != bytes)
        return std::nullopt;
    return number;
}

} // namespace

TEST(CrashSafeSave, KilledAtAnyMomentTheFileHoldsTheOldRecordOrTheNewWhole)
{
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const fs::path scoreFile = folder.path() / "point.pon";
    {
        std::ofstream first(scoreFile, std::ios::binary);
        first << *cards::scoreFileBytes("n-1", -1);
    }
    long long held = -1;

    // Half the kills fall within the first save or two, half anywhere in the next 20 ms of saves.
    std::mt19937_64 random(7);
    int keptTheOld = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const long long first = kill * kRecordsPerSaver;
        const pid_t saver = startSaver(folder.path(), first);
        ASSERT_GT(saver, 0) << "the saver " << POKDENG_SAVE_LOOP << " did not start";
        const std::uint64_t draw = random();
        const auto pause = static_cast<useconds_t>(draw % (kill % 2 == 0 ? 400 : 20'000));
        usleep(pause);
        ::kill(saver, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(saver, &status, 0), saver);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saver ended by itself, status " << status;

        const std::string bytes = contentOf(scoreFile);
        const std::optional<long long> now = wholeRecord(bytes);
        ASSERT_TRUE(now.has_value()) << "kill " << kill << " left \"" << bytes << '"';
        ASSERT_TRUE(*now == held || (*now >= first && *now < first + kRecordsPerSaver))
            << "kill " << kill << " left record " << *now << ", neither the old " << held
            << " nor one of this saver's";
        if (*now == held)
            ++keptTheOld;
        held = *now;
    }
    // Both outcomes came up, or the kills missed the saving altogether.
    EXPECT_GT(keptTheOld, 0);
    EXPECT_LT(keptTheOld, kKills);
    ::testing::Test::RecordProperty("kills_that_kept_the_old_record", keptTheOld);

    // QSaveFile writes the new record into an unnamed file (O_TMPFILE), flushes it, links it
    // under a name of its own ("point.pon.XXXXXX") and renames that over the score file: a kill
    // between the link and the rename leaves that file behind, holding a whole record. That is
    // all a kill may leave; nothing else appears.
    int leftovers = 0;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (name == "point.pon")
            continue;
        ++leftovers;
        EXPECT_TRUE(name.size() == 16 && name.starts_with("point.pon.")) << name;
        EXPECT_TRUE(wholeRecord(contentOf(entry.path())).has_value()) << name;
    }
    ::testing::Test::RecordProperty("temporary_files_left", leftovers);
}
