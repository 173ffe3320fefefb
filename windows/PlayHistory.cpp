#include "windows/PlayHistory.h"

#include "toolkit/Toolkit.h"
#include "windows/Frmhistory.h"
#include "windows/HistoryTrouble.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QTimer>

namespace {

const QString kTitle = QStringLiteral("ประวัติการเล่น");
const QString kNotKept = QStringLiteral("ตอนนี้เกมบันทึกประวัติการเล่นไม่ได้ครับ แต่ยังเล่นต่อได้ตามปกติ\n"
                                        "สาเหตุ: ");
const QString kCannotRead = QStringLiteral("เปิดประวัติการเล่นไม่ได้ครับ\nสาเหตุ: ");
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
    // Checking a large history or bringing an old one up to date holds the table for a moment
    // (seconds over millions of rounds, once): the pointer shows that the game is working.
    m_store.setBusyHandler([](bool busy) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return;
        if (busy) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            // The event loop stays still until the work is done: send the pointer now.
            QGuiApplication::sync();
        } else {
            QGuiApplication::restoreOverrideCursor();
        }
    });
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
        Toolkit::instance().messageBox(parent, kNotKept + historyTroubleText(m_store),
                                       Toolkit::Style::StopOk, kTitle);
    }
    tellSetAside(parent);
    return kept;
}

void PlayHistory::tellSetAside(QWidget *parent)
{
    if (m_store.setAsidePath().isEmpty() || m_toldSetAside)
        return;
    m_toldSetAside = true;
    Toolkit::instance().messageBox(
        parent, historySetAsideText(m_store.setAsidePath(), m_store.setAsideBecause()),
        Toolkit::Style::Ok, kTitle);
}

void PlayHistory::endSession()
{
    m_store.endSession(QDateTime::currentMSecsSinceEpoch());
}

void PlayHistory::showStatistics(QWidget *parent)
{
    const bool opened = m_store.open();
    // A file set aside as the history opened: the empty history about to be shown is a new one.
    tellSetAside(parent);
    if (!opened) {
        Toolkit::instance().messageBox(parent, kCannotRead + historyTroubleText(m_store),
                                       Toolkit::Style::StopOk, kTitle);
        return;
    }
    runModal<Frmhistory>(parent, m_store);
    // Or found damaged while the window read it.
    tellSetAside(parent);
}
