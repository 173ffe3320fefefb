#include "windows/RecordSaver.h"

#include "history/ScoreStore.h"
#include "support/ScriptedToolkit.h"

#include "support/RecordFiles.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kSaveTitle = QStringLiteral("เก็บสถิติ");
const QString kConfirmPrompt = QStringLiteral("ถ้าคุณเก็บสถิติตอนนี้จะเป็นการปิดเกมนี้ด้วยนะครับ");

class SaveConversation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        removeScoreFile();
        putRawScoreFile(kAnnStored);
    }
    void TearDown() override
    {
        EXPECT_TRUE(toolkit.allAnswersUsed());
        removeScoreFile();
    }

    void expectConfirmation(const ScriptedToolkit::Box &box)
    {
        EXPECT_EQ(box.prompt, kConfirmPrompt);
        EXPECT_EQ(box.style, Toolkit::Style::WarningOkCancel);
        EXPECT_EQ(box.title, kSaveTitle);
    }

    ScriptedToolkit toolkit;
};

} // namespace

TEST_F(SaveConversation, CancelChangesNothing)
{
    toolkit.expect(Toolkit::Answer::Cancel);
    EXPECT_EQ(confirmAndSaveRecord(nullptr, QStringLiteral("สมชาย"), 20000),
              SaveOutcome::Cancelled);
    ASSERT_EQ(toolkit.boxes().size(), 1u);
    expectConfirmation(toolkit.boxes()[0]);
    EXPECT_EQ(rawScoreFile(), kAnnStored);
}

TEST_F(SaveConversation, EmptyNameIsAskedForAndNothingIsWritten)
{
    toolkit.expect(Toolkit::Answer::Ok);
    toolkit.expect(Toolkit::Answer::Ok);
    EXPECT_EQ(confirmAndSaveRecord(nullptr, QString(), 20000), SaveOutcome::NoName);
    ASSERT_EQ(toolkit.boxes().size(), 2u);
    expectConfirmation(toolkit.boxes()[0]);
    EXPECT_EQ(toolkit.boxes()[1].prompt, QStringLiteral("กรุณาใส่ชื่อคุณด้วยสิ"));
    EXPECT_EQ(toolkit.boxes()[1].style, Toolkit::Style::Ok);
    EXPECT_EQ(toolkit.boxes()[1].title, QStringLiteral("ลืมชื่อ"));
    EXPECT_EQ(rawScoreFile(), kAnnStored);
}

TEST_F(SaveConversation, ConfirmedNameIsSavedExactlyAsTyped)
{
    for (const QString &name : { QStringLiteral("   "), QStringLiteral(" สมชาย ") }) {
        SCOPED_TRACE(name.toStdString());
        toolkit.clearBoxes();
        toolkit.expect(Toolkit::Answer::Ok);
        EXPECT_EQ(confirmAndSaveRecord(nullptr, name, 20000.5), SaveOutcome::Saved);
        EXPECT_EQ(toolkit.boxes().size(), 1u);
        const cards::ScoreRecord record = readScoreFile();
        EXPECT_EQ(QString::fromStdString(record.name), name);
        EXPECT_EQ(record.money, 20000.5);
    }
}

// Every sentence of a failed save is Thai: no word of the system's own English slips in, and the
// old record is said to be kept only when there was one.
TEST_F(SaveConversation, FailedSaveIsToldInThaiOnly)
{
    const struct
    {
        const char *what;
        std::function<void()> fault;
        QString name;
        const char *prompt;
    } rows[] = {
        // The name box refuses a character outside the Thai code page; the file cannot hold it.
        { "a name the file cannot hold, Ann's record kept", [] {}, QStringLiteral("สมชาย😀"),
          "เก็บสถิติไม่สำเร็จครับ สถิติเดิมยังอยู่เหมือนเดิม\n"
          "สาเหตุ: ชื่อนี้มีตัวอักษรที่เก็บในไฟล์สถิติไม่ได้" },
        { "a folder where the file should be, no record", [] { blockScoreFileWithFolder(); },
          QStringLiteral("สมชาย"),
          "เก็บสถิติไม่สำเร็จครับ\nสาเหตุ: มีโฟลเดอร์ชื่อเดียวกับไฟล์สถิติอยู่ตรงที่จะเก็บไฟล์" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        toolkit.clearBoxes();
        row.fault();
        toolkit.expect(Toolkit::Answer::Ok);
        toolkit.expect(Toolkit::Answer::Ok);
        EXPECT_EQ(confirmAndSaveRecord(nullptr, row.name, 20000), SaveOutcome::Failed);
        ASSERT_EQ(toolkit.boxes().size(), 2u);
        const ScriptedToolkit::Box &failure = toolkit.boxes()[1];
        EXPECT_EQ(failure.style, Toolkit::Style::StopOk);
        EXPECT_EQ(failure.title, kSaveTitle);
        EXPECT_EQ(failure.prompt, QString::fromUtf8(row.prompt));
        EXPECT_FALSE(failure.prompt.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))));
    }
    EXPECT_TRUE(QFileInfo(kScoreFile).isDir());
}
