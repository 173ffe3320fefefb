// What a screen reader hears while a round is played through the accessibility interface: the
// status line, the result labels and the money each raise the events that make a screen reader
// speak them (their name changes, and as notifications they show again), and the outcome box is
// an alert. Needs Qt's accessibility on, as it is only with an accessibility bus.
#include "X11Session.h"
#include "support/AccessibleTree.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include <QAction>
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
                      interface ? interface->text(QAccessible::Name) : QString() });
}

// Whether the events include one of that type from that object, named so.
bool wasHeard(QAccessible::Event type, const QString &object, const QString &name = QString())
{
    for (const Heard &one : heard)
        if (one.type == type && one.object == object && (name.isEmpty() || one.name == name))
            return true;
    return false;
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
    Frmpok table(nullptr, &random);
    table.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&table);
    // The odds advisor on, for this table only.
    auto *advisor = table.findChild<QAction *>(QStringLiteral("mnuodds"));
    advisor->setChecked(true);

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
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(listen);
    random.deal(tableBySeat("KS QS 8S | AS 3H 9D | 5D 2D 3D | 6S 2H 4C"));
    accessible::act(accessible::find(root, QAccessible::RadioButton, QStringLiteral("1,000 บาท")),
                    QAccessibleActionInterface::toggleAction());
    // The user's cards, face up, change their names; the status line is announced.
    EXPECT_TRUE(
        wasHeard(QAccessible::NameChanged, QStringLiteral("Imgpl2"), QStringLiteral("A โพดำ")));
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

    // Both hands, then the alert, then the money with its label.
    EXPECT_TRUE(
        wasHeard(QAccessible::ObjectShow, QStringLiteral("lblresult1"), QStringLiteral("4แต้ม")));
    EXPECT_TRUE(
        wasHeard(QAccessible::ObjectShow, QStringLiteral("lblresult2"), QStringLiteral("ป๊อก 8")));
    EXPECT_TRUE(wasHeard(QAccessible::Alert, QStringLiteral("QMessageBox")));
    EXPECT_TRUE(wasHeard(QAccessible::NameChanged, QStringLiteral("Lblmoney"),
                         QStringLiteral("เงินคงเหลือ 9000")));
    EXPECT_TRUE(wasHeard(QAccessible::ObjectShow, QStringLiteral("Lblmoney"),
                         QStringLiteral("เงินคงเหลือ 9000")));
    // The labels cleared for the next bet, and the advice cleared at the turn's end, are not
    // announced.
    for (const Heard &one : heard)
        EXPECT_FALSE(one.type == QAccessible::ObjectShow
                     && (one.object.startsWith(u"lblresult") || one.object == u"lblodds")
                     && one.name.isEmpty());
    advisor->setChecked(false);
    EXPECT_TRUE(random.isUsedUp());
}
