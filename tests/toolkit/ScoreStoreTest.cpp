#include "history/ScoreStore.h"

#include "support/RecordFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>

namespace {

class ScoreStore : public ::testing::Test
{
protected:
    void SetUp() override { removeScoreFile(); }
    void TearDown() override { removeScoreFile(); }
};

// Files in the test's folder besides the score file: a save must leave no stray temporary file.
QStringList otherFiles()
{
    QStringList names = QDir().entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    names.removeAll(kScoreFile);
    return names;
}

} // namespace

TEST_F(ScoreStore, MissingFileIsCreatedEmptyAndReadsAsNoRecord)
{
    ASSERT_FALSE(QFile::exists(kScoreFile));
    const cards::ScoreRecord record = readScoreFile();
    EXPECT_EQ(QString::fromStdString(record.name), QString());
    EXPECT_EQ(record.money, 0);
    EXPECT_TRUE(QFileInfo(kScoreFile).isFile());
    EXPECT_EQ(rawScoreFile(), QByteArray(""));
}

TEST_F(ScoreStore, UnreadableFilesReadAsNoRecord)
{
    putRawScoreFile({});
    cards::ScoreRecord record = readScoreFile();
    EXPECT_EQ(QString::fromStdString(record.name), QString());
    EXPECT_EQ(record.money, 0);

    blockScoreFileWithFolder();
    record = readScoreFile();
    EXPECT_EQ(QString::fromStdString(record.name), QString());
    EXPECT_EQ(record.money, 0);
    EXPECT_TRUE(QFileInfo(kScoreFile).isDir()) << "reading never replaces what is there";
}

TEST_F(ScoreStore, WritesTheRecordAndReadsItBack)
{
    // No file yet: the save creates it (the old design failed when the file had gone).
    ASSERT_TRUE(writeScoreFile(QStringLiteral("สมชาย"), 10000));
    EXPECT_EQ(rawScoreFile(),
              QByteArray("\xCE\xC5\xAE\xD6\xC6"
                         "($54444"));
    cards::ScoreRecord record = readScoreFile();
    EXPECT_EQ(QString::fromStdString(record.name), QStringLiteral("สมชาย"));
    EXPECT_EQ(record.money, 10000);

    // A second save replaces the first whole; reading changes nothing.
    ASSERT_TRUE(writeScoreFile(QStringLiteral("Ann"), 500.5));
    EXPECT_EQ(rawScoreFile(), QByteArray("Err($94429"));
    record = readScoreFile();
    EXPECT_EQ(QString::fromStdString(record.name), QStringLiteral("Ann"));
    EXPECT_EQ(record.money, 500.5);
    EXPECT_EQ(rawScoreFile(), QByteArray("Err($94429"));
    EXPECT_EQ(otherFiles(), QStringList());
}

TEST_F(ScoreStore, FailedSaveReportsWhyAndKeepsWhatWasThere)
{
    // The score file's folder is a regular file: nothing can be created under it.
    {
        QFile blocker(QStringLiteral("blocker"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.write("keep");
    }
    SaveProblem problem = SaveProblem::NoRoom;
    EXPECT_FALSE(writeScoreFileAt(QStringLiteral("blocker/point.pon"), QStringLiteral("Ann"), 10000,
                                  &problem));
    EXPECT_EQ(problem, SaveProblem::Other);
    QFile blocker(QStringLiteral("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), QByteArray("keep"));
    blocker.remove();

    // A folder stands where the score file should be.
    blockScoreFileWithFolder();
    EXPECT_FALSE(hasScoreRecord());
    EXPECT_FALSE(writeScoreFile(QStringLiteral("Ann"), 10000, &problem));
    EXPECT_EQ(problem, SaveProblem::FolderInTheWay);
    EXPECT_TRUE(QFileInfo(kScoreFile).isDir());

    // A name the code page cannot store: refused before the old record is touched.
    removeScoreFile();
    putRawScoreFile(kAnnStored);
    EXPECT_TRUE(hasScoreRecord());
    EXPECT_FALSE(writeScoreFile(QStringLiteral("Ann😀"), 20000, &problem));
    EXPECT_EQ(problem, SaveProblem::NameNotStorable);
    EXPECT_EQ(rawScoreFile(), kAnnStored);
    EXPECT_EQ(otherFiles(), QStringList());
}

// A full disk: the file-size limit makes the kernel take only part of a write, with no error,
// just as a disk that fills up midway does. Writing in place would leave a cut record.
TEST_F(ScoreStore, DiskFullMidwayKeepsTheOldRecordWhole)
{
    putRawScoreFile(kAnnStored);

    rlimit oldLimit {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = oldLimit;
    small.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    SaveProblem problem = SaveProblem::Other;
    const bool saved = writeScoreFile(QStringLiteral("สมชาย"), 123456, &problem);

    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(problem, SaveProblem::NoRoom);
    EXPECT_EQ(rawScoreFile(), kAnnStored);
    EXPECT_EQ(otherFiles(), QStringList());
}
