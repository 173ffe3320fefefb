// A save the file system refuses (a read-only folder, a folder where the file should be, a full
// file system) is told in Thai, with its reason, and the table keeps its round and money and the
// old record stays byte for byte. As root a chmod stops no write, so the read-only case runs as
// nobody, in a child.
#include "history/ScoreStore.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"
#include "support/ScriptedToolkit.h"
#include "support/TableRound.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include "support/RecordFiles.h"
#include "support/TemporaryMount.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pokdeng;
using namespace cards;
using Answer = Toolkit::Answer;

namespace {

// In the child that runs the read-only case as nobody: the folder to play in.
constexpr char kReadOnlyFolder[] = "POKDENG_READ_ONLY_FOLDER";

// Runs the save; a fault may wrap it in a limit of its own.
using AroundSave = std::function<void(const std::function<void()> &)>;

// The failure's whole text, which is Thai: Ann's record is kept where there was one.
const QString kNotSavedRecordKept = QStringLiteral("เก็บสถิติไม่สำเร็จครับ สถิติเดิมยังอยู่เหมือนเดิม\nสาเหตุ: ");
const QString kNotSaved = QStringLiteral("เก็บสถิติไม่สำเร็จครับ\nสาเหตุ: ");
const QString kNoPermission = QStringLiteral("คุณไม่ได้รับอนุญาตให้เขียนไฟล์ในโฟลเดอร์นี้");
const QString kReadOnly = QStringLiteral("ดิสก์หรือโฟลเดอร์นี้อ่านได้อย่างเดียว เขียนไม่ได้");
const QString kNoRoom = QStringLiteral("ดิสก์เต็ม ไม่มีที่ว่างพอจะเขียนไฟล์สถิติ");
const QString kFolderInTheWay = QStringLiteral("มีโฟลเดอร์ชื่อเดียวกับไฟล์สถิติอยู่ตรงที่จะเก็บไฟล์");

// A folder under the system's temporary folder, holding Ann's record, that everyone may enter
// and only its owner may change.
class RecordFolder
{
public:
    RecordFolder()
    {
        chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        QFile file(path(kScoreFile));
        if (file.open(QIODevice::WriteOnly))
            file.write(kAnnStored);
    }
    QString path() const { return m_dir.path(); }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QByteArray scoreFileBytes() const
    {
        QFile file(path(kScoreFile));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList entries() const
    {
        return QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir m_dir { QDir::tempPath() + QStringLiteral("/pokdeng-fault-XXXXXX") };
};

class SaveFault : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CardSlider::setInstant(true);
        m_home = QDir::currentPath();
    }
    void TearDown() override
    {
        QDir::setCurrent(m_home);
        EXPECT_TRUE(random.isUsedUp()) << "scripted numbers left over";
        EXPECT_TRUE(toolkit.allAnswersUsed()) << "an expected message box never came";
    }

    template<class T = QWidget> T *control(Frmpok &table, const char *name)
    {
        T *widget = table.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void playRound(Frmpok &table, const std::string &bySeat)
    {
        tableround::bet(&table, random, bySeat);
    }

    // In the current folder, whose file system refuses the save: wins a round over Ann's 10000,
    // deals the next and, in the middle of it, presses the save button and confirms. The save
    // runs inside aroundSave; the failure says prompt.
    void expectFailedSaveKeepsTheGame(const AroundSave &aroundSave, const QString &prompt)
    {
        const bool folderInPlace = QFileInfo(kScoreFile).isDir();
        const QByteArray before = rawScoreFile();

        Frmpok table(nullptr, &random);
        playRound(table, "KS QS 8S | 4S 5H 2C | 5D 2D 3D | 6S 2H 4C");
        toolkit.expect(Answer::Ok); // the outcome
        control<QPushButton>(table, "cmdnoreq")->click();
        ASSERT_EQ(table.money(), 11000);
        ASSERT_FALSE(control(table, "Cmdname")->isHidden());

        playRound(table, "KS QS 8S | AS 3H 2C | 5D 2D 3D | 6D 2H 4C");
        ASSERT_EQ(table.phase(), Frmpok::Phase::UserTurn);
        const SlotCards dealt = table.cards();
        control<QLineEdit>(table, "txtname")->setText(QStringLiteral("สมชาย"));
        toolkit.clearBoxes();
        toolkit.expect(Answer::Ok); // "ถ้าคุณเก็บสถิติตอนนี้จะเป็นการปิดเกมนี้ด้วยนะครับ"
        toolkit.expect(Answer::Ok); // the failure
        aroundSave([&] { control<QPushButton>(table, "Cmdname")->click(); });

        ASSERT_EQ(toolkit.boxes().size(), 2u);
        const ScriptedToolkit::Box &failure = toolkit.boxes()[1];
        EXPECT_EQ(failure.prompt, prompt);
        EXPECT_EQ(failure.title, QStringLiteral("เก็บสถิติ"));
        EXPECT_EQ(failure.style, Toolkit::Style::StopOk);

        EXPECT_EQ(table.nextWindow(), GameKind::None) << "the table must not start afresh";
        EXPECT_EQ(table.phase(), Frmpok::Phase::UserTurn);
        EXPECT_EQ(table.cards(), dealt);
        EXPECT_EQ(table.money(), 11000);
        EXPECT_EQ(table.bet(), 1000);
        EXPECT_FALSE(control(table, "Cmdname")->isHidden()) << "the player may try again";
        if (folderInPlace)
            EXPECT_TRUE(QFileInfo(kScoreFile).isDir());
        else
            EXPECT_EQ(rawScoreFile(), before);

        // The round plays on: 4 against the dealer's pok 8.
        toolkit.expect(Answer::Ok);
        control<QPushButton>(table, "cmdnoreq")->click();
        EXPECT_EQ(table.money(), 10000);
    }

    static void plainSave(const std::function<void()> &save) { save(); }

    ScriptedToolkit toolkit;
    ScriptedRandom random;

private:
    QString m_home;
};

} // namespace

TEST_F(SaveFault, FolderWhereTheFileShouldBe)
{
    blockScoreFileWithFolder();
    QFile inside(kScoreFile + QStringLiteral("/keep"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.close();

    // No record was there to keep.
    expectFailedSaveKeepsTheGame(plainSave, kNotSaved + kFolderInTheWay);
    EXPECT_TRUE(QFileInfo::exists(inside.fileName())) << "what the folder held stays";
    removeScoreFile();
}

TEST_F(SaveFault, ReadOnlyFolder)
{
    const QString childFolder = qEnvironmentVariable(kReadOnlyFolder);
    if (!childFolder.isEmpty()) {
        ASSERT_TRUE(QDir::setCurrent(childFolder));
        expectFailedSaveKeepsTheGame(plainSave, kNotSavedRecordKept + kNoPermission);
        return;
    }

    RecordFolder folder;
    if (geteuid() != 0) {
        // Not root: the folder's mode is enough.
        ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        expectFailedSaveKeepsTheGame(plainSave, kNotSavedRecordKept + kNoPermission);
        chmod(QFile::encodeName(folder.path()).constData(), 0755);
    } else {
        // Root writes anywhere: this test runs again, alone, as nobody, for whom the folder
        // (root's, 0755) is read-only.
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kReadOnlyFolder), folder.path());
        // The runtime folder of root's session is no place for nobody, nor are the leak
        // suppressions in a checkout nobody may not read: the leaks of this game are looked
        // for in the other tests, in-process.
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS"))
                               + QStringLiteral(":detect_leaks=0"));
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(folder.path());
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QStringLiteral("setpriv"),
                    { QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                      QStringLiteral("--clear-groups"), QCoreApplication::applicationFilePath(),
                      QStringLiteral("--gtest_filter=SaveFault.ReadOnlyFolder") });
        ASSERT_TRUE(child.waitForFinished(100000)) << "the child as nobody did not end";
        const QString output = QString::fromLocal8Bit(child.readAll());
        // Should the child not even reach the test (setpriv not allowed to change the user,
        // say), a read-only view of the folder, mounted over it, stops root instead.
        if (!output.contains(QStringLiteral("[ RUN      ] SaveFault.ReadOnlyFolder"))) {
            const TemporaryMount readOnly(TemporaryMount::ReadOnlyView, folder.path());
            ASSERT_TRUE(readOnly.isMounted())
                << "the test could run neither as nobody nor on a read-only mount: "
                << output.toStdString();
            RecordProperty("read_only_folder", "read-only bind mount");
            ASSERT_TRUE(QDir::setCurrent(folder.path()));
            expectFailedSaveKeepsTheGame(plainSave, kNotSavedRecordKept + kReadOnly);
            QDir::setCurrent(QDir::tempPath());
        } else {
            RecordProperty("read_only_folder", "nobody");
            EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
            EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test")))
                << output.toStdString();
        }
    }
    EXPECT_EQ(folder.scoreFileBytes(), kAnnStored);
    EXPECT_EQ(folder.entries(), QStringList { kScoreFile }) << "no temporary file left";
}

// A small tmpfs of its own, filled up, when the machine lets us mount one (root with the right
// to mount); otherwise the file-size limit, which cuts writes short just as a full disk does.
TEST_F(SaveFault, FullFileSystem)
{
    RecordFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("full")));
    const TemporaryMount full(TemporaryMount::SmallTmpfs, folder.path(QStringLiteral("full")));
    RecordProperty("full_file_system", full.isMounted() ? "tmpfs" : "file-size limit");
    if (full.isMounted()) {
        ASSERT_TRUE(
            QFile::copy(folder.path(kScoreFile), full.path() + QStringLiteral("/point.pon")));
        QFile filler(full.path() + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) { }
        filler.close();
        ASSERT_TRUE(QDir::setCurrent(full.path()));
        expectFailedSaveKeepsTheGame(plainSave, kNotSavedRecordKept + kNoRoom);
        EXPECT_EQ(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList { QStringLiteral("filler"), kScoreFile }))
            << "no temporary file left";
    } else {
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        expectFailedSaveKeepsTheGame(
            [](const std::function<void()> &save) {
                rlimit oldLimit {};
                getrlimit(RLIMIT_FSIZE, &oldLimit);
                const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
                rlimit small = oldLimit;
                small.rlim_cur = 4;
                setrlimit(RLIMIT_FSIZE, &small);
                save();
                setrlimit(RLIMIT_FSIZE, &oldLimit);
                std::signal(SIGXFSZ, oldHandler);
            },
            kNotSavedRecordKept + kNoRoom);
    }
}
