// A long evening at a hosted table over the real protocol on loopback: three scripted people
// play a thousand rounds while one of them, at random, loses the connection in their turn fifty
// times and comes back with the seat token. Everyone's money is what their own outcomes add up
// to, and the program's memory stays flat.
#include "NetPlayers.h"

#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "table/TableController.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace nettest;

namespace {

// This process's resident memory in KiB.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

TEST(NetSoak, UpToAThousandRoundsWithFiftyLostConnections)
{
    constexpr std::uint64_t kRounds = 1000;
    constexpr int kDrops = 50;
    const QString code = QStringLiteral("7777");
    cards::SeededRandom deals(2112);
    table::TableController table(deals, table::TableController::Limits { 300, 300 });
    net::TableHost host(table, net::TableHost::Options { code, 60'000, 20, 3 });
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));

    std::vector<std::unique_ptr<Player>> players;
    for (const char *name : { "หนึ่ง", "สอง", "สาม" }) {
        players.push_back(std::make_unique<Player>(name));
        players.back()->join(host.port(), code);
        ASSERT_TRUE(waitFor([&] { return players.back()->client.seat() != 0; }));
    }

    std::mt19937 coin(50);
    int drops = 0;
    for (auto &p : players) {
        Player *player = p.get();
        player->onTurn = [&, player] {
            if (drops >= kDrops || table.rounds() < 20 || coin() % 15 != 0)
                return false;
            ++drops;
            const QString token = player->client.token();
            player->client.abort();
            // Back on a later turn of the loop, as a game that reconnects does.
            QTimer::singleShot(0, &player->client, [&host, &code, player, token] {
                player->join(host.port(), code, token);
            });
            return true;
        };
    }

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(waitFor([&] { return table.rounds() >= 100; }, 60'000));
    const long warmKiB = residentKiB();
    // Bounded in time: the table stops dealing once everyone's money is gone, and a lost
    // connection's turn waits out its limit, so the figures reached are printed.
    const auto allOver = [&] {
        return std::all_of(players.begin(), players.end(),
                           [&](const auto &p) { return table.isGameOver(p->client.seat()); });
    };
    waitFor([&] { return (table.rounds() >= kRounds && drops >= kDrops) || allOver(); }, 120'000);
    // Everyone back at the table before the books are closed.
    ASSERT_TRUE(waitFor([&] {
        return std::all_of(players.begin(), players.end(),
                           [&](const auto &p) { return host.isConnected(p->client.seat()); });
    }));
    const std::uint64_t end = table.rounds();
    if (!allOver()) {
        ASSERT_TRUE(waitFor([&] { return table.rounds() > end; })); // settled with all back
    }
    const long endKiB = residentKiB();
    std::printf("rounds %llu, lost connections %d, %lld ms; RSS %ld KiB after warm-up, %ld KiB at "
                "the end\n",
                static_cast<unsigned long long>(table.rounds()), drops,
                static_cast<long long>(clock.elapsed()), warmKiB, endKiB);
    EXPECT_GE(drops, 5);
    for (const auto &p : players) {
        SCOPED_TRACE(p->name);
        const int seat = p->client.seat();
        EXPECT_EQ(p->seenTooEarly, 0);
        EXPECT_EQ(p->settledMoney(), table.money(seat));
        EXPECT_EQ(p->lastMoney, table.money(seat));
        EXPECT_EQ(table.nameAt(seat), p->name);
    }
    // Flat: what a long evening adds is within a few MiB of the warmed-up program.
    EXPECT_LT(endKiB - warmKiB, 8 * 1024);
}

} // namespace
