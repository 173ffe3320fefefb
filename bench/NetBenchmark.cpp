// Network play over loopback: a table's host and three people's games, each on a thread and an
// event loop of its own, talking over real TCP sockets on 127.0.0.1 as games on four machines
// would. It times an action to every view updated: from a person's act() (a bet, a draw or a
// stand) until all three games have been told what it did (BetChosen, SeatDecided); the host's
// CPU time a round (its thread's own clock); and the bytes a person's game receives and sends a
// round (each message with its length prefix).
//
// The clock is the machine's monotonic one, read on the acting person's thread just before
// act() and on each person's thread as its view is told. The four event loops run at once, as
// separate programs would, but share this machine's cores with one another (and with whatever
// else runs); a person's game does nothing but answer at once, so the figures are the wire's and
// the host's, not a window's.
#include "net/Protocol.h"
#include "net/TableClient.h"
#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "rules/pokdeng/Bets.h"
#include "support/Figures.h"
#include "table/TableController.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <pthread.h>
#include <semaphore>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPeople = 3;
const QString kCode = QStringLiteral("4321");

// What the actions' times are kept by: a bet, or a turn's draw or stand.
enum class Kind { Bet, Turn };

// Each seat's action under way, and the times of those every view has been told of.
class Stopwatch
{
public:
    // The person at seat acts now.
    void start(int seat, Kind kind)
    {
        const Clock::time_point now = Clock::now();
        const std::lock_guard lock(m_mutex);
        m_pending[static_cast<std::size_t>(seat)] = Pending { true, kind, now, 0 };
    }

    // The view of person `viewer` (0..2) was told what seat did.
    void told(int viewer, int seat, Kind kind)
    {
        const Clock::time_point now = Clock::now();
        const std::lock_guard lock(m_mutex);
        Pending &pending = m_pending[static_cast<std::size_t>(seat)];
        if (!pending.active || pending.kind != kind)
            return;
        pending.told |= 1U << viewer;
        if (pending.told != (1U << kPeople) - 1)
            return;
        pending.active = false;
        const double ms = std::chrono::duration<double, std::milli>(now - pending.since).count();
        (kind == Kind::Bet ? m_bets : m_turns).push_back(ms);
    }

    void clear()
    {
        const std::lock_guard lock(m_mutex);
        m_bets.clear();
        m_turns.clear();
    }

    std::vector<double> bets() const
    {
        const std::lock_guard lock(m_mutex);
        return m_bets;
    }
    std::vector<double> turns() const
    {
        const std::lock_guard lock(m_mutex);
        return m_turns;
    }

private:
    struct Pending
    {
        bool active = false;
        Kind kind = Kind::Bet;
        Clock::time_point since;
        unsigned told = 0;
    };
    mutable std::mutex m_mutex;
    std::array<Pending, 4> m_pending {}; // by seat, 1..3
    std::vector<double> m_bets;
    std::vector<double> m_turns;
};

// A person's game that answers at once: the least bet, a stand (or a draw when it must), every
// paced event shown. One who runs out of money leaves and joins again with a new seat's worth.
class Person final : public table::TableView
{
public:
    Person(int index, Stopwatch &stopwatch, quint16 port)
        : m_index(index)
        , m_stopwatch(stopwatch)
        , m_port(port)
    {
        m_client.setView(this);
        QObject::connect(&m_client, &net::TableClient::bytesReceived, &m_client,
                         [this](const QByteArray &body) { received += body.size() + 4; });
        QObject::connect(&m_client, &net::TableClient::disconnected, &m_client, [this] {
            if (m_leaving) {
                m_leaving = false;
                join();
            }
        });
        join();
    }

    void tell(std::uint64_t step, const table::Event &event) override
    {
        if (const auto *chosen = std::get_if<table::BetChosen>(&event))
            m_stopwatch.told(m_index, chosen->seat, Kind::Bet);
        if (const auto *decided = std::get_if<table::SeatDecided>(&event))
            m_stopwatch.told(m_index, decided->seat, Kind::Turn);

        if (const auto *bets = std::get_if<table::BetsOpen>(&event);
            bets && !pokdeng::isGameOver(bets->money) && !bets->offered.empty()) {
            m_stopwatch.start(m_client.seat(), Kind::Bet);
            act(table::ChooseBet { bets->offered.front() });
        }
        if (const auto *status = std::get_if<table::StatusShown>(&event);
            status && status->yourTurn) {
            m_stopwatch.start(m_client.seat(), Kind::Turn);
            act(status->mayStand ? table::Action(table::Stand {}) : table::Draw {});
        }
        if (std::holds_alternative<table::GameOver>(event)) {
            m_leaving = true;
            act(table::Leave {});
        }
        if (table::isPaced(event)) {
            sent += net::encode(net::Shown { step }).size();
            m_client.shown(step);
        }
    }

    std::atomic<qint64> received = 0;
    std::atomic<qint64> sent = 0;

private:
    void join()
    {
        m_client.connectTo(QStringLiteral("127.0.0.1"), m_port,
                           QStringLiteral("คนที่ %1").arg(m_index + 1), kCode);
    }

    void act(const table::Action &action)
    {
        sent += net::encode(net::ActionMessage { action }).size();
        m_client.act(action);
    }

    int m_index;
    Stopwatch &m_stopwatch;
    quint16 m_port;
    net::TableClient m_client;
    bool m_leaving = false;
};

// The host's game: the table and its host on an event loop of their own.
class HostThread final : public QThread
{
public:
    void run() override
    {
        cards::SeededRandom deals(21);
        table::TableController table(deals);
        net::TableHost host(table, net::TableHost::Options { kCode });
        QObject::connect(&table, &table::TableController::roundSettled, &table,
                         [this] { ++rounds; });
        if (host.listen(QHostAddress::LocalHost, 0)) {
            port = host.port();
            pthread_getcpuclockid(pthread_self(), &cpuClock);
        }
        ready.release();
        if (port != 0)
            exec();
    }

    // Its CPU time so far, in milliseconds.
    double cpuMs() const
    {
        timespec time {};
        clock_gettime(cpuClock, &time);
        return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
    }

    std::binary_semaphore ready { 0 };
    quint16 port = 0;
    clockid_t cpuClock {};
    std::atomic<std::uint64_t> rounds = 0;
};

class PersonThread final : public QThread
{
public:
    PersonThread(int index, Stopwatch &stopwatch, quint16 port)
        : m_index(index)
        , m_stopwatch(stopwatch)
        , m_port(port)
    {
    }

    void run() override
    {
        Person me(m_index, m_stopwatch, m_port);
        person = &me;
        ready.release();
        exec();
        person = nullptr;
    }

    std::binary_semaphore ready { 0 };
    std::atomic<Person *> person = nullptr;

private:
    int m_index;
    Stopwatch &m_stopwatch;
    quint16 m_port;
};

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * double(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

// Waits until the host has settled `rounds` rounds or the deadline has passed.
bool waitForRounds(const HostThread &host, std::uint64_t rounds, Clock::time_point deadline)
{
    while (host.rounds < rounds && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return host.rounds >= rounds;
}

void recordLatencies(const char *what, const std::vector<double> &times)
{
    const std::string name = std::string("an action to every view updated, ") + what;
    bench::record(name + ", median", percentile(times, 0.5), "ms");
    bench::record(name + ", 99th percentile", percentile(times, 0.99), "ms");
    bench::record(name + ", most", percentile(times, 1.0), "ms");
    std::printf("%-28s %6zu actions: median %.3f ms, 99th percentile %.3f ms, most %.3f ms\n", what,
                times.size(), percentile(times, 0.5), percentile(times, 0.99),
                percentile(times, 1.0));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The host's log of joins and leaves would bury the figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtInfoMsg && type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    bench::setTopic("net");
    const std::uint64_t warmUp = static_cast<std::uint64_t>(bench::rounds(20, 1));
    const std::uint64_t measured = static_cast<std::uint64_t>(bench::rounds(2000, 3));
    const Clock::time_point deadline
        = Clock::now() + std::chrono::seconds(bench::quick() ? 30 : 180);

    HostThread host;
    host.start();
    host.ready.acquire();
    if (host.port == 0) {
        std::fprintf(stderr, "the host could not listen on 127.0.0.1\n");
        host.wait();
        return 1;
    }
    Stopwatch stopwatch;
    std::vector<std::unique_ptr<PersonThread>> people;
    for (int index = 0; index < kPeople; ++index) {
        people.push_back(std::make_unique<PersonThread>(index, stopwatch, host.port));
        people.back()->start();
        people.back()->ready.acquire();
    }

    const auto bytes = [&] {
        std::array<std::pair<qint64, qint64>, kPeople> counts {};
        for (int index = 0; index < kPeople; ++index)
            counts[index] = { people[index]->person.load()->received.load(),
                              people[index]->person.load()->sent.load() };
        return counts;
    };

    int status = 0;
    if (!waitForRounds(host, warmUp, deadline)) {
        std::fprintf(stderr, "the table settled no round within the time limit\n");
        status = 1;
    } else {
        stopwatch.clear();
        const std::uint64_t firstRound = host.rounds;
        const double firstCpu = host.cpuMs();
        const auto firstBytes = bytes();
        const Clock::time_point firstTime = Clock::now();
        waitForRounds(host, firstRound + measured, deadline);
        const std::uint64_t rounds = host.rounds - firstRound;
        const double cpu = host.cpuMs() - firstCpu;
        const auto lastBytes = bytes();
        const double seconds = std::chrono::duration<double>(Clock::now() - firstTime).count();
        if (rounds == 0) {
            std::fprintf(stderr, "the table settled no round after the warm-up\n");
            status = 1;
        } else {
            const std::vector<double> bets = stopwatch.bets();
            const std::vector<double> turns = stopwatch.turns();
            std::vector<double> all = bets;
            all.insert(all.end(), turns.begin(), turns.end());
            std::printf("%llu rounds in %.1f s\n", static_cast<unsigned long long>(rounds),
                        seconds);
            recordLatencies("every action", all);
            recordLatencies("a bet", bets);
            recordLatencies("a draw or a stand", turns);
            bench::record("rounds a second", double(rounds) / seconds, "rounds/s");
            bench::record("host CPU a round", cpu * 1000 / double(rounds), "us");
            std::printf("host CPU a round: %.1f us\n", cpu * 1000 / double(rounds));
            double received = 0;
            double sent = 0;
            for (int index = 0; index < kPeople; ++index) {
                received += double(lastBytes[index].first - firstBytes[index].first);
                sent += double(lastBytes[index].second - firstBytes[index].second);
            }
            received /= double(rounds) * kPeople;
            sent /= double(rounds) * kPeople;
            bench::record("bytes a round a person receives", received, "bytes");
            bench::record("bytes a round a person sends", sent, "bytes");
            std::printf("bytes a round a person: %.0f received, %.0f sent\n", received, sent);
        }
    }

    for (auto &person : people) {
        person->quit();
        person->wait();
    }
    host.quit();
    host.wait();
    return status;
}
