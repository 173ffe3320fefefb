// What a screen reader hears while a round is played through the accessibility interface: the
// user's cards, the cards of every seat as they are turned over, the status line, each result with
// its owner and the money raise the events that make a screen reader speak them (a notification
// that shows), and the outcome box is an alert. A screen reader speaks a notification that shows
// with its role and name, and, in a dialog, the dialog's name and first long label before it: the
// table is therefore a frame, and nothing shows as a notification with nothing to say. Needs Qt's
// accessibility on, as it is only with an accessibility bus.
#include "X11Session.h"
#include "support/AccessibleTree.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

using namespace pokdeng;

namespace {

struct Heard
{
    QAccessible::Event type;
    QString object; // its object name, or its class for an unnamed one
    QString name; // its accessible name when the event came
    QAccessible::Role role;
};

std::vector<Heard> heard;

void listen(QAccessibleEvent *event)
{
    QObject *object = event->object();
    if (!object)
        return;
    QAccessibleInterface *interface = event->accessibleInterface();
    heard.push_back({ event->type(),
                      object->objectName().isEmpty()
                          ? QString::fromLatin1(object->metaObject()->className())
                          : object->objectName(),
                      interface ? interface->text(QAccessible::Name) : QString(),
                      interface ? interface->role() : QAccessible::NoRole });
}

// Whether the events include one of that type from that object, named so.
bool wasHeard(QAccessible::Event type, const QString &object, const QString &name = QString())
{
    for (const Heard &one : heard)
        if (one.type == type && one.object == object && (name.isEmpty() || one.name == name))
            return true;
    return false;
}

// Whether a notification so named showed, from whichever object: what a screen reader speaks.
bool wasSpoken(const QString &name)
{
    for (const Heard &one : heard)
        if (one.type == QAccessible::ObjectShow && one.role == QAccessible::Notification
            && one.name == name)
            return true;
    return false;
}

// The notifications that showed with nothing to say: a screen reader speaks their role alone.
QStringList emptyNotifications()
{
    QStringList found;
    for (const Heard &one : heard)
        if (one.type == QAccessible::ObjectShow && one.role == QAccessible::Notification
            && one.name.isEmpty())
            found << one.object;
    return found;
}

} // namespace

TEST(AccessibilityEvents, StatusResultsMoneyAdviceAndTheOutcomeAlertAreSpoken)
{
    if (!x11Session() || !x11Session()->hasDisplay())
        GTEST_SKIP() << (x11Session() ? x11Session()->whyNot().toStdString() : "");
    if (!QAccessible::isActive())
        GTEST_SKIP() << "no accessibility bus (at-spi2-core, dbus-daemon) to turn Qt's "
                        "accessibility on";
    CardSlider::setInstant(true);
    ScriptedRandom random;
    heard.clear();
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(listen);
    Frmpok table(nullptr, &random);
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&table);
    EXPECT_EQ(root->role(), QAccessible::Window) << "a frame, read without its labels";
    EXPECT_EQ(emptyNotifications(), QStringList()) << "as the table opens";
    // The odds advisor on, for this table only; turning it on is said.
    auto *advisor = table.findChild<QAction *>(QStringLiteral("mnuodds"));
    advisor->setChecked(true);
    EXPECT_TRUE(wasSpoken(QStringLiteral("เปิดตัวช่วยคำนวณ")));
    auto *contrast = table.findChild<QAction *>(QStringLiteral("mnucontrast"));
    contrast->setChecked(true);
    contrast->setChecked(false);
    EXPECT_TRUE(wasSpoken(QStringLiteral("เปิดสีตัดกันชัด")));
    EXPECT_TRUE(wasSpoken(QStringLiteral("ปิดสีตัดกันชัด")));
    auto *sound = table.findChild<QAction *>(QStringLiteral("mnusound"));
    sound->setChecked(true);
    sound->setChecked(false);
    EXPECT_TRUE(wasSpoken(QStringLiteral("เปิดเสียง")));
    EXPECT_TRUE(wasSpoken(QStringLiteral("ปิดเสียง")));

    // The outcome box, the real one, is read and closed through its interface.
    QPointer<QObject> answered;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        QAccessibleInterface *alert = accessible::window(QAccessible::AlertMessage);
        if (!alert || alert->object() == answered)
            return;
        answered = alert->object();
        accessible::act(accessible::find(alert, QAccessible::PushButton, QStringLiteral("ตกลง")),
                        QAccessibleActionInterface::pressAction());
    });
    answering.start(10);

    heard.clear();
    random.deal(tableBySeat("KS QS 8S | AS 3H 9D | 5D 2D 3D | 6S 2H 4C"));
    accessible::act(accessible::find(root, QAccessible::RadioButton, QStringLiteral("1,000 บาท")),
                    QAccessibleActionInterface::toggleAction());
    // The user's cards, face up, change their names and are spoken; so is the status line.
    EXPECT_TRUE(
        wasHeard(QAccessible::NameChanged, QStringLiteral("Imgpl2"), QStringLiteral("A โพดำ")));
    EXPECT_TRUE(wasSpoken(QStringLiteral("ไพ่ของคุณ: A โพดำ, 3 โพแดง")));
    EXPECT_TRUE(wasHeard(QAccessible::NameChanged, QStringLiteral("lblresult1"),
                         QStringLiteral("คุณได้แต้ม=4")));
    EXPECT_TRUE(wasHeard(QAccessible::ObjectShow, QStringLiteral("lblresult1"),
                         QStringLiteral("คุณได้แต้ม=4")));
    // So is the advisor's line.
    EXPECT_TRUE(wasHeard(QAccessible::ObjectShow, QStringLiteral("lblodds"),
                         table.findChild<QLabel *>(QStringLiteral("lblodds"))->text()));
    EXPECT_TRUE(
        table.findChild<QLabel *>(QStringLiteral("lblodds"))->text().startsWith(u"จั่วไพ่: ชนะ"));

    heard.clear();
    accessible::act(accessible::find(root, QAccessible::PushButton, QStringLiteral("ไม่จั่ว")),
                    QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return table.phase() == Frmpok::Phase::Betting; }));
    QAccessible::installUpdateHandler(before);

    // Every seat's cards as they are turned over, both hands with their owners, then the alert,
    // then the money with its label.
    for (const char *cards : { "ไพ่ขา 1: K โพดำ, Q โพดำ, 8 โพดำ",
                               "ไพ่ขาบ๊วย: 5 ข้าวหลามตัด, 2 ข้าวหลามตัด", "ไพ่เจ้ามือ: 6 โพดำ, 2 โพแดง" })
        EXPECT_TRUE(wasSpoken(QString::fromUtf8(cards))) << cards;
    EXPECT_TRUE(wasSpoken(QStringLiteral("คุณ 4แต้ม")));
    EXPECT_TRUE(wasSpoken(QStringLiteral("เจ้ามือ ป๊อก 8")));
    EXPECT_TRUE(wasHeard(QAccessible::Alert, QStringLiteral("QMessageBox")));
    EXPECT_TRUE(wasHeard(QAccessible::NameChanged, QStringLiteral("Lblmoney"),
                         QStringLiteral("เงินคงเหลือ 9000")));
    EXPECT_TRUE(wasHeard(QAccessible::ObjectShow, QStringLiteral("Lblmoney"),
                         QStringLiteral("เงินคงเหลือ 9000")));
    // The labels cleared for the next bet, and the advice cleared at the turn's end, are not
    // announced.
    EXPECT_EQ(emptyNotifications(), QStringList());
    advisor->setChecked(false);
    EXPECT_TRUE(random.isUsedUp());

    // F10 opens the first menu: a screen reader hears the menu open and its first entry take the
    // focus.
    heard.clear();
    QAccessible::installUpdateHandler(listen);
    table.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
    QTest::keyClick(&table, Qt::Key_F10);
    EXPECT_TRUE(wasHeard(QAccessible::PopupMenuStart, QStringLiteral("mnusel")));
    EXPECT_TRUE(wasHeard(QAccessible::Focus, QStringLiteral("mnusel")));
    if (QWidget *menu = QApplication::activePopupWidget())
        QTest::keyClick(menu, Qt::Key_Escape);
    QAccessible::installUpdateHandler(before);
}
