// A whole session played through the accessibility interface alone, as a blind player plays it
// with a screen reader or voice control: no mouse and no key. The start window's entries for
// playing with friends, the rules and the play history, then from the start window to the table,
// ten rounds (bets chosen by their toggle action, turns and the real message boxes pressed by
// their press action), the record and about windows and a placeholder game from the menus, and
// back to the table. The cards are the game's own.
#include "shell/Form1.h"
#include "support/AccessibleTree.h"
#include "support/SessionSteps.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using Action = SessionSteps::Action;

QAccessibleInterface *of(QWidget *widget)
{
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

// An action on the interface, when it is there to take it.
Action act(QAccessibleInterface *interface, const QString &action)
{
    if (!interface)
        return {};
    return [interface, action] { accessible::act(interface, action); };
}

Action press(QAccessibleInterface *interface)
{
    return act(interface, QAccessibleActionInterface::pressAction());
}

// A press on the shown control of that role and name in the named window, the topmost one.
std::function<Action()> pressIn(const char *window, QAccessible::Role role, QString name)
{
    return [=] { return press(accessible::find(of(SessionSteps::window(window)), role, name)); };
}

// Opens the named window's drop-down menu of that name, then presses its entry.
std::vector<SessionSteps::Step> menuEntry(const char *window, QString menu, QString entry)
{
    return {
        { "open " + menu.toStdString(),
          [=] {
              return act(
                  accessible::find(of(SessionSteps::window(window)), QAccessible::MenuItem, menu),
                  QAccessibleActionInterface::showMenuAction());
          } },
        { "choose " + entry.toStdString(),
          [=] {
              // The open drop-down, a window of its own beside the game's.
              return press(accessible::find(of(QApplication::activePopupWidget()),
                                            QAccessible::MenuItem, entry));
          } },
    };
}

Frmpok *tableAtRest()
{
    auto *table = qobject_cast<Frmpok *>(SessionSteps::window("Frmpok"));
    return table && table->phase() == Frmpok::Phase::Betting ? table : nullptr;
}

} // namespace

TEST(AccessibleSession, AWholeSessionThroughTheAccessibilityInterfaceAlone)
{
    QFile::remove(QStringLiteral("point.pon"));
    CardSlider::setInstant(true);
    int rounds = 0;
    QStringList outcomes;

    // A round's next action: the outcome box's own button, a turn, or a bet.
    auto playOn = [&]() -> Action {
        if (QAccessibleInterface *box = accessible::window(QAccessible::AlertMessage)) {
            QAccessibleInterface *accept
                = accessible::find(box, QAccessible::PushButton, QStringLiteral("ตกลง"));
            if (!accept)
                accept = accessible::find(box, QAccessible::PushButton, QStringLiteral("ใช่"));
            outcomes << box->text(QAccessible::Name) + QLatin1Char(':')
                    + accessible::alertText(box);
            return press(accept);
        }
        QAccessibleInterface *table = of(SessionSteps::window("Frmpok"));
        for (const char *turn : { "ไม่จั่ว", "หงายไพ่", "จั่วไพ่" })
            if (QAccessibleInterface *button
                = accessible::find(table, QAccessible::PushButton, QString::fromUtf8(turn)))
                return press(button);
        if (!tableAtRest() || rounds == 10)
            return {};
        for (const char *bet : { "1,000 บาท", "ครึ่งของหน้าตัก", "หมดหน้าตัก" }) {
            QAccessibleInterface *option
                = accessible::find(table, QAccessible::RadioButton, QString::fromUtf8(bet));
            if (option && !option->state().disabled && !option->state().checked) {
                ++rounds;
                return act(option, QAccessibleActionInterface::toggleAction());
            }
        }
        return {};
    };

    std::vector<SessionSteps::Step> steps = {
        // The start window's own entries below the games, each opened and closed again.
        { "open เล่นกับเพื่อน",
          pressIn("Form1", QAccessible::PushButton, QStringLiteral("เล่นกับเพื่อน")) },
        { "cancel it", pressIn("FriendsDialog", QAccessible::PushButton, QStringLiteral("ยกเลิก")) },
        { "open วิธีเล่น", pressIn("Form1", QAccessible::PushButton, QStringLiteral("วิธีเล่น")) },
        // The rules page is no modal window: it stands beside the start window, which stays
        // modal.
        { "close it",
          [] {
              for (QWidget *window : QApplication::topLevelWidgets())
                  if (window->isVisible() && window->objectName() == QLatin1String("Frmrules"))
                      return press(accessible::find(of(window), QAccessible::PushButton,
                                                    QStringLiteral("ปิด")));
              return Action();
          } },
        { "open ประวัติการเล่น",
          pressIn("Form1", QAccessible::PushButton, QStringLiteral("ประวัติการเล่น")) },
        { "close it", pressIn("Frmhistory", QAccessible::PushButton, QStringLiteral("ปิด")) },
        { "open the table", pressIn("Form1", QAccessible::PushButton, QStringLiteral("ป๊อกเด้ง")) },
        { "play ten rounds", playOn, [&] { return rounds == 10 && tableAtRest() != nullptr; } },
        { "open the record window",
          [] {
              return tableAtRest() ? press(accessible::find(
                         of(tableAtRest()), QAccessible::MenuItem, QStringLiteral("สถิติ")))
                                   : Action();
          } },
        { "close the record window",
          pressIn("Frmpoint", QAccessible::PushButton, QStringLiteral("OK")) },
        { "open the about window",
          pressIn("Frmpok", QAccessible::MenuItem, QStringLiteral("เกี่ยวกับโปรแกรม")) },
        { "close the about window",
          pressIn("Frmabout", QAccessible::PushButton, QStringLiteral("ปิด")) },
    };
    for (auto &step : menuEntry("Frmpok", QStringLiteral("เลือกเกม"), QStringLiteral("9 เก")))
        steps.push_back(step);
    for (auto &step : menuEntry("Frm9ga", QStringLiteral("เลือกเกม"), QStringLiteral("ป๊อกเด้ง")))
        steps.push_back(step);
    // The program has no quit of its own for screen readers: the desktop's close box, which a
    // screen reader offers on every window, closes the table and then the start window.
    steps.push_back({ "close the table", [] {
                         QWidget *table = tableAtRest();
                         return table ? Action([table] { table->close(); }) : Action();
                     } });
    steps.push_back({ "close the start window", [] {
                         QWidget *start = SessionSteps::window("Form1");
                         return start ? Action([start] { start->close(); }) : Action();
                     } });

    SessionSteps session(steps);
    Form1 form;
    form.exec();
    EXPECT_TRUE(session.finished()) << "stopped before: " << session.waitingFor();
    EXPECT_EQ(rounds, 10);
    EXPECT_GE(outcomes.size(), 10) << outcomes.join(QLatin1Char('\n')).toStdString();
}
