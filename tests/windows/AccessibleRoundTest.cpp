// Whole rounds played through the accessibility interface alone, as a blind player plays them
// with a screen reader or voice control: no mouse and no key. The bet is chosen by its option's
// toggle action; the cards, the status line and the money are read from the tree; draw and stand
// are pressed by their press action; the real outcome box is read and closed through its own
// interface.
#include "support/AccessibleTree.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include <QFile>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

using namespace pokdeng;

namespace {

std::string seats(const std::string &user, const std::string &dealer)
{
    return "KS QS 8S | " + user + " | 5D 2D 3D | " + dealer;
}

// Reads every outcome box that comes up and presses its OK, through the box's interface.
class OutcomeReader
{
public:
    struct Outcome
    {
        QString title, text;
    };

    OutcomeReader()
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { look(); });
        m_poll.start();
    }
    const std::vector<Outcome> &outcomes() const { return m_outcomes; }

private:
    void look()
    {
        QAccessibleInterface *alert = accessible::window(QAccessible::AlertMessage);
        if (!alert || alert->object() == m_answered)
            return;
        m_answered = alert->object();
        m_outcomes.push_back({ alert->text(QAccessible::Name), accessible::alertText(alert) });
        accessible::act(accessible::find(alert, QAccessible::PushButton, QStringLiteral("ตกลง")),
                        QAccessibleActionInterface::pressAction());
    }

    QTimer m_poll;
    QPointer<QObject> m_answered;
    std::vector<Outcome> m_outcomes;
};

} // namespace

TEST(AccessibleRound, RoundsPlayedThroughTheAccessibilityInterfaceAlone)
{
    QFile::remove(QStringLiteral("point.pon"));
    CardSlider::setInstant(true);
    ScriptedRandom random;
    Frmpok table(nullptr, &random);
    table.show();
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&table);
    ASSERT_NE(accessible::find(root, QAccessible::Notification, QStringLiteral("เงินคงเหลือ 10000")),
              nullptr);

    const struct
    {
        const char *bet;
        std::string deal;
        QStringList userCards;
        const char *status;
        const char *turn;
        const char *title, *text, *money;
    } rounds[] = {
        { "1,000 บาท",
          seats("AS 3H 9D", "6S 2H 4C"),
          { QStringLiteral("A โพดำ"), QStringLiteral("3 โพแดง") },
          "คุณได้แต้ม=4",
          "ไม่จั่ว",
          "แพ้",
          "เจ้าป๊อก 8  คุณ4แต้ม คุณแพ้เสียเงิน 1000 บาท",
          "เงินคงเหลือ 9000" },
        { "5,000 บาท",
          seats("AS 2H 9D", "5S KH 3C"),
          { QStringLiteral("A โพดำ"), QStringLiteral("2 โพแดง") },
          "มีแต้มแค่3อยู่ไม่ได้",
          "จั่วไพ่",
          "แพ้",
          "เจ้า5แต้ม  คุณ2แต้ม คุณแพ้เสียเงิน 5000 บาท",
          "เงินคงเหลือ 4000" },
        { "ครึ่งของหน้าตัก",
          seats("4S 5H 2C", "6S 2H 4C"),
          { QStringLiteral("4 โพดำ"), QStringLiteral("5 โพแดง") },
          "คุณป๊อก9",
          "หงายไพ่",
          "ชนะ",
          "คุณป๊อก 9  เจ้าป๊อก 8 คุณชนะได้เงินมา2000บาท",
          "เงินคงเหลือ 6000" },
    };
    OutcomeReader reader;
    for (const auto &round : rounds) {
        SCOPED_TRACE(round.bet);
        random.deal(tableBySeat(round.deal));
        accessible::act(
            accessible::find(root, QAccessible::RadioButton, QString::fromUtf8(round.bet)),
            QAccessibleActionInterface::toggleAction());
        ASSERT_EQ(table.phase(), Frmpok::Phase::UserTurn);
        EXPECT_EQ(accessible::names(root, QAccessible::Graphic, QStringLiteral("ไพ่ของคุณ")),
                  round.userCards);
        EXPECT_EQ(accessible::names(root, QAccessible::Graphic, QStringLiteral("ไพ่เจ้ามือ")),
                  QStringList(2, QStringLiteral("หลังไพ่")));
        EXPECT_NE(
            accessible::find(root, QAccessible::Notification, QString::fromUtf8(round.status)),
            nullptr);

        const std::size_t before = reader.outcomes().size();
        QAccessibleInterface *turn
            = accessible::find(root, QAccessible::PushButton, QString::fromUtf8(round.turn));
        ASSERT_NE(turn, nullptr);
        accessible::act(turn, QAccessibleActionInterface::pressAction());
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return reader.outcomes().size() > before && table.phase() == Frmpok::Phase::Betting;
        }));
        EXPECT_EQ(reader.outcomes().back().title, QString::fromUtf8(round.title));
        EXPECT_EQ(reader.outcomes().back().text, QString::fromUtf8(round.text));
        EXPECT_NE(accessible::find(root, QAccessible::Notification, QString::fromUtf8(round.money)),
                  nullptr);
    }
    EXPECT_TRUE(random.isUsedUp());
}
