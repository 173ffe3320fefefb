// A long evening at a hosted table over the real protocol on loopback: three scripted people,
// each a process of its own (NetPlayerProcess), play a thousand rounds. Fifty times one of them,
// at random, is killed (SIGKILL) in its turn and a new process comes back to the seat with the
// killed one's token. Who loses everything leaves, and a newcomer takes the seat. Every person's
// money is what their own outcomes add up to, each worked out again from its cards, and the
// host's memory stays flat.
//
// The host runs in this process, so its memory is measured alone and its table is read directly.
#include "NetPlayers.h"
#include "ProgramProcesses.h"

#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "rules/pokdeng/Bets.h"
#include "table/TableController.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

using nettest::ProgramProcess;

namespace {

const QString kPlayer = QStringLiteral(POKDENG_PLAYER_PROCESS);
const QString kCode = QStringLiteral("777777");

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

// One person's books, kept from the lines of every process that played for them.
struct Books
{
    double settled = pokdeng::kStartingMoney; // the start and each outcome's change from its cards
    std::optional<double> told; // the money the table last told them
    int outcomes = 0;
    int disagreements = 0; // outcomes whose change the cards do not give
    int early = 0; // faces seen before their time
    int mismatches = 0; // outcomes whose cards differ from those shown
    bool over = false; // left with too little money to stake
};

class Evening
{
public:
    Evening(table::TableController &table, net::TableHost &host)
        : m_table(table)
        , m_host(host)
    {
    }

    // A process for name at the table: a new person, or the one of token coming back.
    void sit(const QString &name, const QString &token = {})
    {
        auto process = std::make_unique<ProgramProcess>();
        ProgramProcess *p = process.get();
        p->onLine = [this, p, name](const QString &line) { read(*p, name, line); };
        QStringList arguments { QStringLiteral("--port"), QString::number(m_host.port()),
                                QStringLiteral("--code"), kCode,
                                QStringLiteral("--name"), name,
                                QStringLiteral("--hold"), QStringLiteral("--seconds"),
                                QStringLiteral("600") };
        if (!token.isEmpty())
            arguments << QStringLiteral("--token") << token;
        p->start(kPlayer, arguments);
        m_players[name] = std::move(process);
    }

    // Kills name's process in its turn and brings a new one back with its token.
    void kill(const QString &name)
    {
        ProgramProcess &process = *m_players[name];
        const int seat = m_seats[name];
        process.signal(SIGKILL);
        process.process.waitForFinished(5000);
        ++kills;
        // Back once the host has seen the connection go, as a game that reconnects would be.
        if (!ProgramProcess::waitUntil([&] { return !m_host.isConnected(seat); }, 10'000))
            ADD_FAILURE() << "the host did not see the killed connection go";
        sit(name, m_tokens[name]);
    }

    void read(ProgramProcess &process, const QString &name, const QString &line)
    {
        Books &books = m_books[name];
        const QStringList words = line.split(QLatin1Char(' '));
        const QString &what = words.front();
        if (what == QStringLiteral("welcome") && words.size() == 3) {
            m_seats[name] = words[1].toInt();
            m_tokens[name] = words[2];
        } else if (what == QStringLiteral("turn")) {
            if (!m_stopped && kills < kKills && m_table.rounds() >= 20 && m_coin() % 20 == 0) {
                QTimer::singleShot(0, &m_host, [this, name] { kill(name); });
                return;
            }
            process.write("go\n");
        } else if (what == QStringLiteral("outcome") && words.size() == 4) {
            ++books.outcomes;
            books.disagreements += words[1] != words[2];
            books.settled += words[2].toDouble();
        } else if (what == QStringLiteral("money") && words.size() == 2) {
            books.told = words[1].toDouble();
        } else if (what == QStringLiteral("idle")) {
            ++m_idle;
        } else if (what == QStringLiteral("early")) {
            ++books.early;
        } else if (what == QStringLiteral("mismatch")) {
            ++books.mismatches;
        } else if (what == QStringLiteral("over")) {
            // Too little left to stake: the person leaves and a newcomer takes the seat.
            books.over = true;
            const QString newcomer = QStringLiteral("มาใหม่%1").arg(++m_newcomers);
            QTimer::singleShot(0, &m_host, [this, newcomer] { sit(newcomer); });
        }
    }

    // Every process stops choosing bets; true once the table is quiet, each having been offered
    // a bet it did not take.
    bool stop()
    {
        m_stopped = true;
        m_idle = 0;
        for (auto &[name, process] : m_players)
            if (process->isRunning())
                process->write("stop\n");
        // A turn met on the way is played as offered.
        return ProgramProcess::waitUntil(
            [this] {
                if (const int seat = m_table.turnSeat())
                    for (auto &[name, process] : m_players)
                        if (m_seats[name] == seat && process->isRunning())
                            process->write("go\n");
                return m_idle >= seated();
            },
            30'000);
    }

    int seated() const
    {
        int n = 0;
        for (const auto &[name, process] : m_players)
            n += process->isRunning();
        return n;
    }

    static constexpr int kKills = 50;
    int kills = 0;
    std::map<QString, Books> m_books;
    std::map<QString, int> m_seats;
    std::map<QString, std::unique_ptr<ProgramProcess>> m_players;

private:
    table::TableController &m_table;
    net::TableHost &m_host;
    std::map<QString, QString> m_tokens;
    std::mt19937 m_coin { 50 };
    int m_newcomers = 0;
    int m_idle = 0;
    bool m_stopped = false;
};

TEST(NetSoak, AThousandRoundsWithFiftyPlayersKilledInTheirTurn)
{
    constexpr std::uint64_t kRounds = 1000;
    // The host's thousands of log lines are not this test's output.
    QLoggingCategory::setFilterRules(QStringLiteral("default.info=false"));
    cards::SeededRandom deals(2112);
    // A killed player's process is back well within its turn's limit, so the round it was killed
    // in still reaches the new process.
    table::TableController table(deals, table::TableController::Limits { 3000, 3000 });
    net::TableHost host(table, net::TableHost::Options { kCode, 60'000, 20, 3 });
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));

    Evening evening(table, host);
    for (const QString &name :
         { QStringLiteral("หนึ่ง"), QStringLiteral("สอง"), QStringLiteral("สาม") }) {
        evening.sit(name);
        ASSERT_TRUE(
            ProgramProcess::waitUntil([&] { return evening.m_seats.count(name) > 0; }, 20'000))
            << evening.m_players[name]->err.toStdString();
    }

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(ProgramProcess::waitUntil([&] { return table.rounds() >= 100; }, 60'000))
        << "rounds " << table.rounds();
    const long warmKiB = residentKiB();
    ASSERT_TRUE(ProgramProcess::waitUntil(
        [&] { return table.rounds() >= kRounds && evening.kills >= Evening::kKills; }, 240'000))
        << "rounds " << table.rounds() << ", kills " << evening.kills;
    const std::uint64_t played = table.rounds();
    const long endKiB = residentKiB();
    ASSERT_TRUE(evening.stop()) << "the table did not come to rest";
    std::printf("rounds %llu, players killed in their turn %d, %lld ms; RSS %ld KiB after "
                "warm-up, %ld KiB at the end\n",
                static_cast<unsigned long long>(played), evening.kills,
                static_cast<long long>(clock.elapsed()), warmKiB, endKiB);

    for (const auto &[name, books] : evening.m_books) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(books.early, 0);
        EXPECT_EQ(books.mismatches, 0);
        EXPECT_EQ(books.disagreements, 0);
        // A newcomer who sat down as the evening ended may not have been told any money yet.
        EXPECT_DOUBLE_EQ(books.told.value_or(pokdeng::kStartingMoney), books.settled)
            << books.outcomes << " outcomes";
        const int seat = evening.m_seats.at(name);
        if (books.over) {
            EXPECT_TRUE(pokdeng::isGameOver(books.settled));
        } else {
            EXPECT_EQ(table.nameAt(seat), name.toStdString());
            EXPECT_DOUBLE_EQ(table.money(seat), books.settled);
        }
    }
    // Flat: what a long evening adds is within a few MiB of the warmed-up host. AddressSanitizer
    // keeps freed memory aside (its quarantine, up to 256 MiB) to catch late uses, so there the
    // figure says nothing about the host.
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(endKiB - warmKiB, 8 * 1024);
#endif
}

} // namespace
