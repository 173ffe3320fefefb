// Two table windows at one table, each a view from its own seat: each shows its own cards face
// up in the user's place and everyone else's backs until the reveal, names the person in the
// other seat, and plays its own turn.
#include "rules/CardName.h"
#include "rules/pokdeng/Seats.h"
#include "support/GoingOnToolkit.h"
#include "support/SharedTableSteps.h"
#include "table/SeatLink.h"
#include "table/TableController.h"
#include "toolkit/CardSlider.h"
#include "windows/ChatPanel.h"
#include "windows/Frmpok.h"
#include "windows/PlayHistory.h"
#include "windows/TurnClock.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace pokdeng;
using namespace sharedtable;

namespace {

const QString kBack = QStringLiteral("หลังไพ่");

// The sentences the window has lately said to screen readers with no label showing them.
QStringList spoken(const Frmpok &window)
{
    QStringList sentences;
    for (const QLabel *label : window.findChildren<QLabel *>())
        if (label->objectName().startsWith(QStringLiteral("lblspoken")))
            sentences << label->accessibleName();
    return sentences;
}

class SharedTable : public ::testing::Test
{
protected:
    explicit SharedTable(table::TableController::Limits limits = {})
        : table(deals, limits)
    {
        CardSlider::setInstant(true);
        PlayHistory::install(&history);
        table.join("แดง", &user, kUserSeat);
        table.join("ดำ", &first, kFirstSeat);
    }
    ~SharedTable() override { PlayHistory::install(nullptr); }

    // Both bet, ขา 1 plays its turn: the user's turn begins.
    void playToTheUsersTurn()
    {
        user.show();
        first.show();
        bet(user);
        bet(first);
        playTurn(first);
        ASSERT_TRUE(QTest::qWaitFor([&] { return user.phase() == Frmpok::Phase::UserTurn; }, 5000));
    }

    GoingOnToolkit toolkit;
    QTemporaryDir folder;
    PlayHistory history { folder.filePath(QStringLiteral("history.sqlite")) };
    cards::SeededRandom deals { 31 };
    table::TableController table { deals };
    table::LocalSeat userSeat { table, kUserSeat };
    table::LocalSeat firstSeat { table, kFirstSeat };
    Frmpok user { userSeat, kUserSeat };
    Frmpok first { firstSeat, kFirstSeat };
};

TEST_F(SharedTable, EachWindowSeesItsOwnCardsInTheUsersPlaceAndTheOthersBacks)
{
    playToTheUsersTurn();
    const SlotCards &dealt = table.round()->cards();

    // The user's window: its own cards in its place, ขา 1's backs, the person there named.
    EXPECT_EQ(shownCard(user, 2), nameOf(dealt[2]));
    EXPECT_EQ(shownCard(user, 6), nameOf(dealt[6]));
    for (int place : { 1, 5, 3, 7, 4, 8 })
        EXPECT_EQ(shownCard(user, place), kBack) << "place " << place;
    EXPECT_EQ(user.findChild<QLabel *>(QStringLiteral("Lblpl2"))->text(),
              QStringLiteral("ขา 1 · ดำ"));
    // Screen readers heard of the other person by name: joining, betting, their turn.
    for (const char *sentence : { "ดำ เข้าร่วมโต๊ะ", "ดำ วางเดิมพัน 1000 บาท", "ตาของ ดำ" })
        EXPECT_TRUE(spoken(user).contains(QString::fromUtf8(sentence))) << sentence;

    // ขา 1's window: its own cards in the user's place, the user's seat in ขา 1's place.
    EXPECT_EQ(shownCard(first, 2), nameOf(dealt[1]));
    EXPECT_EQ(shownCard(first, 6), nameOf(dealt[5]));
    for (int place : { 1, 5, 3, 7, 4, 8 })
        EXPECT_EQ(shownCard(first, place), kBack) << "place " << place;
    EXPECT_EQ(first.findChild<QLabel *>(QStringLiteral("Lblpl2"))->text(),
              QStringLiteral("ขา 1 · แดง"));

    // Both settled against the dealer, each with their own box; then every face shows.
    playTurn(user);
    ASSERT_TRUE(QTest::qWaitFor([&] { return toolkit.outcomes() == 2; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return user.phase() == Frmpok::Phase::Betting
                && first.phase() == Frmpok::Phase::Betting;
        },
        5000));
    EXPECT_EQ(user.money(), table.money(kUserSeat));
    EXPECT_EQ(first.money(), table.money(kFirstSeat));
}

// Before the first deal the seats already say who holds them, and whose connection is lost.
TEST_F(SharedTable, TheSeatsSayWhoHoldsThemFromTheStartAndWhoIsAway)
{
    user.show();
    first.show();
    auto *firstSeatLabel = user.findChild<QLabel *>(QStringLiteral("Lblpl2"));
    const auto labelReads = [&](const QString &text) {
        return QTest::qWaitFor([&] { return firstSeatLabel->text() == text; }, 5000);
    };
    ASSERT_TRUE(labelReads(QStringLiteral("ขา 1 · ดำ")));
    EXPECT_TRUE(firstSeatLabel->isVisible());
    EXPECT_EQ(user.phase(), Frmpok::Phase::Betting);

    table.setView(kFirstSeat, nullptr);
    ASSERT_TRUE(labelReads(QStringLiteral("ขา 1 · ดำ (หลุด)")));
    EXPECT_TRUE(spoken(user).contains(QStringLiteral("ดำ หลุดจากโต๊ะ")));
    table.setView(kFirstSeat, &first);
    ASSERT_TRUE(labelReads(QStringLiteral("ขา 1 · ดำ")));
    EXPECT_TRUE(spoken(user).contains(QStringLiteral("ดำ กลับมาที่โต๊ะ")));
}

// With two people the bets and the turns are timed: each window counts the time left under the
// table, and the person who has to choose or play hears how long they have.
TEST_F(SharedTable, ATimedTurnShowsTheTimeLeftInEveryWindow)
{
    user.show();
    first.show();
    bet(user);
    // The bets close for whoever has not chosen yet.
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.turnClock()->isVisible(); }, 5000));
    EXPECT_TRUE(first.turnClock()->text().startsWith(QStringLiteral("เลือกเดิมพัน: เหลือ ")));
    EXPECT_FALSE(user.turnClock()->isVisible());
    bet(first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.phase() == Frmpok::Phase::UserTurn; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return user.turnClock()->isVisible(); }, 5000));
    // A slow machine may have counted a second or two already.
    const QString left = QStringLiteral(": เหลือ %1 วินาที").arg(first.turnClock()->secondsLeft());
    EXPECT_GE(first.turnClock()->secondsLeft(), 25);
    EXPECT_EQ(first.turnClock()->text(), QStringLiteral("ตาของคุณ") + left);
    EXPECT_TRUE(user.turnClock()->text().startsWith(QStringLiteral("ตาของ ดำ: เหลือ ")));
    EXPECT_TRUE(spoken(first).contains(QStringLiteral("เลือกเดิมพัน มีเวลา 30 วินาที")));
    EXPECT_TRUE(spoken(first).contains(QStringLiteral("ตาของคุณ มีเวลา 30 วินาที")));
    EXPECT_FALSE(spoken(user).contains(QStringLiteral("ตาของคุณ มีเวลา 30 วินาที")));

    playTurn(first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return user.phase() == Frmpok::Phase::UserTurn; }, 5000));
    EXPECT_TRUE(user.turnClock()->isVisible());
    EXPECT_TRUE(first.turnClock()->text().startsWith(QStringLiteral("ตาของ แดง: เหลือ ")));
    playTurn(user);
    ASSERT_TRUE(QTest::qWaitFor([&] { return toolkit.outcomes() == 2; }, 5000));
    EXPECT_FALSE(user.turnClock()->isVisible());
    EXPECT_FALSE(first.turnClock()->isVisible());
}

// The host's line under the table says what friends type, and its button copies that for pasting;
// a line with nothing to copy (where a joined table is) has no button, and an empty line hides.
TEST_F(SharedTable, TheTableLineOffersToCopyWhatFriendsType)
{
    user.show();
    auto *line = user.findChild<QLabel *>(QStringLiteral("tableLine"));
    auto *copy = user.findChild<QPushButton *>(QStringLiteral("copyTableLine"));
    ASSERT_NE(line, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(line->isVisible()) << "nothing to say yet";

    user.showTableLine(QStringLiteral("บอกเพื่อน: 192.168.1.20:47100 รหัส 816081"),
                       QStringLiteral("192.168.1.20:47100 รหัส 816081"));
    ASSERT_TRUE(copy->isVisible());
    EXPECT_EQ(line->accessibleName(), line->text());
    QGuiApplication::clipboard()->clear();
    QAccessible::queryAccessibleInterface(copy)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(
        QTest::qWaitFor([] { return !QGuiApplication::clipboard()->text().isEmpty(); }, 2000));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("192.168.1.20:47100 รหัส 816081"));
    EXPECT_TRUE(spoken(user).contains(QStringLiteral("คัดลอกแล้ว")));

    user.showTableLine(QStringLiteral("เล่นที่โต๊ะ 127.0.0.1:47100"));
    EXPECT_TRUE(line->isVisible());
    EXPECT_FALSE(copy->isVisible());
    user.showTableLine(QString());
    EXPECT_FALSE(line->isVisible());
}

// F6 goes to the chat line and back; what is typed there is text, even the table's own keys for
// drawing, standing and the bets; Tab goes on to the quick phrases.
TEST_F(SharedTable, TheChatHasItsOwnKeysAndTypingIsNeverPlaying)
{
    playToTheUsersTurn();
    user.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&user));
    QSignalSpy said(user.chatPanel(), &ChatPanel::said);
    QSignalSpy phrases(user.chatPanel(), &ChatPanel::saidPhrase);
    auto *typed = user.findChild<QLineEdit *>(QStringLiteral("chatTyped"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    ASSERT_TRUE(typed->hasFocus());
    QTest::keyClicks(typed, QStringLiteral("ds15"));
    EXPECT_EQ(typed->text(), QStringLiteral("ds15"));
    EXPECT_EQ(user.phase(), Frmpok::Phase::UserTurn);
    QTest::keyClick(typed, Qt::Key_Return);
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0][0].toString(), QStringLiteral("ds15"));
    QTest::keyClick(typed, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(phrases.size(), 1);
    EXPECT_EQ(phrases[0][0].toInt(), 0);

    typed->setFocus();
    QTest::keyClick(typed, Qt::Key_F6);
    const QWidget *focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->objectName() == QStringLiteral("cmdnoreq")
                || focused->objectName() == QStringLiteral("Cmdreq"))
        << focused->objectName().toStdString();
    EXPECT_EQ(user.phase(), Frmpok::Phase::UserTurn);
}

class ShortBets : public SharedTable
{
protected:
    ShortBets()
        : SharedTable({ .turnLimitMs = 300 })
    {
    }
};

// Who lets the bets close is away until they bet: every window says so on their seat and once to
// screen readers, and their own window tells them how to come back.
TEST_F(ShortBets, WhoLetsTheBetsCloseIsAwayInEveryWindowUntilTheyBet)
{
    user.show();
    first.show();
    auto *firstSeatLabel = user.findChild<QLabel *>(QStringLiteral("Lblpl2"));
    auto *awayLine = first.findChild<QLabel *>(QStringLiteral("awayLine"));
    const auto labelReads = [&](const QString &text) {
        return QTest::qWaitFor([&] { return firstSeatLabel->text() == text; }, 5000);
    };
    bet(user);
    ASSERT_TRUE(labelReads(QStringLiteral("ขา 1 · ดำ (ไม่อยู่)")));
    EXPECT_EQ(spoken(user).count(QStringLiteral("ดำ ไม่อยู่ โต๊ะเล่นแทน")), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return awayLine->isVisible(); }, 5000));
    EXPECT_EQ(awayLine->text(), QStringLiteral("คุณไม่อยู่ โต๊ะเล่นแทนคุณ กดเลือกเดิมพันเพื่อกลับมาเล่น"));
    EXPECT_EQ(spoken(first).count(awayLine->text()), 1);
    EXPECT_FALSE(user.findChild<QLabel *>(QStringLiteral("awayLine"))->isVisible());

    // The next bets: ขา 1's window has had the round it sat out.
    playTurn(user);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return table.rounds() == 1 && table.phase() == table::TableController::Phase::Betting;
        },
        5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.phase() == Frmpok::Phase::Betting; }, 5000));
    bet(first);
    ASSERT_TRUE(labelReads(QStringLiteral("ขา 1 · ดำ")));
    EXPECT_TRUE(spoken(user).contains(QStringLiteral("ดำ กลับมาเล่นแล้ว")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return awayLine->isHidden(); }, 5000));
}

TEST_F(SharedTable, TheRevealShowsEachWindowTheOtherSeatsFaces)
{
    bet(user);
    bet(first);
    std::vector<QString> seenByFirst;
    toolkit.onOutcome = [&](const QString &, const QString &) {
        if (seenByFirst.empty())
            for (int place = 1; place <= 8; ++place)
                seenByFirst.push_back(shownCard(first, place));
    };
    playTurn(first);
    playTurn(user);
    ASSERT_TRUE(QTest::qWaitFor([&] { return toolkit.outcomes() == 2; }, 5000));
    const SlotCards &dealt = table.round()->cards();
    // Each heard the other's result by name.
    EXPECT_TRUE(spoken(user).contains(
        QStringLiteral("ดำ ") + QString::fromStdString(table.round()->handOf(kFirstSeat).label)));
    ASSERT_EQ(seenByFirst.size(), 8u);
    // In ขา 1's window the user's cards lie in ขา 1's place.
    EXPECT_EQ(seenByFirst[0], nameOf(dealt[2]));
    EXPECT_EQ(seenByFirst[4], nameOf(dealt[6]));
    EXPECT_EQ(seenByFirst[3], nameOf(dealt[4]));
}

} // namespace
