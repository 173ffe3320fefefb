#include "windows/HistoryTrouble.h"

#include <QDir>

namespace {

const QString kCannotWrite = QStringLiteral("บันทึกลงที่ %1 ไม่ได้");
const QString kUnreadable = QStringLiteral("ไฟล์ประวัติ %1 เสียหาย เกมจึงไม่แตะต้องไฟล์นั้น");
const QString kNewerVersion = QStringLiteral("ไฟล์ประวัติ %1 มาจากเกมรุ่นที่ใหม่กว่านี้ เกมจึงไม่แตะต้องไฟล์นั้น");
const QString kLocked = QStringLiteral("ป๊อกเด้งอีกโปรแกรมหนึ่งที่เปิดอยู่กำลังใช้ไฟล์ประวัติค้างไว้");
const QString kDiskFull = QStringLiteral("ที่เก็บข้อมูลเต็ม");
const QString kLink = QStringLiteral("ไฟล์ประวัติ %1 เป็นลิงก์ที่ชี้ไปยังที่อื่น เกมจึงไม่แตะต้องไฟล์นั้น");
const QString kInputOutput = QStringLiteral("อ่านหรือเขียนไฟล์ประวัติ %1 ไม่สำเร็จ");
const QString kNoDriver = QStringLiteral("เครื่องนี้ขาดส่วนประกอบที่เกมใช้อ่านและเขียนฐานข้อมูลประวัติ");
const QString kFailed = QStringLiteral("ฐานข้อมูลขัดข้อง (รหัส %1)");
const QString kFailedNoCode = QStringLiteral("ฐานข้อมูลขัดข้อง");
const QString kSetAside = QStringLiteral("ไฟล์ประวัติการเล่นเดิมอ่านไม่ได้ เกมจึงย้ายไปเก็บไว้ที่\n%1\n"
                                         "แล้วเริ่มบันทึกประวัติใหม่ครับ");
const QString kSetAsideForeign
    = QStringLiteral("ไฟล์ประวัติการเล่นเดิมมีส่วนที่เกมไม่ได้สร้างไว้ เกมจึงไม่ใช้ไฟล์นั้นและย้ายไปเก็บไว้ที่\n%1\n"
                     "แล้วเริ่มบันทึกประวัติใหม่ครับ");

} // namespace

QString historyTroubleText(const HistoryStore &store)
{
    return historyTroubleText(store.trouble(), store.troublePath(), store.troubleCode());
}

QString historyTroubleText(HistoryStore::Trouble trouble, const QString &path, int code)
{
    const QString where = QDir::toNativeSeparators(path);
    switch (trouble) {
    case HistoryStore::Trouble::None:
        return QString();
    case HistoryStore::Trouble::CannotWrite:
        return kCannotWrite.arg(where);
    case HistoryStore::Trouble::Unreadable:
        return kUnreadable.arg(where);
    case HistoryStore::Trouble::NewerVersion:
        return kNewerVersion.arg(where);
    case HistoryStore::Trouble::Locked:
        return kLocked;
    case HistoryStore::Trouble::DiskFull:
        return kDiskFull;
    case HistoryStore::Trouble::Link:
        return kLink.arg(where);
    case HistoryStore::Trouble::InputOutput:
        return kInputOutput.arg(where);
    case HistoryStore::Trouble::NoDriver:
        return kNoDriver;
    case HistoryStore::Trouble::Failed:
        return code >= 0 ? kFailed.arg(code) : kFailedNoCode;
    }
    return QString();
}

QString historySetAsideText(const QString &setAsidePath, HistoryStore::SetAside because)
{
    return (because == HistoryStore::SetAside::Foreign ? kSetAsideForeign : kSetAside)
        .arg(QDir::toNativeSeparators(setAsidePath));
}
