// The real program from its command line: `pokdeng --help` and wrong options, `pokdeng --host`
// with no display, played at by scripted player processes (NetPlayerProcess) over the loopback,
// `pokdeng --join` seated at it, its refusals, and its end on a signal.
#include "ProgramProcesses.h"
#include "support/RowName.h"

#include "net/Protocol.h"
#include "net/TableDiscovery.h"

#include <QDirIterator>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using nettest::kNoDisplay;
using nettest::ProgramProcess;
using nettest::Report;
using nettest::reportOf;

namespace {

const QString kProgram = QStringLiteral(POKDENG_PROGRAM);
const QString kPlayer = QStringLiteral(POKDENG_PLAYER_PROCESS);
const QString kCode = QStringLiteral("246810");

// Starts `pokdeng --host --port 0 --code kCode` (and the options in more) and returns the port it
// printed (0 on failure).
quint16 startHost(ProgramProcess &host, const QStringList &more = {},
                  const QStringList &environment = {})
{
    host.start(kProgram,
               QStringList { QStringLiteral("--host"), QStringLiteral("--port"),
                             QStringLiteral("0"), QStringLiteral("--code"), kCode,
                             QStringLiteral("--name"), QStringLiteral("โต๊ะทดสอบ") }
                   + more,
               kNoDisplay + environment);
    const auto line
        = host.waitForLine(QStringLiteral("^เปิดโต๊ะแล้วที่พอร์ต (\\d+) รหัสเข้าร่วม (\\d+)"), 20'000);
    if (!line || line->captured(2) != kCode)
        return 0;
    return static_cast<quint16>(line->captured(1).toUInt());
}

void startPlayer(ProgramProcess &player, quint16 port, const QString &name,
                 const QStringList &more = {})
{
    player.start(kPlayer,
                 QStringList { QStringLiteral("--port"), QString::number(port),
                               QStringLiteral("--code"), kCode, QStringLiteral("--name"), name }
                     + more);
}

// ---- The command line ----

TEST(CommandLine, HelpListsTheOptionsInThaiWithNoDisplay)
{
    ProgramProcess help;
    help.start(kProgram, { QStringLiteral("--help") }, kNoDisplay);
    ASSERT_EQ(help.waitForExit(20'000), 0) << help.err.toStdString();
    for (const char *option : { "--host", "--port", "--code", "--join", "--name", "--help",
                                "--announce", "--no-announce" })
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(help.out.contains(QStringLiteral("เปิดโต๊ะเล่นกับเพื่อนโดยไม่มีหน้าต่าง")));
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
}

struct WrongLine
{
    const char *name;
    QStringList arguments;
    const char *says; // a part of the Thai reason on the standard error
};

class WrongCommandLine : public ::testing::TestWithParam<WrongLine>
{
};

TEST_P(WrongCommandLine, IsSaidInThaiAndEndsWithTwo)
{
    ProgramProcess program;
    program.start(kProgram, GetParam().arguments, kNoDisplay);
    ASSERT_EQ(program.waitForExit(20'000), 2);
    EXPECT_TRUE(program.err.contains(QString::fromUtf8(GetParam().says)))
        << program.err.toStdString();
    EXPECT_TRUE(program.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WrongCommandLine,
    ::testing::Values(
        WrongLine { "unknown_option", { QStringLiteral("--hots") }, "ไม่รู้จักตัวเลือก --hots" },
        WrongLine { "stray_word", { QStringLiteral("host") }, "ไม่รู้จัก host" },
        WrongLine { "port_without_value",
                    { QStringLiteral("--host"), QStringLiteral("--port") },
                    "ต้องมีค่าตามหลัง" },
        WrongLine { "port_out_of_range",
                    { QStringLiteral("--host"), QStringLiteral("--port"), QStringLiteral("65536") },
                    "พอร์ตต้องเป็นตัวเลข" },
        WrongLine { "code_no_friend_can_type",
                    { QStringLiteral("--host"), QStringLiteral("--code"), QStringLiteral("abc") },
                    "รหัสเข้าร่วมต้องเป็นตัวเลข 6 หลัก" },
        WrongLine { "host_and_join",
                    { QStringLiteral("--host"), QStringLiteral("--join"),
                      QStringLiteral("127.0.0.1:47100") },
                    "อย่างใดอย่างหนึ่ง" },
        WrongLine { "join_without_code",
                    { QStringLiteral("--join"), QStringLiteral("127.0.0.1:47100"),
                      QStringLiteral("--name"), QStringLiteral("ก") },
                    "--code" },
        WrongLine { "join_without_name",
                    { QStringLiteral("--join"), QStringLiteral("127.0.0.1:47100"),
                      QStringLiteral("--code"), QStringLiteral("123456") },
                    "--name" },
        WrongLine { "join_bad_address",
                    { QStringLiteral("--join"), QStringLiteral("[::1:47100"),
                      QStringLiteral("--code"), QStringLiteral("123456"), QStringLiteral("--name"),
                      QStringLiteral("ก") },
                    "ที่อยู่โต๊ะไม่ถูกต้อง" },
        WrongLine { "name_the_record_cannot_keep",
                    { QStringLiteral("--join"), QStringLiteral("127.0.0.1:47100"),
                      QStringLiteral("--code"), QStringLiteral("123456"), QStringLiteral("--name"),
                      QStringLiteral("a$b") },
                    "$" },
        WrongLine { "name_too_long",
                    { QStringLiteral("--join"), QStringLiteral("127.0.0.1:47100"),
                      QStringLiteral("--code"), QStringLiteral("123456"), QStringLiteral("--name"),
                      QString(31, QLatin1Char('n')) },
                    "ยาวเกิน 30" },
        WrongLine { "announce_and_not",
                    { QStringLiteral("--host"), QStringLiteral("--announce"),
                      QStringLiteral("--no-announce") },
                    "อย่างใดอย่างหนึ่ง" },
        WrongLine { "announce_a_joined_table",
                    { QStringLiteral("--join"), QStringLiteral("127.0.0.1:47100"),
                      QStringLiteral("--code"), QStringLiteral("123456"), QStringLiteral("--name"),
                      QStringLiteral("ก"), QStringLiteral("--announce") },
                    "--announce ใช้กับ --host เท่านั้น" },
        WrongLine { "code_without_host_or_join",
                    { QStringLiteral("--code"), QStringLiteral("123456") },
                    "ใช้คู่กับ --host หรือ --join" }),
    RowNamer());

// ---- The host with no window ----

// A host with no window announces its table only when asked to: on a rented server a broadcast
// reaches the provider's network, not friends. The announcements are aimed at the loopback here.
TEST(HostProcess, AnnouncesItsTableOnlyWithAnnounce)
{
    const QString aimedAtLoopback
        = QString::fromLatin1(TableAnnouncer::kAnnounceToVariable) + QStringLiteral("=127.0.0.1");
    for (const bool announce : { false, true }) {
        TableFinder finder(net::kProtocolVersion, QHostAddress::LocalHost);
        ASSERT_TRUE(finder.isListening());
        ProgramProcess host;
        const quint16 port = startHost(
            host, announce ? QStringList { QStringLiteral("--announce") } : QStringList {},
            { aimedAtLoopback });
        ASSERT_NE(port, 0) << host.err.toStdString();
        // An announcement goes out at once and every second after.
        const bool heard
            = ProgramProcess::waitUntil([&] { return !finder.tables().empty(); }, 3'000);
        EXPECT_EQ(heard, announce) << "--announce " << announce;
        if (heard) {
            EXPECT_EQ(finder.tables().front().announcement.port, port);
        }
    }
}

TEST(HostProcess, ThreePlayerProcessesPlayAndEachSeesOnlyItsOwnCards)
{
    ProgramProcess host;
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0) << host.err.toStdString();
    const QStringList names
        = { QStringLiteral("หนึ่ง"), QStringLiteral("สอง"), QStringLiteral("สาม") };
    std::map<QString, ProgramProcess> players;
    for (const QString &name : names) {
        startPlayer(players[name], port, name, { QStringLiteral("--rounds"), QStringLiteral("4") });
        // One after another: each is seated before the next comes.
        ASSERT_TRUE(
            players[name].waitForLine(QStringLiteral("^welcome [123] [0-9a-f]{32}$"), 20'000))
            << players[name].out.toStdString();
    }
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        ProgramProcess &player = players[name];
        EXPECT_EQ(player.waitForExit(60'000), 0) << player.out.toStdString();
        EXPECT_EQ(player.count(QStringLiteral("^early$")), 0);
        EXPECT_EQ(player.count(QStringLiteral("^mismatch$")), 0);
        const Report report = reportOf(player);
        EXPECT_GE(report.outcomes, 4);
        EXPECT_EQ(report.disagreements, 0);
        ASSERT_TRUE(report.money);
        EXPECT_DOUBLE_EQ(*report.money, report.settled);
        EXPECT_EQ(host.count(QStringLiteral("ที่นั่ง [123]: %1 เข้าร่วมโต๊ะ$").arg(name), true), 1);
        EXPECT_EQ(host.count(QStringLiteral("ที่นั่ง [123]: %1 ออกจากโต๊ะ$").arg(name), true), 1);
    }
    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(10'000), 0);
    EXPECT_EQ(host.count(QStringLiteral("ได้รับ SIGTERM ปิดโต๊ะ$"), true), 1) << host.err.toStdString();
}

class HostEnding : public ::testing::TestWithParam<int>
{
};

TEST_P(HostEnding, OnASignalClosesItsConnectionsAndEndsWithZero)
{
    ProgramProcess host;
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0) << host.err.toStdString();
    ProgramProcess player;
    startPlayer(player, port, QStringLiteral("คนเดียว"), { QStringLiteral("--hold") });
    // Seated and in a round: the table is waiting for its turn.
    ASSERT_TRUE(player.waitForLine(QStringLiteral("^turn$"), 20'000)) << player.out.toStdString();
    host.signal(GetParam());
    EXPECT_EQ(host.waitForExit(10'000), 0) << host.err.toStdString();
    // Its connection was closed by the host's end, not left hanging: the player hears of it (a
    // host that says the table is closed, or the connection going) and ends.
    const std::optional<int> ended = player.waitForExit(10'000);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(*ended == 3 || *ended == 4) << *ended;
    EXPECT_EQ(player.count(QStringLiteral("^(disconnected|rejected \\d+ .+)$")), 1)
        << player.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, HostEnding, ::testing::Values(SIGTERM, SIGINT),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return std::string(info.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

TEST(HostProcess, LogsADroppedPlayerAndItsComebackWithTheToken)
{
    ProgramProcess host;
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0) << host.err.toStdString();
    ProgramProcess first;
    startPlayer(first, port, QStringLiteral("หลุดแล้วกลับ"), { QStringLiteral("--hold") });
    const auto welcome = first.waitForLine(QStringLiteral("^welcome ([123]) ([0-9a-f]+)$"), 20'000);
    ASSERT_TRUE(welcome) << first.out.toStdString();
    // Killed in its turn, as a game that crashes or loses its power.
    ASSERT_TRUE(first.waitForLine(QStringLiteral("^turn$"), 20'000)) << first.out.toStdString();
    first.signal(SIGKILL);
    const QString seat = welcome->captured(1);
    ASSERT_TRUE(
        host.waitForLine(QStringLiteral("^.* ที่นั่ง %1: การเชื่อมต่อหลุด").arg(seat), 10'000, true))
        << host.err.toStdString();
    ProgramProcess back;
    startPlayer(back, port, QStringLiteral("หลุดแล้วกลับ"),
                { QStringLiteral("--token"), welcome->captured(2) });
    const auto again = back.waitForLine(QStringLiteral("^welcome ([123]) "), 20'000);
    ASSERT_TRUE(again) << back.out.toStdString();
    EXPECT_EQ(again->captured(1), seat);
    EXPECT_TRUE(
        host.waitForLine(QStringLiteral("ที่นั่ง %1: หลุดแล้วกลับ กลับมาแล้ว$").arg(seat), 10'000, true))
        << host.err.toStdString();
    // The killed one's token is its own: a stranger replaying a made-up one is refused.
    ProgramProcess stranger;
    startPlayer(stranger, port, QStringLiteral("ปลอม"),
                { QStringLiteral("--token"), QString(32, QLatin1Char('0')) });
    EXPECT_EQ(stranger.waitForExit(20'000), 3);
    EXPECT_EQ(
        stranger.count(
            QStringLiteral("^rejected %1 ").arg(static_cast<int>(net::Rejection::UnknownToken))),
        1)
        << stranger.out.toStdString();
    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(10'000), 0);
}

TEST(HostProcess, APortInUseIsSaidAndEndsWithOne)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::Any, 0));
    ProgramProcess host;
    host.start(
        kProgram,
        { QStringLiteral("--host"), QStringLiteral("--port"), QString::number(taken.serverPort()) },
        kNoDisplay);
    EXPECT_EQ(host.waitForExit(20'000), 1);
    EXPECT_TRUE(host.err.contains(QStringLiteral("เปิดโต๊ะที่พอร์ต %1 ไม่ได้").arg(taken.serverPort())))
        << host.err.toStdString();
}

struct Refusal
{
    const char *name;
    QStringList arguments; // the player's, beyond --port and --name
    int reason;
    const char *says;
};

class HostRefusal : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(HostRefusal, IsSaidInThaiToThePlayerAndLogged)
{
    ProgramProcess host;
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0) << host.err.toStdString();
    ProgramProcess player;
    player.start(kPlayer,
                 QStringList { QStringLiteral("--port"), QString::number(port),
                               QStringLiteral("--name"), QStringLiteral("แปลกหน้า") }
                     + GetParam().arguments);
    EXPECT_EQ(player.waitForExit(20'000), 3) << player.out.toStdString();
    const auto line = player.waitForLine(QStringLiteral("^rejected (\\d+) (.*)$"), 0);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->captured(1).toInt(), GetParam().reason);
    EXPECT_TRUE(line->captured(2).contains(QString::fromUtf8(GetParam().says)))
        << line->captured(2).toStdString();
    EXPECT_TRUE(host.waitForLine(QStringLiteral("การเชื่อมต่อ \\d+ ถูกปฏิเสธ"), 10'000, true))
        << host.err.toStdString();
    EXPECT_EQ(host.count(QStringLiteral("เข้าร่วมโต๊ะ"), true), 0);
    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(10'000), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostRefusal,
    ::testing::Values(Refusal { "wrong_code",
                                { QStringLiteral("--code"), QStringLiteral("135790") },
                                static_cast<int>(net::Rejection::Code),
                                "รหัสเข้าร่วมโต๊ะไม่ถูกต้อง" },
                      Refusal { "another_version",
                                { QStringLiteral("--code"), kCode, QStringLiteral("--game-version"),
                                  QStringLiteral("0.9") },
                                static_cast<int>(net::Rejection::Version),
                                "แต่เกมของผู้เข้าร่วมเป็นรุ่น 0.9 ต้องใช้รุ่นเดียวกัน" }),
    RowNamer());

// ---- The game joined from the command line ----

class JoinFromCommandLine : public ::testing::TestWithParam<const char *>
{
};

TEST_P(JoinFromCommandLine, SitsAtTheTableAndLeavesItOnSigterm)
{
    const QString loopback = QString::fromLatin1(GetParam());
    if (loopback.startsWith(QLatin1Char('['))) {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHostIPv6, 0))
            GTEST_SKIP() << "this machine's loopback has no IPv6 (::1)";
    }
    ProgramProcess host;
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0) << host.err.toStdString();
    // The game's settings, play history and score file go to a folder of the test's own.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    ProgramProcess game;
    game.process.setWorkingDirectory(home.path());
    game.start(kProgram,
               { QStringLiteral("--join"), loopback + QLatin1Char(':') + QString::number(port),
                 QStringLiteral("--code"), kCode, QStringLiteral("--name"),
                 QStringLiteral("จากบรรทัดคำสั่ง") },
               { QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                 QStringLiteral("XDG_CONFIG_HOME=") + home.filePath(QStringLiteral("config")),
                 QStringLiteral("XDG_DATA_HOME=") + home.filePath(QStringLiteral("data")),
                 QStringLiteral("XDG_RUNTIME_DIR=") + home.path() });
    EXPECT_TRUE(
        host.waitForLine(QStringLiteral("ที่นั่ง [123]: จากบรรทัดคำสั่ง เข้าร่วมโต๊ะ$"), 30'000, true))
        << host.err.toStdString() << game.err.toStdString();
    game.signal(SIGTERM);
    EXPECT_EQ(game.waitForExit(20'000), 0) << game.err.toStdString();
    // The game went with its connection: the host keeps the seat for a while, as for any drop.
    EXPECT_TRUE(host.waitForLine(QStringLiteral("ที่นั่ง [123]: การเชื่อมต่อหลุด"), 10'000, true))
        << host.err.toStdString();
    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(10'000), 0);
}

// The joining game is killed at the table (as a crash would end it): started again within the
// time the host keeps the seat, it takes that seat back with the token it kept on disk, rather
// than a fresh seat with fresh money.
TEST(JoinedGame, KilledAtTheTableTakesItsSeatBackWhenStartedAgain)
{
    ProgramProcess host;
    const quint16 port = startHost(host);
    ASSERT_NE(port, 0) << host.err.toStdString();
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const auto startGame = [&](ProgramProcess &game) {
        game.process.setWorkingDirectory(home.path());
        game.start(kProgram,
                   { QStringLiteral("--join"), QStringLiteral("127.0.0.1:") + QString::number(port),
                     QStringLiteral("--code"), kCode, QStringLiteral("--name"),
                     QStringLiteral("กลับมา") },
                   { QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                     QStringLiteral("XDG_CONFIG_HOME=") + home.filePath(QStringLiteral("config")),
                     QStringLiteral("XDG_DATA_HOME=") + home.filePath(QStringLiteral("data")),
                     QStringLiteral("XDG_RUNTIME_DIR=") + home.path() });
    };
    ProgramProcess first;
    startGame(first);
    const auto seated
        = host.waitForLine(QStringLiteral("ที่นั่ง ([123]): กลับมา เข้าร่วมโต๊ะ$"), 30'000, true);
    ASSERT_TRUE(seated) << host.err.toStdString() << first.err.toStdString();
    const QString seat = seated->captured(1);
    // Killed once the game has kept its seat's token (the host seats it before the game hears of
    // it).
    const auto tokenKept = [&] {
        QDirIterator files(home.filePath(QStringLiteral("data")), QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext())
            if (files.next().contains(QStringLiteral("/seats/")))
                return true;
        return false;
    };
    ASSERT_TRUE(ProgramProcess::waitUntil(tokenKept, 30'000)) << first.err.toStdString();
    first.signal(SIGKILL);
    first.waitForExit(10'000);
    ASSERT_TRUE(host.waitForLine(QStringLiteral("ที่นั่ง %1: การเชื่อมต่อหลุด").arg(seat), 10'000, true))
        << host.err.toStdString();

    ProgramProcess again;
    startGame(again);
    EXPECT_TRUE(host.waitForLine(QStringLiteral("ที่นั่ง %1: กลับมา กลับมาแล้ว$").arg(seat), 30'000, true))
        << host.err.toStdString() << again.err.toStdString();
    EXPECT_EQ(host.count(QStringLiteral("เข้าร่วมโต๊ะ$"), true), 1) << host.err.toStdString();
    again.signal(SIGKILL);
    host.signal(SIGTERM);
    EXPECT_EQ(host.waitForExit(10'000), 0);
}

INSTANTIATE_TEST_SUITE_P(Loopback, JoinFromCommandLine, ::testing::Values("127.0.0.1", "[::1]"),
                         [](const ::testing::TestParamInfo<const char *> &info) {
                             return std::string(info.param[0] == '[' ? "IPv6" : "IPv4");
                         });

} // namespace
