#include "windows/RecordSaver.h"

#include "toolkit/ScoreStore.h"
#include "toolkit/Toolkit.h"

namespace {

const QString kSaveTitle = QStringLiteral("เก็บสถิติ");
const QString kConfirmPrompt = QStringLiteral("ถ้าคุณเก็บสถิติตอนนี้จะเป็นการปิดเกมนี้ด้วยนะครับ");
const QString kNoNameTitle = QStringLiteral("ลืมชื่อ");
const QString kNoNamePrompt = QStringLiteral("กรุณาใส่ชื่อคุณด้วยสิ");
const QString kFailedPrompt = QStringLiteral("เก็บสถิติไม่สำเร็จครับ สถิติเดิมยังอยู่เหมือนเดิม\nสาเหตุ: ");

} // namespace

bool saveRecord(QWidget *parent, const QString &name, double money)
{
    QString reason;
    if (writeScoreFile(name, money, &reason))
        return true;
    Toolkit::instance().messageBox(parent, kFailedPrompt + reason, Toolkit::Style::StopOk,
                                   kSaveTitle);
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
