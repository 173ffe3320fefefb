// A table window at each end of a real connection on this machine's loopback: the host's window
// plays at the table it hosts, a joining window plays the seat the host gives it. Each sees its
// own cards face up in the user's place and the other's backs, they chat, both are settled, and
// the joining window's money is the host's count of it, also after its connection dropped.
#include "net/NetPlayers.h"
#include "net/TableClient.h"
#include "net/TableHost.h"
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

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace pokdeng;
using namespace sharedtable;

namespace {

const QString kCode = QStringLiteral("246810");

// The host's window at the table it hosts on the loopback, and a joining game's client.
class NetworkTable : public ::testing::Test
{
protected:
    explicit NetworkTable(int turnLimitMs = 30'000)
        : table(deals, { turnLimitMs, 5'000 })
    {
        CardSlider::setInstant(true);
        PlayHistory::install(&history);
        EXPECT_TRUE(host.listen(QHostAddress::LocalHost, 0)) << qPrintable(host.errorString());
        table.join("แดง", &hosting, kUserSeat);
        hosting.show();
    }
    ~NetworkTable() override
    {
        // The windows go before the table and the client that tell them.
        client.setView(nullptr);
        table.leave(kUserSeat);
        PlayHistory::install(nullptr);
    }

    // The joining game's window, once the host has seated it (through port).
    std::unique_ptr<Frmpok> join(quint16 port)
    {
        int seat = 0;
        QObject::connect(
            &client, &net::TableClient::welcomed, &client, [&seat](int given) { seat = given; },
            Qt::SingleShotConnection);
        client.connectTo(QStringLiteral("127.0.0.1"), port, QStringLiteral("ดำ"), kCode);
        EXPECT_TRUE(QTest::qWaitFor([&] { return seat != 0; }, 10'000));
        auto window = std::make_unique<Frmpok>(client, seat);
        client.setView(window.get());
        window->show();
        return window;
    }

    GoingOnToolkit toolkit;
    QTemporaryDir folder;
    PlayHistory history { folder.filePath(QStringLiteral("history.sqlite")) };
    cards::SeededRandom deals { 47 };
    table::TableController table;
    net::TableHost host { table, { kCode } };
    table::LocalSeat hostSeat { table, kUserSeat };
    Frmpok hosting { hostSeat, kUserSeat };
    net::TableClient client;
};

TEST_F(NetworkTable, AHostAndAJoiningWindowPlayARoundOverTheLoopback)
{
    const std::unique_ptr<Frmpok> window = join(host.port());
    Frmpok &joining = *window;
    ASSERT_EQ(client.seat(), kFirstSeat);
    QObject::connect(&client, &net::TableClient::chatted, joining.chatPanel(),
                     [&](int from, const QString &name, const QString &text) {
                         joining.chatPanel()->addLine(name, text, from == kFirstSeat);
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
}

// The joining game's connection drops in its turn: its window keeps the turn, takes the seat back
// by itself, and the turn, then the round, are played as if nothing had happened.
TEST_F(NetworkTable, AJoiningWindowWhoseConnectionDropsInItsTurnPlaysOn)
{
    nettest::CuttableProxy proxy(host.port());
    client.setRejoinWithin(10'000);
    const std::unique_ptr<Frmpok> window = join(proxy.port());
    Frmpok &joining = *window;
    bet(hosting);
    bet(joining);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return joining.phase() == Frmpok::Phase::UserTurn; }, 10'000));

    int welcomes = 0;
    QObject::connect(&client, &net::TableClient::welcomed, &client, [&] { ++welcomes; });
    proxy.cut();
    ASSERT_TRUE(QTest::qWaitFor([&] { return welcomes == 1; }, 10'000));
    EXPECT_EQ(joining.phase(), Frmpok::Phase::UserTurn);
    playTurn(joining);
    playTurn(hosting);
    ASSERT_TRUE(QTest::qWaitFor([&] { return toolkit.outcomes() == 2; }, 10'000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return joining.phase() == Frmpok::Phase::Betting; }, 10'000));
    EXPECT_EQ(joining.money(), table.money(kFirstSeat));
}

} // namespace
