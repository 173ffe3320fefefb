#include "shell/TableLeaving.h"

#include "toolkit/GameWindow.h"
#include "toolkit/Toolkit.h"

#include <QString>

#include <utility>

namespace {

// The table window's own kind: เริ่มใหม่ asks for a fresh one of it.
constexpr GameKind kTableKind = GameKind::PokDeng;

const QString kLeaveTitle = QStringLiteral("ออกจากโต๊ะ");
const QString kCloseTitle = QStringLiteral("ปิดโต๊ะ");
const QString kDoneTitle = QStringLiteral("เล่นกับเพื่อน");

const QString kSeatNotKept = QStringLiteral("ที่นั่งและเงินของคุณที่โต๊ะนี้จะไม่ถูกเก็บไว้");
const QString kClosesForAll = QStringLiteral("โต๊ะจะปิดสำหรับเพื่อนทุกคนที่นั่งอยู่");

const QString kLeaveForNewGame
    = QStringLiteral("ต้องการออกจากโต๊ะของเพื่อนแล้วเริ่มเกมใหม่คนเดียวหรือไม่\n") + kSeatNotKept;
const QString kLeave = QStringLiteral("ต้องการออกจากโต๊ะของเพื่อนหรือไม่\n") + kSeatNotKept;
const QString kCloseForNewGame
    = QStringLiteral("ต้องการปิดโต๊ะของคุณแล้วเริ่มเกมใหม่คนเดียวหรือไม่\n") + kClosesForAll;
const QString kClose = QStringLiteral("ต้องการปิดโต๊ะของคุณหรือไม่\n") + kClosesForAll;

const QString kLeftForNewGame = QStringLiteral("ออกจากโต๊ะของเพื่อนแล้ว เริ่มเกมใหม่คนเดียว");
const QString kClosedForNewGame = QStringLiteral("ปิดโต๊ะแล้ว เริ่มเกมใหม่คนเดียว");

} // namespace

TableLeaving::TableLeaving(Role role, std::function<void()> leave)
    : m_role(role)
    , m_leave(std::move(leave))
{
}

void TableLeaving::watch(GameWindow &window)
{
    window.setDepartureCheck([this, &window](GameKind next) { return mayGo(&window, next); });
}

bool TableLeaving::mayGo(QWidget *window, GameKind next)
{
    if (m_ended || m_left)
        return true;
    const bool newGame = next == kTableKind;
    const bool hosting = m_role == Role::Hosting;
    const QString &prompt
        = hosting ? (newGame ? kCloseForNewGame : kClose) : (newGame ? kLeaveForNewGame : kLeave);
    Toolkit &toolkit = Toolkit::instance();
    const Toolkit::Answer answer
        = toolkit.messageBox(window, prompt, Toolkit::Style::QuestionYesNoDefaultNo,
                             hosting ? kCloseTitle : kLeaveTitle);
    if (answer != Toolkit::Answer::Yes)
        return false;
    // The table may have ended while the question waited: nothing is left to leave then.
    if (!m_ended) {
        m_left = true;
        if (m_leave)
            m_leave();
    }
    return true;
}

void TableLeaving::sayWhatWasDone(QWidget *parent, GameKind next) const
{
    Toolkit &toolkit = Toolkit::instance();
    if (!m_left || next != kTableKind || toolkit.isEnding())
        return;
    toolkit.messageBox(parent, m_role == Role::Hosting ? kClosedForNewGame : kLeftForNewGame,
                       Toolkit::Style::Ok, kDoneTitle);
}
