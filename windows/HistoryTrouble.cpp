#include "windows/HistoryTrouble.h"

#include <QDir>

namespace {

const QString kCannotWrite = QStringLiteral("บันทึกลงที่ %1 ไม่ได้");
const QString kUnreadable = QStringLiteral("ไฟล์ประวัติ %1 เสียหาย เกมจึงไม่แตะต้องไฟล์นั้น");
const QString kNewerVersion = QStringLiteral("ไฟล์ประวัติ %1 มาจากเกมรุ่นที่ใหม่กว่านี้ เกมจึงไม่แตะต้องไฟล์นั้น");
const QString kLocked = QStringLiteral("ป๊อกเด้งอีกโปรแกรมหนึ่งที่เปิดอยู่กำลังใช้ไฟล์ประวัติค้างไว้");
const QString kDiskFull = QStringLiteral("ที่เก็บข้อมูลเต็ม");
const QString kFailed = QStringLiteral("ฐานข้อมูลแจ้งว่า %1");
const QString kSetAside = QStringLiteral("ไฟล์ประวัติการเล่นเดิมอ่านไม่ได้ เกมจึงย้ายไปเก็บไว้ที่\n%1\n"
                                         "แล้วเริ่มบันทึกประวัติใหม่ครับ");

} // namespace

QString historyTroubleText(const HistoryStore &store)
{
    const QString where = QDir::toNativeSeparators(store.troublePath());
    switch (store.trouble()) {
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
    case HistoryStore::Trouble::Failed:
        return kFailed.arg(store.troubleDetail());
    }
    return QString();
}

QString historySetAsideText(const QString &setAsidePath)
{
    return kSetAside.arg(QDir::toNativeSeparators(setAsidePath));
}
