// A scripted person at a hosted table, as a process of its own, for the tests that run the real
// program as the host: it joins (at a given address, or the first table it hears announced on the
// local network), plays as nettest::Player does (the least bet; stand, or draw when it must) and
// reports on its standard output, one line each:
//   welcome SEAT TOKEN          seated; TOKEN brings the seat back (--token)
//   rejected REASON TEXT        the host refused it (REASON: net::Rejection's number)
//   turn                        its turn began; with --hold it waits for a line on its standard
//                               input before it acts (see below), so a test can kill it in its
//                               turn
//   outcome CHANGE OWN AFTER    a round's outcome: the host's change, the change worked out again
//                               from the round's cards (nettest::independentChange), the money
//   money MONEY                 its money as the table said it
//   over                        its money is below the least stake; it leaves the table
//   early                       it received a face it must not see yet (the test fails on it)
//   mismatch                    an outcome's cards differ from those it was shown
//   left                        it left after --rounds outcomes (and the money after them)
//   idle MONEY                  offered a bet after "stop": it chooses none
//   chat SEAT                   a chat line from SEAT reached it
// It ends with 0 after leaving, 3 when rejected, 4 when the connection is lost, 5 after
// --seconds (a bound, never the way a test ends it).
#include "NetPlayers.h"

#include "net/TableDiscovery.h"

#include <QCommandLineParser>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <map>

#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption address(QStringLiteral("address"), {}, QStringLiteral("a"),
                                     QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), {}, QStringLiteral("p"));
    const QCommandLineOption find(QStringLiteral("find"));
    const QCommandLineOption code(QStringLiteral("code"), {}, QStringLiteral("c"));
    const QCommandLineOption name(QStringLiteral("name"), {}, QStringLiteral("n"));
    const QCommandLineOption token(QStringLiteral("token"), {}, QStringLiteral("t"));
    const QCommandLineOption rounds(QStringLiteral("rounds"), {}, QStringLiteral("n"),
                                    QStringLiteral("0"));
    const QCommandLineOption hold(QStringLiteral("hold"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), {}, QStringLiteral("s"),
                                     QStringLiteral("60"));
    const QCommandLineOption version(QStringLiteral("game-version"), {}, QStringLiteral("v"));
    parser.addOptions({ address, port, find, code, name, token, rounds, hold, seconds, version });
    parser.process(app);

    QTimer::singleShot(parser.value(seconds).toInt() * 1000, &app, [] {
        say(QStringLiteral("timeout"));
        QCoreApplication::exit(5);
    });

    // Another game's version: a hello of its own on a bare socket, and the host's answer read.
    if (parser.isSet(version)) {
        QTcpSocket socket;
        net::FrameReader reader;
        QObject::connect(&socket, &QTcpSocket::connected, &socket, [&] {
            net::Hello hello;
            hello.gameVersion = parser.value(version).toStdString();
            hello.name = parser.value(name).toStdString();
            hello.code = parser.value(code).toStdString();
            socket.write(net::encode(hello));
        });
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [&] {
            reader.feed(socket.readAll());
            while (const auto body = reader.next()) {
                const net::Decoded decoded = net::decode(*body, net::Sender::Host);
                if (const auto *rejected
                    = decoded.message ? std::get_if<net::Rejected>(&*decoded.message) : nullptr) {
                    say(QStringLiteral("rejected %1 %2")
                            .arg(static_cast<int>(rejected->reason))
                            .arg(QString::fromStdString(rejected->text)));
                    QCoreApplication::exit(3);
                }
            }
        });
        socket.connectToHost(parser.value(address), parser.value(port).toUShort());
        return app.exec();
    }

    nettest::Player player(parser.value(name).toStdString());
    const int roundsToPlay = parser.value(rounds).toInt();
    int outcomes = 0;
    bool leaving = false;
    const auto leave = [&](const QString &line) {
        if (leaving)
            return;
        leaving = true;
        say(line);
        player.client.act(table::Leave {});
    };

    QObject::connect(&player.client, &net::TableClient::welcomed, &app, [&](int seat) {
        say(QStringLiteral("welcome %1 %2").arg(seat).arg(player.client.token()));
    });
    QObject::connect(
        &player.client, &net::TableClient::rejected, &app,
        [&](net::Rejection reason, const QString &text) {
            say(QStringLiteral("rejected %1 %2").arg(static_cast<int>(reason)).arg(text));
            QCoreApplication::exit(3);
        });
    QObject::connect(&player.client, &net::TableClient::disconnected, &app, [&] {
        if (leaving)
            return QCoreApplication::exit(0);
        say(QStringLiteral("disconnected"));
        QCoreApplication::exit(4);
    });
    QObject::connect(&player.client, &net::TableClient::chatted, &app,
                     [](int seat) { say(QStringLiteral("chat %1").arg(seat)); });
    QObject::connect(&player.client, &net::TableClient::bytesReceived, &app, [&] {
        static int early = 0;
        while (early < player.seenTooEarly) {
            ++early;
            say(QStringLiteral("early"));
        }
    });

    // The faces this game was shown in the round in play, by slot.
    std::map<int, cards::Card> seen;
    player.onEvent = [&](const table::Event &event) {
        if (const auto *card = std::get_if<table::CardOut>(&event)) {
            if (card->slot == 1)
                seen.clear();
            if (card->faceUp)
                seen[card->slot] = card->card;
        } else if (const auto *revealed = std::get_if<table::CardsRevealed>(&event)) {
            for (const table::SlotFace &face : revealed->faces)
                seen[face.slot] = face.card;
        } else if (const auto *outcome = std::get_if<table::OutcomeShown>(&event)) {
            const pokdeng::PlayedRound &round = outcome->round;
            const int seat = player.client.seat();
            bool same = true;
            for (int i = 0; i < round.user.cardCount(); ++i) {
                const auto it = seen.find(pokdeng::slotsOfSeat(seat)[i]);
                same = same && (it == seen.end() || it->second == round.user.cards[i]);
            }
            for (int i = 0; i < round.dealer.cardCount(); ++i) {
                const auto it = seen.find(pokdeng::slotsOfSeat(pokdeng::kDealerSeat)[i]);
                same = same && (it == seen.end() || it->second == round.dealer.cards[i]);
            }
            if (!same)
                say(QStringLiteral("mismatch"));
            say(QStringLiteral("outcome %1 %2 %3")
                    .arg(number(round.moneyChange), number(nettest::independentChange(round)),
                         number(round.moneyAfter)));
            ++outcomes;
        } else if (const auto *money = std::get_if<table::MoneyChanged>(&event)) {
            if (money->seat == player.client.seat()) {
                say(QStringLiteral("money %1").arg(number(money->money)));
                // Once the table has told the money of the last round, not before.
                if (roundsToPlay > 0 && outcomes >= roundsToPlay)
                    QTimer::singleShot(0, &app, [&] { leave(QStringLiteral("left")); });
            }
        } else if (std::holds_alternative<table::GameOver>(event)) {
            QTimer::singleShot(0, &app, [&] { leave(QStringLiteral("over")); });
        }
    };

    // With --hold, a turn waits for "go" on the standard input.
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    input.setEnabled(parser.isSet(hold));
    bool mayStand = true;
    player.onTurn = [&] {
        say(QStringLiteral("turn"));
        return parser.isSet(hold);
    };
    player.onEvent = [&, shown = player.onEvent](const table::Event &event) {
        if (const auto *status = std::get_if<table::StatusShown>(&event);
            status && status->yourTurn)
            mayStand = status->mayStand;
        shown(event);
    };
    // Lines on the standard input: "go" acts as the turn offers (stand, or draw when it must),
    // "stand" or "draw" act so (a game back in the middle of its turn has not been told it),
    // "stop" chooses no more bets and says "idle MONEY" at each offer.
    bool stopped = false;
    QByteArray typed;
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            return;
        }
        typed.append(buffer, got);
        for (qsizetype end = typed.indexOf('\n'); end >= 0; end = typed.indexOf('\n')) {
            const QByteArray line = typed.left(end).trimmed();
            typed.remove(0, end + 1);
            if (line == "go")
                player.client.act(mayStand ? table::Action(table::Stand {}) : table::Draw {});
            else if (line == "stand")
                player.client.act(table::Stand {});
            else if (line == "draw")
                player.client.act(table::Draw {});
            else if (line == "stop")
                stopped = true;
        }
    });
    player.onEvent = [&, shown = player.onEvent](const table::Event &event) {
        if (const auto *bets = std::get_if<table::BetsOpen>(&event)) {
            player.autoPlay = !stopped;
            if (stopped)
                say(QStringLiteral("idle %1").arg(number(bets->money)));
        }
        shown(event);
    };

    const auto join = [&](const QString &host, quint16 tablePort) {
        player.client.connectTo(host, tablePort, QString::fromStdString(player.name),
                                parser.value(code), parser.value(token));
    };
    TableFinder *finder = nullptr;
    bool joining = false;
    if (parser.isSet(find)) {
        finder = new TableFinder(net::kProtocolVersion, QHostAddress::AnyIPv4, kAnnouncementPort,
                                 &app);
        QObject::connect(finder, &TableFinder::tablesChanged, &app, [&] {
            if (finder->tables().empty() || joining)
                return;
            joining = true;
            const FoundTable &table = finder->tables().front();
            say(QStringLiteral("found %1 %2")
                    .arg(table.address.toString())
                    .arg(table.announcement.port));
            join(table.address.toString(), table.announcement.port);
        });
    } else {
        join(parser.value(address), parser.value(port).toUShort());
    }
    return app.exec();
}
