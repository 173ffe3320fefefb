// A hosted table over real sockets on 127.0.0.1: people play rounds and see no card of another
// seat before the reveal, on the wire; what a hostile person sends is refused and the table goes
// on; a seat survives a lost connection for a while and comes back with its money.
#include "NetPlayers.h"

#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "table/TableController.h"

#include <QCborMap>
#include <QCborValue>
#include <QFile>
#include <QtEndian>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <gtest/gtest.h>

#include <memory>

using namespace nettest;

namespace {

const QString kCode = QStringLiteral("4821");

class HostedTable : public ::testing::Test
{
public:
    explicit HostedTable(int keepSeatMs = 60'000, int turnLimitMs = 300, int showBoundMs = 300)
        : table(deals, table::TableController::Limits { turnLimitMs, showBoundMs })
        , host(table, net::TableHost::Options { kCode, keepSeatMs, 20, 3, limits() })
    {
        EXPECT_TRUE(host.listen(QHostAddress::LocalHost, 0)) << host.errorString().toStdString();
    }

    // The host's own limits, but a wrong code is answered soon.
    static net::ConnectionLimits limits()
    {
        net::ConnectionLimits limits;
        limits.wrongCodeDelayMs = 50;
        return limits;
    }

    Player &seat(const std::string &name, bool autoPlay = true)
    {
        players.push_back(std::make_unique<Player>(name));
        Player &player = *players.back();
        player.autoPlay = autoPlay;
        player.join(host.port(), kCode);
        EXPECT_TRUE(waitFor([&] { return player.client.seat() != 0; }));
        return player;
    }

    cards::SeededRandom deals { 21 };
    table::TableController table;
    net::TableHost host;
    std::vector<std::unique_ptr<Player>> players;
};

QByteArray framed(const QByteArray &body)
{
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(body.size()), bytes.data());
    return bytes + body;
}

TEST_F(HostedTable, ThreePeoplePlayRoundsAndSeeNoOtherCardBeforeTheReveal)
{
    Player &a = seat("เอ");
    Player &b = seat("บี");
    Player &c = seat("ซี");
    EXPECT_EQ(std::set<int>({ a.client.seat(), b.client.seat(), c.client.seat() }),
              std::set<int>({ 1, 2, 3 }));
    // The first to sit played alone until the others came; everyone plays from the next round.
    const std::uint64_t start = table.rounds();
    ASSERT_TRUE(waitFor([&] { return table.rounds() >= start + 6; }, 30'000)) << table.rounds();
    // The table settles a round before its last events have crossed the wire: the people stop
    // betting, and their games catch up with the table's books.
    for (Player *p : { &a, &b, &c })
        p->autoPlay = false;
    EXPECT_TRUE(waitFor([&] {
        return std::all_of(players.begin(), players.end(), [&](const auto &p) {
            const double money = table.money(p->client.seat());
            return p->lastMoney == money && p->settledMoney() == money;
        });
    }));
    for (Player *p : { &a, &b, &c }) {
        SCOPED_TRACE(p->name);
        EXPECT_EQ(p->seenTooEarly, 0);
        EXPECT_GT(p->rawBytes, 0);
        ASSERT_GE(p->outcomes.size(), 4u);
        EXPECT_EQ(p->lastMoney, table.money(p->client.seat()));
        EXPECT_EQ(p->settledMoney(), table.money(p->client.seat()));
    }
    // Chat reaches everyone, with the sender's seat and name; a phrase goes by its number.
    a.client.say(QStringLiteral("<b>สวัสดี</b>"));
    b.client.sayPhrase(0);
    ASSERT_TRUE(waitFor([&] { return c.chat.size() >= 2; }));
    EXPECT_TRUE(std::count(c.chat.begin(), c.chat.end(),
                           QString::number(a.client.seat()) + QStringLiteral("เอ<b>สวัสดี</b>")));
    EXPECT_TRUE(std::count(c.chat.begin(), c.chat.end(),
                           QString::number(b.client.seat()) + QStringLiteral("บีอีกตา")));
}

struct Hostile
{
    const char *name;
    std::function<QByteArray()> bytes;
};

// Each of these gets the connection closed (with a reason sent first when one applies); the
// person already seated plays on.
TEST_F(HostedTable, HostileConnectionsAreClosedAndTheTableGoesOn)
{
    Player &seated = seat("เจ้าของที่", false);
    const int seatedSeat = seated.client.seat();
    const QByteArray hello = net::encode(
        net::Hello { net::kProtocolVersion, net::gameVersion(), "ผู้บุกรุก", kCode.toStdString(), "" });
    QByteArray oversized(4, '\0');
    qToBigEndian<quint32>(net::kMaxMessageBytes + 1, oversized.data());
    oversized += QByteArray(1000, 'x');
    const QByteArray truncated = framed(net::encode(net::Shown { 5 }).mid(4, 3));
    const std::vector<Hostile> rows = {
        { "wrongCode",
          [] {
              return net::encode(
                  net::Hello { net::kProtocolVersion, net::gameVersion(), "x", "0000", "" });
          } },
        { "otherVersion",
          [] {
              return net::encode(
                  net::Hello { net::kProtocolVersion, "0.1", "x", kCode.toStdString(), "" });
          } },
        { "unknownToken",
          [] {
              return net::encode(net::Hello { net::kProtocolVersion, net::gameVersion(), "x",
                                              kCode.toStdString(), "00112233" });
          } },
        { "oversized", [=] { return oversized; } },
        { "truncatedThrice", [=] { return truncated + truncated + truncated; } },
        { "actionBeforeHello",
          [] {
              return net::encode(net::ActionMessage { table::Draw {} })
                  + net::encode(net::ActionMessage { table::Draw {} })
                  + net::encode(net::ActionMessage { table::Draw {} });
          } },
        { "flood",
          [=] {
              QByteArray many = hello;
              for (int i = 0; i < 200; ++i)
                  many += net::encode(net::Shown { 1 });
              return many;
          } },
    };
    for (const Hostile &row : rows) {
        SCOPED_TRACE(row.name);
        RawConnection intruder(host.port());
        intruder.send(row.bytes());
        ASSERT_TRUE(waitFor([&] { return intruder.closed; })) << row.name;
        EXPECT_EQ(seated.client.seat(), seatedSeat);
        EXPECT_TRUE(seated.client.isConnected());
        EXPECT_TRUE(host.isConnected(seatedSeat));
    }
    // A flood from a seated person closes them too; their seat is kept for them.
    Player &flooder = seat("น้ำท่วม", false);
    const int flooderSeat = flooder.client.seat();
    QByteArray many;
    for (int i = 0; i < 200; ++i)
        many += net::encode(net::Shown { 1 });
    flooder.client.sendRaw(many);
    ASSERT_TRUE(waitFor([&] { return flooder.disconnects > 0; }));
    EXPECT_TRUE(table.isPerson(flooderSeat));
    EXPECT_FALSE(host.isConnected(flooderSeat));
    EXPECT_TRUE(host.isConnected(seatedSeat));
}

// A refusal reaches the one who sent it, in Thai, with the reason.
// Each message leaves at once on both ends: with Nagle's algorithm on, a person's action that
// follows a shown step waited for the host's delayed acknowledgement, some 40 ms a turn.
TEST_F(HostedTable, BothEndsSendEachMessageWithoutDelay)
{
    Player &a = seat("เอ");
    ASSERT_TRUE(waitFor([&] { return host.findChildren<QTcpSocket *>().size() == 1; }));
    const auto noDelay = [](const QTcpSocket *socket) {
        int on = 0;
        socklen_t size = sizeof on;
        getsockopt(static_cast<int>(socket->socketDescriptor()), IPPROTO_TCP, TCP_NODELAY, &on,
                   &size);
        return on != 0;
    };
    const QList<QTcpSocket *> ours = a.client.findChildren<QTcpSocket *>();
    ASSERT_EQ(ours.size(), 1);
    EXPECT_TRUE(noDelay(ours.front())) << "the person's end";
    EXPECT_TRUE(noDelay(host.findChildren<QTcpSocket *>().front())) << "the host's end";
}

TEST_F(HostedTable, RejectionsAndRefusalsAreTold)
{
    Player wrong("ผิด");
    wrong.join(host.port(), QStringLiteral("9999"));
    ASSERT_TRUE(waitFor([&] { return wrong.rejection.has_value(); }));
    EXPECT_EQ(*wrong.rejection, net::Rejection::Code);
    EXPECT_EQ(wrong.rejectionText, QStringLiteral("รหัสเข้าร่วมโต๊ะไม่ถูกต้อง"));

    // An action out of turn is refused and changes nothing; the message names no seat, so a
    // connection acts for its own seat whatever it claims.
    Player &a = seat("เอ", false);
    Player &b = seat("บี", false);
    const double money = table.money(b.client.seat());
    QCborMap draw;
    draw[QLatin1StringView("a")] = QLatin1StringView("draw");
    draw[QLatin1StringView("seat")] = b.client.seat();
    QCborMap action;
    action[QLatin1StringView("t")] = QLatin1StringView("action");
    action[QLatin1StringView("action")] = draw;
    a.client.sendRaw(framed(QCborValue(action).toCbor()));
    ASSERT_TRUE(waitFor([&] { return !a.refusals.empty(); }));
    EXPECT_EQ(a.refusals.front(), table::Refusal::NotYourTurn);
    EXPECT_EQ(table.money(b.client.seat()), money);
    EXPECT_EQ(table.turnSeat(), 0);

    // The token of a seat whose person is connected is refused.
    Player replay("ซ้ำ");
    replay.join(host.port(), kCode, a.client.token());
    ASSERT_TRUE(waitFor([&] { return replay.rejection.has_value(); }));
    EXPECT_EQ(*replay.rejection, net::Rejection::TokenInUse);
    EXPECT_TRUE(host.isConnected(a.client.seat()));
}

// A person whose connection drops in their turn comes back with the token to the same seat and
// the same money.
TEST_F(HostedTable, ALostPersonComesBackWithTheirSeatAndMoney)
{
    Player &a = seat("เอ");
    Player &b = seat("บี");
    bool dropped = false;
    b.onTurn = [&] {
        if (dropped || table.rounds() < 2)
            return false;
        dropped = true;
        b.client.abort();
        return true;
    };
    ASSERT_TRUE(waitFor([&] { return dropped; }, 20'000));
    const int seat = b.client.seat();
    const QString token = b.client.token();
    ASSERT_TRUE(waitFor([&] { return !host.isConnected(seat); }));
    EXPECT_TRUE(table.isPerson(seat));
    // The table goes on without them: their turn stands by the limit.
    const std::uint64_t rounds = table.rounds();
    ASSERT_TRUE(waitFor([&] { return table.rounds() > rounds; }));
    const double money = table.money(seat);

    // Back, told the round so far, but not betting before the money is compared.
    b.autoPlay = false;
    b.join(host.port(), kCode, token);
    // The host takes the seat back before its welcome and the money have crossed the wire.
    ASSERT_TRUE(waitFor([&] { return host.isConnected(seat) && b.client.seat() != 0; }));
    EXPECT_EQ(b.client.seat(), seat);
    EXPECT_EQ(table.money(seat), money);
    EXPECT_EQ(table.nameAt(seat), "บี");
    EXPECT_TRUE(waitFor([&] { return b.lastMoney == money; }));
    b.autoPlay = true;
    const std::uint64_t back = table.rounds();
    ASSERT_TRUE(waitFor([&] { return table.rounds() > back + 1; }, 20'000));
    // The table settles a round before its last events have crossed the wire: the people stop
    // betting, and their games catch up with the table's books.
    a.autoPlay = b.autoPlay = false;
    EXPECT_TRUE(waitFor([&] { return b.lastMoney == table.money(seat); }))
        << b.lastMoney << " told, " << table.money(seat) << " at the table";
    EXPECT_EQ(a.seenTooEarly + b.seenTooEarly, 0);
}

class ShortKeep : public HostedTable
{
public:
    ShortKeep()
        : HostedTable(300)
    {
    }
};

// Not back in time: the computer takes the seat, and the old token no longer seats anyone.
TEST_F(ShortKeep, TheComputerTakesASeatNotTakenBackInTime)
{
    seat("เอ");
    Player &b = seat("บี");
    const int seat = b.client.seat();
    const QString token = b.client.token();
    b.client.abort();
    ASSERT_TRUE(waitFor([&] { return !table.isPerson(seat); }));
    b.join(host.port(), kCode, token);
    ASSERT_TRUE(waitFor([&] { return b.rejection.has_value(); }));
    EXPECT_EQ(*b.rejection, net::Rejection::UnknownToken);
}

// A host that closes its table tells everyone seated, and their games do not try to come back.
TEST(ClosedTable, EveryoneSeatedIsToldAndNoOneTriesAgain)
{
    cards::SeededRandom deals(5);
    table::TableController table(deals);
    auto host = std::make_unique<net::TableHost>(table, net::TableHost::Options { kCode });
    ASSERT_TRUE(host->listen(QHostAddress::LocalHost, 0));
    std::array<Player, 2> people { Player("เอ"), Player("บี") };
    int rejoinings = 0;
    for (Player &person : people) {
        person.autoPlay = false;
        person.client.setRejoinWithin(10'000);
        QObject::connect(&person.client, &net::TableClient::rejoining, &person.client,
                         [&] { ++rejoinings; });
        person.join(host->port(), kCode);
        ASSERT_TRUE(waitFor([&] { return person.client.seat() != 0; }));
    }
    host.reset();
    for (Player &person : people) {
        ASSERT_TRUE(waitFor([&] { return person.disconnects > 0; }));
        EXPECT_EQ(person.rejection, net::Rejection::TableClosed);
        EXPECT_EQ(person.rejectionText, QStringLiteral("เจ้าของโต๊ะปิดโต๊ะแล้ว"));
    }
    EXPECT_EQ(rejoinings, 0);
}

class LongTurns : public HostedTable
{
public:
    LongTurns()
        : HostedTable(60'000, 60'000)
    {
    }
};

// A game whose connection drops in its person's turn takes the seat back by itself, is told
// what it missed (and no face it must not see) and plays the turn it still shows: nothing waits
// out the limit. Meanwhile an action is refused at once.
TEST_F(LongTurns, AGameWhoseConnectionDropsTakesItsSeatBackAndPlaysItsTurn)
{
    CuttableProxy proxy(host.port());
    Player &a = seat("เอ");
    Player b("บี");
    b.client.setRejoinWithin(10'000);
    int rejoinings = 0;
    QObject::connect(&b.client, &net::TableClient::rejoining, &b.client, [&] {
        ++rejoinings;
        b.client.act(table::Stand {});
    });
    int turns = 0;
    b.onTurn = [&] {
        ++turns;
        proxy.cut();
        return true;
    };
    int welcomes = 0;
    QObject::connect(&b.client, &net::TableClient::welcomed, &b.client, [&](int seat) {
        if (++welcomes == 2)
            b.client.act(table.round()->mayStand(seat) ? table::Action(table::Stand {})
                                                       : table::Draw {});
    });
    b.client.connectTo(QStringLiteral("127.0.0.1"), proxy.port(), QStringLiteral("บี"), kCode);
    ASSERT_TRUE(waitFor([&] { return b.client.seat() != 0; }));
    const int seat = b.client.seat();

    ASSERT_TRUE(waitFor([&] { return !b.outcomes.empty(); }, 20'000));
    EXPECT_EQ(turns, 1);
    EXPECT_EQ(rejoinings, 1);
    EXPECT_EQ(welcomes, 2);
    EXPECT_EQ(b.refusals, (std::vector<table::Refusal> { table::Refusal::NotSeated }));
    EXPECT_EQ(b.disconnects, 0);
    EXPECT_EQ(b.client.seat(), seat);
    EXPECT_EQ(a.seenTooEarly + b.seenTooEarly, 0);
}

} // namespace

namespace {

class LongShowBound : public HostedTable
{
public:
    LongShowBound()
        : HostedTable(60'000, 300, 600'000)
    {
    }
};

// A person whose game sits down and then says nothing (no bet, no shown) is away once the bets
// close on them: every game hears it, and the other person's rounds go on without waiting on
// them. Were the silent game waited for, the first card would hold the table for the bound.
TEST_F(LongShowBound, ASilentPersonIsAwayAndTheTableGoesOnWithoutThem)
{
    Player &silent = seat("เงียบ", false);
    silent.answersShown = false;
    const int silentSeat = silent.client.seat();
    std::vector<table::SeatChanged> heardByA, heardBySilent;
    const auto keepSeatNews = [](std::vector<table::SeatChanged> &heard) {
        return [&heard](const table::Event &event) {
            if (const auto *seat = std::get_if<table::SeatChanged>(&event))
                heard.push_back(*seat);
        };
    };
    silent.onEvent = keepSeatNews(heardBySilent);
    Player a("เอ");
    a.onEvent = keepSeatNews(heardByA);
    a.join(host.port(), kCode);

    ASSERT_TRUE(waitFor([&] { return table.rounds() >= 5; }, 20'000)) << table.rounds();
    a.autoPlay = false;
    EXPECT_TRUE(table.isAway(silentSeat));
    const table::SeatChanged away { silentSeat, true, "เงียบ", true, true };
    EXPECT_TRUE(std::count(heardByA.begin(), heardByA.end(), away));
    EXPECT_TRUE(std::count(heardBySilent.begin(), heardBySilent.end(), away));
    EXPECT_GE(a.outcomes.size(), 4u);
    EXPECT_EQ(a.seenTooEarly + silent.seenTooEarly, 0);
}

// A person who leaves gives the seat back: their connection ends and holds the seat no more, so
// it can never act for whoever sits there next.
TEST_F(HostedTable, APersonWhoLeavesHoldsTheSeatNoMore)
{
    seat("เอ", false);
    Player &b = seat("บี", false);
    const int seat = b.client.seat();
    b.client.act(table::Leave {});
    ASSERT_TRUE(waitFor([&] { return b.disconnects > 0; }));
    EXPECT_FALSE(host.isConnected(seat));
    ASSERT_TRUE(waitFor([&] { return !table.isPerson(seat); }));
    // The token no longer seats anyone.
    Player back("บี");
    back.join(host.port(), kCode, b.client.token());
    ASSERT_TRUE(waitFor([&] { return back.rejection.has_value(); }));
    EXPECT_EQ(*back.rejection, net::Rejection::UnknownToken);
}

} // namespace
