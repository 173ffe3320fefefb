// Off the loopback: two network namespaces made by the test, joined by a veth pair, one game in
// each. A table announced in one is found from the other by its veth address, and the real
// program hosting in one is found and played at from the other. Needs root (to make namespaces)
// and iproute2; skipped, with the reason, where they are missing. No address outside the two
// namespaces is ever used.
#include "ProgramProcesses.h"

#include <QProcess>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>

#include <unistd.h>

namespace {

// Runs a command to its end (at most 20 s); its exit code, -1 when it could not run.
int run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20'000)) {
        process.kill();
        process.waitForFinished(1000);
        return -1;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Two namespaces, "host" at 10.213.0.1 and "player" at 10.213.0.2 on the veth pair between
// them; both removed again when the test ends, whatever happened.
class TwoNamespaces : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "making network namespaces needs root";
        if (run(QStringLiteral("ip"), { QStringLiteral("-V") }) != 0)
            GTEST_SKIP() << "iproute2 (ip) is not installed";
        const QString id = QString::number(getpid());
        host = QStringLiteral("pokdeng-host-") + id;
        player = QStringLiteral("pokdeng-player-") + id;
        const QString hostEnd = QStringLiteral("pdh") + id;
        const QString playerEnd = QStringLiteral("pdp") + id;
        const QList<QStringList> steps = {
            { "netns", "add", host },
            { "netns", "add", player },
            { "-n", host, "link", "add", hostEnd, "type", "veth", "peer", "name", playerEnd,
              "netns", player },
            { "-n", host, "addr", "add", "10.213.0.1/24", "broadcast", "10.213.0.255", "dev",
              hostEnd },
            { "-n", player, "addr", "add", "10.213.0.2/24", "broadcast", "10.213.0.255", "dev",
              playerEnd },
            { "-n", host, "link", "set", hostEnd, "up" },
            { "-n", player, "link", "set", playerEnd, "up" },
            { "-n", host, "link", "set", "lo", "up" },
            { "-n", player, "link", "set", "lo", "up" },
        };
        for (const QStringList &step : steps)
            if (run(QStringLiteral("ip"), step) != 0)
                GTEST_SKIP() << "could not make the namespaces: ip " << qPrintable(step.join(' '));
    }

    void TearDown() override
    {
        // Removing a namespace removes its end of the veth pair, and so the pair.
        for (const QString &name : { host, player })
            if (!name.isEmpty())
                run(QStringLiteral("ip"), { QStringLiteral("netns"), QStringLiteral("del"), name });
    }

    // Starts program with arguments inside the namespace.
    static void startIn(nettest::ProgramProcess &process, const QString &name,
                        const QStringList &command)
    {
        process.start(QStringLiteral("ip"),
                      QStringList { QStringLiteral("netns"), QStringLiteral("exec"), name }
                          + command);
    }
    static void startIn(QProcess &process, const QString &name, const QStringList &command)
    {
        process.start(QStringLiteral("ip"),
                      QStringList { QStringLiteral("netns"), QStringLiteral("exec"), name }
                          + command);
    }

    QString host, player;
};

TEST_F(TwoNamespaces, ATableAnnouncedInOneIsFoundFromTheOther)
{
    QProcess announcer, finder;
    startIn(
        finder, player,
        { QStringLiteral(POKDENG_DISCOVERY_PROBE), QStringLiteral("find"), QStringLiteral("10") });
    startIn(announcer, host,
            { QStringLiteral(POKDENG_DISCOVERY_PROBE), QStringLiteral("announce"),
              QStringLiteral("10"), QStringLiteral("โต๊ะในเครือข่าย") });
    ASSERT_TRUE(finder.waitForFinished(15'000));
    const QString found = QString::fromUtf8(finder.readAllStandardOutput());
    EXPECT_EQ(found.trimmed(), QStringLiteral("10.213.0.1 47100 โต๊ะในเครือข่าย"));
    announcer.kill();
    announcer.waitForFinished(5000);
}

TEST_F(TwoNamespaces, ThePlayersFindTheRealHostByItsAnnouncementAndPlayThere)
{
    const QString code = QStringLiteral("135246");
    nettest::ProgramProcess table;
    // `ip netns exec` becomes the program, so a signal to it reaches the host itself. The host
    // announces only when asked to; here its broadcast stays on the test's own veth pair.
    startIn(table, host,
            { QStringLiteral(POKDENG_PROGRAM), QStringLiteral("--host"),
              QStringLiteral("--announce"), QStringLiteral("--port"), QStringLiteral("0"),
              QStringLiteral("--code"), code, QStringLiteral("--name"),
              QStringLiteral("โต๊ะข้ามเครือข่าย") });
    const auto opened = table.waitForLine(QStringLiteral("^เปิดโต๊ะแล้วที่พอร์ต (\\d+)"), 20'000);
    ASSERT_TRUE(opened) << table.err.toStdString();
    const QStringList names
        = { QStringLiteral("เหนือ"), QStringLiteral("ใต้"), QStringLiteral("กลาง") };
    std::map<QString, nettest::ProgramProcess> players;
    for (const QString &name : names)
        startIn(players[name], player,
                { QStringLiteral(POKDENG_PLAYER_PROCESS), QStringLiteral("--find"),
                  QStringLiteral("--code"), code, QStringLiteral("--name"), name,
                  QStringLiteral("--rounds"), QStringLiteral("3") });
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        nettest::ProgramProcess &p = players[name];
        EXPECT_EQ(p.waitForExit(60'000), 0) << p.out.toStdString() << p.err.toStdString();
        // Found by the announcement from the host's namespace, at its veth address.
        EXPECT_EQ(p.count(QStringLiteral("^found 10\\.213\\.0\\.1 %1$").arg(opened->captured(1))),
                  1)
            << p.out.toStdString();
        EXPECT_EQ(p.count(QStringLiteral("^early$")), 0);
        EXPECT_EQ(p.count(QStringLiteral("^mismatch$")), 0);
        const nettest::Report report = nettest::reportOf(p);
        EXPECT_GE(report.outcomes, 3);
        EXPECT_EQ(report.disagreements, 0);
        ASSERT_TRUE(report.money);
        EXPECT_DOUBLE_EQ(*report.money, report.settled);
        EXPECT_EQ(table.count(QStringLiteral("ที่นั่ง [123]: %1 เข้าร่วมโต๊ะ$").arg(name), true), 1);
    }
    // Every connection came from the players' namespace.
    EXPECT_EQ(table.count(QStringLiteral("การเชื่อมต่อ \\d+ จาก (::ffff:)?10\\.213\\.0\\.2$"), true),
              names.size())
        << table.err.toStdString();
    table.signal(SIGTERM);
    EXPECT_EQ(table.waitForExit(10'000), 0) << table.err.toStdString();
}

} // namespace
