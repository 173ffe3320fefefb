// The play history's costs: recording a round (each of 100,000 rounds of seeded play timed on its
// own, as the table records one before its outcome box), the bytes a round adds to the database,
// and opening "ประวัติการเล่น" over those 100,000 rounds until its chart is drawn.
//
//   bench_history [PICTURE]   PICTURE: also save the opened window there as a PNG
#include "history/HistoryStore.h"
#include "rules/pokdeng/Bets.h"
#include "rules/pokdeng/PlayedRound.h"
#include "rules/pokdeng/Round.h"
#include "support/Figures.h"
#include "support/OffscreenApplication.h"
#include "support/SimulatedPlay.h"
#include "windows/Frmhistory.h"
#include "windows/MoneyChart.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

using namespace pokdeng;
using namespace cards;

namespace {

// Fewer in a quick run.
const int kRounds = bench::rounds(100'000, 200);
const int kWindowOpenings = bench::rounds(9, 1);

double threadCpuMicroseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

// Prints the times under what, and records them under name.
void report(const char *what, const std::string &name, std::vector<double> times, const char *unit)
{
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) {
        return times[static_cast<std::size_t>(share * static_cast<double>(times.size() - 1))];
    };
    std::printf("    %-12s median %8.1f %s, 90th %8.1f, 99th %8.1f, worst %9.1f  (%zu)\n", what,
                at(0.5), unit, at(0.9), at(0.99), times.back(), times.size());
    bench::record(name + " median", at(0.5), unit);
    bench::record(name + " 90th", at(0.9), unit);
    bench::record(name + " 99th", at(0.99), unit);
    bench::record(name + " worst", times.back(), unit);
}

qint64 databaseBytes(const QString &path)
{
    qint64 bytes = 0;
    for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") })
        bytes += QFileInfo(path + suffix).size();
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    OffscreenApplication app(argc, argv);
    const QString path = HistoryStore::defaultPath();
    bench::setTopic("history/" + QGuiApplication::platformName().toStdString());

    std::printf("  recording a round, %d rounds of seeded play into %s\n", kRounds,
                qPrintable(path));
    std::vector<double> wall;
    std::vector<double> cpu;
    wall.reserve(kRounds);
    cpu.reserve(kRounds);
    double firstRoundMs = 0;
    {
        HistoryStore store(path);
        SeededRandom random(20261210);
        double money = kStartingMoney;
        qint64 at = QDateTime::currentMSecsSinceEpoch();
        store.beginSession(money, at);
        QElapsedTimer clock;
        for (int i = 0; i < kRounds; ++i) {
            PlayedRound played = playSimulatedRound(money, random);
            played.playedAtMs = at += 30'000;

            const double cpuBefore = threadCpuMicroseconds();
            clock.start();
            if (!store.record(played)) {
                std::printf("  round %d not recorded: %s\n", i, qPrintable(store.troubleDetail()));
                return 1;
            }
            const double microseconds = static_cast<double>(clock.nsecsElapsed()) / 1e3;
            if (i == 0) {
                // The first round opens the database: the driver is loaded and the tables made.
                firstRoundMs = microseconds / 1e3;
                continue;
            }
            wall.push_back(microseconds);
            cpu.push_back(threadCpuMicroseconds() - cpuBefore);
            if (isGameOver(money)) {
                store.endSession(at);
                money = kStartingMoney;
                store.beginSession(money, at);
            }
        }
        std::printf("    the first round, which opens and makes the database: %.1f ms\n",
                    firstRoundMs);
        bench::record("recording a round/the first round", firstRoundMs, "ms");
        report("wall clock", "recording a round/wall clock", wall, "us");
        report("thread CPU", "recording a round/thread CPU", cpu, "us");
        std::printf("    database with its log, still open: %.0f bytes a round\n",
                    static_cast<double>(databaseBytes(path)) / kRounds);
        bench::record("bytes a round, open", static_cast<double>(databaseBytes(path)) / kRounds,
                      "B");
    }
    // Closed: the log is copied into the database and removed.
    std::printf("    database closed: %lld bytes, %.0f bytes a round\n",
                static_cast<long long>(databaseBytes(path)),
                static_cast<double>(databaseBytes(path)) / kRounds);
    bench::record("bytes a round, closed", static_cast<double>(databaseBytes(path)) / kRounds, "B");

    std::printf("  opening ประวัติการเล่น over %d rounds, every round's figures, until it has "
                "painted\n",
                kRounds);
    std::vector<double> opening;
    std::vector<double> openingCpu;
    std::vector<double> chartPaint;
    for (int run = 0; run < kWindowOpenings; ++run) {
        // A fresh store each time, as a table whose own session has no rounds yet: the window
        // opens on every round kept.
        HistoryStore store(path);
        store.open();
        QElapsedTimer clock;
        const double cpuBefore = threadCpuMicroseconds();
        clock.start();
        {
            Frmhistory window(store);
            window.show();
            settleEvents();
            opening.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            openingCpu.push_back((threadCpuMicroseconds() - cpuBefore) / 1e3);
            // Every round's money, and each table's money before its first round.
            MoneyChart *chart = window.findChild<MoneyChart *>();
            if (window.scope() != HistoryStore::Scope::AllTime
                || chart->series().size()
                    != static_cast<std::size_t>(kRounds) + 1 + chart->tableStarts().size()) {
                std::printf("  the window did not open on every round\n");
                return 1;
            }
            clock.start();
            chart->repaint();
            chartPaint.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            if (run == 0 && argc > 1)
                window.grab().save(QString::fromLocal8Bit(argv[1]));
        }
        settleEvents();
    }
    report("wall clock", "opening the window/wall clock", opening, "ms");
    report("thread CPU", "opening the window/thread CPU", openingCpu, "ms");
    report("chart paint", "opening the window/chart paint", chartPaint, "ms");
    return 0;
}
