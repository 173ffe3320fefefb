#include "windows/RecordSaver.h"

#include "history/ScoreStore.h"
#include "toolkit/Toolkit.h"

namespace {

const QString kSaveTitle = QStringLiteral("เก็บสถิติ");
const QString kConfirmPrompt = QStringLiteral("ถ้าคุณเก็บสถิติตอนนี้จะเป็นการปิดเกมนี้ด้วยนะครับ");
const QString kNoNameTitle = QStringLiteral("ลืมชื่อ");
const QString kNoNamePrompt = QStringLiteral("กรุณาใส่ชื่อคุณด้วยสิ");
// A failed save: what happened, whether the old record is kept (only when there was one), and
// why, all in Thai.
const QString kNotSaved = QStringLiteral("เก็บสถิติไม่สำเร็จครับ");
const QString kOldRecordKept = QStringLiteral(" สถิติเดิมยังอยู่เหมือนเดิม");
const QString kBecause = QStringLiteral("\nสาเหตุ: ");

QString reasonFor(SaveProblem problem)
{
    switch (problem) {
    case SaveProblem::NameNotStorable:
        return QStringLiteral("ชื่อนี้มีตัวอักษรที่เก็บในไฟล์สถิติไม่ได้");
    case SaveProblem::NoRoom:
        return QStringLiteral("ดิสก์เต็ม ไม่มีที่ว่างพอจะเขียนไฟล์สถิติ");
    case SaveProblem::NoPermission:
        return QStringLiteral("คุณไม่ได้รับอนุญาตให้เขียนไฟล์ในโฟลเดอร์นี้");
    case SaveProblem::FolderInTheWay:
        return QStringLiteral("มีโฟลเดอร์ชื่อเดียวกับไฟล์สถิติอยู่ตรงที่จะเก็บไฟล์");
    case SaveProblem::ReadOnly:
        return QStringLiteral("ดิสก์หรือโฟลเดอร์นี้อ่านได้อย่างเดียว เขียนไม่ได้");
    case SaveProblem::Other:
        break;
    }
    return QStringLiteral("ระบบไฟล์ไม่ยอมให้เขียนไฟล์สถิติ");
}

} // namespace

bool saveRecord(QWidget *parent, const QString &name, double money)
{
    const bool hadRecord = hasScoreRecord();
    SaveProblem problem = SaveProblem::Other;
    if (writeScoreFile(name, money, &problem))
        return true;
    const QString prompt
        = kNotSaved + (hadRecord ? kOldRecordKept : QString()) + kBecause + reasonFor(problem);
    Toolkit::instance().messageBox(parent, prompt, Toolkit::Style::StopOk, kSaveTitle);
    return false;
}

SaveOutcome confirmAndSaveRecord(QWidget *parent, const QString &name, double money)
{
    Toolkit &toolkit = Toolkit::instance();
    if (toolkit.messageBox(parent, kConfirmPrompt, Toolkit::Style::WarningOkCancel, kSaveTitle)
        != Toolkit::Answer::Ok)
        return SaveOutcome::Cancelled;
    // A name of blanks only is a name: only an empty box is refused, and nothing is trimmed.
    if (name.isEmpty()) {
        toolkit.messageBox(parent, kNoNamePrompt, Toolkit::Style::Ok, kNoNameTitle);
        return SaveOutcome::NoName;
    }
    return saveRecord(parent, name, money) ? SaveOutcome::Saved : SaveOutcome::Failed;
}
