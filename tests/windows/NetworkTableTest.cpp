// A table window at each end of a real connection on this machine's loopback: the host's window
// plays at the table it hosts, a joining window plays the seat the host gives it. Each sees its
// own cards face up in the user's place and the other's backs, they chat, both are settled, and
// the joining window's money is the host's count of it.
#include "net/TableClient.h"
#include "net/TableHost.h"
#include "rules/CardName.h"
#include "rules/pokdeng/Seats.h"
#include "support/GoingOnToolkit.h"
#include "table/SeatLink.h"
#include "table/TableController.h"
#include "toolkit/CardSlider.h"
#include "windows/ChatPanel.h"
#include "windows/Frmpok.h"
#include "windows/PlayHistory.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace pokdeng;

namespace {

QString shownCard(const Frmpok &window, int place)
{
    return window.findChild<QLabel *>(QStringLiteral("Imgpl%1").arg(place))->accessibleName();
}

QString nameOf(const cards::Card &card)
{
    return QString::fromStdString(cards::cardName(card));
}

void bet(Frmpok &window)
{
    auto *option = window.findChild<QRadioButton *>(QStringLiteral("Opt1000"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return option->isEnabled(); }, 10'000));
    option->click();
}

void playTurn(Frmpok &window)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.phase() == Frmpok::Phase::UserTurn; }, 10'000));
    auto *stand = window.findChild<QPushButton *>(QStringLiteral("cmdnoreq"));
    auto *draw = window.findChild<QPushButton *>(QStringLiteral("Cmdreq"));
    (stand->isVisible() ? stand : draw)->click();
}

TEST(NetworkTable, AHostAndAJoiningWindowPlayARoundOverTheLoopback)
{
    CardSlider::setInstant(true);
    GoingOnToolkit toolkit;
    QTemporaryDir folder;
    PlayHistory history(folder.filePath(QStringLiteral("history.sqlite")));
    PlayHistory::install(&history);

    cards::SeededRandom deals(47);
    table::TableController table(deals);
    net::TableHost host(table, { QStringLiteral("246810") });
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0)) << qPrintable(host.errorString());
    table::LocalSeat hostSeat(table, kUserSeat);
    Frmpok hosting(hostSeat, kUserSeat);
    table.join("แดง", &hosting, kUserSeat);
    hosting.show();

    net::TableClient client;
    int seat = 0;
    QObject::connect(&client, &net::TableClient::welcomed, [&](int given) { seat = given; });
    client.connectTo(QStringLiteral("127.0.0.1"), host.port(), QStringLiteral("ดำ"),
                     QStringLiteral("246810"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return seat != 0; }, 10'000));
    ASSERT_EQ(seat, kFirstSeat);
    Frmpok joining(client, seat);
    client.setView(&joining);
    joining.show();
    QObject::connect(&client, &net::TableClient::chatted, joining.chatPanel(),
                     [&](int from, const QString &name, const QString &text) {
                         joining.chatPanel()->addLine(name, text, from == seat);
                     });
    QObject::connect(&host, &net::TableHost::chatted, hosting.chatPanel(),
                     [&](const net::Chat &line) {
                         hosting.chatPanel()->addLine(QString::fromStdString(line.name),
                                                      QString::fromStdString(line.text));
                     });

    bet(hosting);
    bet(joining);
    playTurn(joining);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return hosting.phase() == Frmpok::Phase::UserTurn; }, 10'000));
    const SlotCards &dealt = table.round()->cards();
    // Each its own cards in the user's place, the other's backs in ขา 1's place.
    EXPECT_EQ(shownCard(hosting, 2), nameOf(dealt[2]));
    EXPECT_EQ(shownCard(hosting, 1), QStringLiteral("หลังไพ่"));
    EXPECT_EQ(shownCard(joining, 2), nameOf(dealt[1]));
    EXPECT_EQ(shownCard(joining, 1), QStringLiteral("หลังไพ่"));
    EXPECT_EQ(joining.findChild<QLabel *>(QStringLiteral("Lblpl2"))->text(),
              QStringLiteral("ขา 1 · แดง"));

    client.say(QStringLiteral("<b>สวัสดี</b>"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hosting.chatPanel()->lines().isEmpty(); }, 10'000));
    EXPECT_EQ(hosting.chatPanel()->lines().front(), QStringLiteral("ดำ: <b>สวัสดี</b>"));

    playTurn(hosting);
    ASSERT_TRUE(QTest::qWaitFor([&] { return toolkit.outcomes() == 2; }, 10'000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return joining.phase() == Frmpok::Phase::Betting; }, 10'000));
    EXPECT_EQ(joining.money(), table.money(kFirstSeat));
    EXPECT_EQ(hosting.money(), table.money(kUserSeat));
    // The chat below the table takes the table's width: neither window has grown wider than a
    // table of one's own.
    cards::SeededRandom ownDeals(1);
    Frmpok own(nullptr, &ownDeals);
    own.show();
    QApplication::processEvents();
    EXPECT_EQ(hosting.width(), own.width());
    EXPECT_EQ(joining.width(), own.width());

    // The windows go before the table and the client that tell them.
    client.setView(nullptr);
    table.leave(kUserSeat);
    PlayHistory::install(nullptr);
}

} // namespace
