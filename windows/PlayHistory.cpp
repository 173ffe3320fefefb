#include "windows/PlayHistory.h"

#include "toolkit/Toolkit.h"
#include "windows/Frmhistory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QPointer>
#include <QTimer>

namespace {

const QString kTitle = QStringLiteral("ประวัติการเล่น");
const QString kNotKept = QStringLiteral("ตอนนี้เกมบันทึกประวัติการเล่นไม่ได้ครับ แต่ยังเล่นต่อได้ตามปกติ\n"
                                        "สาเหตุ: ");
const QString kCannotRead = QStringLiteral("เปิดประวัติการเล่นไม่ได้ครับ\nสาเหตุ: ");
const QString kCannotWrite = QStringLiteral("บันทึกลงที่ %1 ไม่ได้");
const QString kUnreadable = QStringLiteral("ไฟล์ประวัติ %1 เสียหาย เกมจึงไม่แตะต้องไฟล์นั้น");
const QString kNewerVersion = QStringLiteral("ไฟล์ประวัติ %1 มาจากเกมรุ่นที่ใหม่กว่านี้ เกมจึงไม่แตะต้องไฟล์นั้น");
const QString kLocked = QStringLiteral("ป๊อกเด้งอีกโปรแกรมหนึ่งที่เปิดอยู่กำลังใช้ไฟล์ประวัติค้างไว้");
const QString kDiskFull = QStringLiteral("ที่เก็บข้อมูลเต็ม");
const QString kFailed = QStringLiteral("ฐานข้อมูลแจ้งว่า %1");
const QString kSetAside = QStringLiteral("ไฟล์ประวัติการเล่นเดิมอ่านไม่ได้ เกมจึงย้ายไปเก็บไว้ที่\n%1\n"
                                         "แล้วเริ่มบันทึกประวัติใหม่ครับ");

PlayHistory *installedHistory = nullptr;
PlayHistory *programHistory = nullptr;

// The program's history closes its database while the application object is still there: by
// the time static objects are destroyed, the SQL driver may be gone.
void closeProgramHistory()
{
    delete programHistory;
    programHistory = nullptr;
}

} // namespace

PlayHistory::PlayHistory(const QString &databasePath)
    : m_store(databasePath)
{
}

PlayHistory &PlayHistory::instance()
{
    if (installedHistory)
        return *installedHistory;
    // Made on first use, after the application object: the data folder depends on its name.
    if (!programHistory) {
        programHistory = new PlayHistory(HistoryStore::defaultPath());
        qAddPostRoutine(closeProgramHistory);
    }
    return *programHistory;
}

void PlayHistory::install(PlayHistory *history)
{
    installedHistory = history;
}

QString PlayHistory::troubleText(const HistoryStore &store)
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

QString PlayHistory::setAsideText(const QString &setAsidePath)
{
    return kSetAside.arg(QDir::toNativeSeparators(setAsidePath));
}

void PlayHistory::beginSession(double money)
{
    m_store.beginSession(money, QDateTime::currentMSecsSinceEpoch());
    // Opening loads the SQL driver and may make the tables: tens of milliseconds, better spent
    // while the user looks at the new table than before the first outcome box. A trouble met
    // here is told with the first round.
    if (!m_store.isOpen())
        QTimer::singleShot(0, &m_openingContext, [this] { m_store.open(); });
}

bool PlayHistory::record(QWidget *parent, pokdeng::PlayedRound round)
{
    if (round.playedAtMs == 0)
        round.playedAtMs = QDateTime::currentMSecsSinceEpoch();
    const bool kept = m_store.record(round);
    if (!kept && !m_toldTrouble) {
        m_toldTrouble = true;
        Toolkit::instance().messageBox(parent, kNotKept + troubleText(m_store),
                                       Toolkit::Style::StopOk, kTitle);
    }
    if (!m_store.setAsidePath().isEmpty() && !m_toldSetAside) {
        m_toldSetAside = true;
        Toolkit::instance().messageBox(parent, setAsideText(m_store.setAsidePath()),
                                       Toolkit::Style::Ok, kTitle);
    }
    return kept;
}

void PlayHistory::endSession()
{
    m_store.endSession(QDateTime::currentMSecsSinceEpoch());
}

void PlayHistory::showStatistics(QWidget *parent)
{
    if (!m_store.open()) {
        Toolkit::instance().messageBox(parent, kCannotRead + troubleText(m_store),
                                       Toolkit::Style::StopOk, kTitle);
        return;
    }
    QPointer<Frmhistory> window(new Frmhistory(m_store, parent));
    window->exec();
    delete window.data();
}
