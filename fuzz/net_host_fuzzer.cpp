// A table's host fed any sequence of what four connections might do, with no socket: open,
// send bytes (any, or a well-formed hello, action, shown or chat to reach past the door), lose
// the connection. The host never crashes, each connection acts only for its own seat, and the
// table's seats stay consistent with the host's view of them.
#include "net/Protocol.h"
#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "table/TableController.h"

#include <QCoreApplication>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fault(const char *what)
{
    std::fprintf(stderr, "net host: %s\n", what);
    std::abort();
}

const QString kCode = QStringLiteral("1234");

QByteArray wellFormed(std::uint8_t kind, std::uint8_t detail)
{
    switch (kind % 6) {
    case 0:
        return net::encode(net::Hello { net::kProtocolVersion, net::gameVersion(), "ก",
                                        (detail & 1) ? "1234" : "9999", "" });
    case 1:
        return net::encode(net::ActionMessage {
            table::ChooseBet { static_cast<pokdeng::BetOption>(detail % 5) } });
    case 2:
        return net::encode(
            net::ActionMessage { (detail & 1) ? table::Action(table::Draw {}) : table::Stand {} });
    case 3:
        return net::encode(net::Shown { detail });
    case 4:
        return net::encode(net::Chat { 0, {}, {}, detail % 6 });
    default:
        return net::encode(net::ActionMessage { table::Leave {} });
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "net_host_fuzzer";
    static char *argv[] = { name, nullptr };
    static QCoreApplication application(argc, argv);
    // The host's log of joins and refusals would bury libFuzzer's own lines.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtInfoMsg && type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    cards::SeededRandom deals(7);
    table::TableController table(deals, table::TableController::Limits { 0, 0 });
    net::TableHost host(table, net::TableHost::Options { kCode, 0, 20, 3 });
    std::array<int, 4> connections {};
    std::array<bool, 4> open {};

    std::size_t at = 0;
    // Each operation takes at least two bytes: at most size / 2 of them.
    while (at + 2 <= size) {
        const std::uint8_t op = data[at];
        const std::uint8_t arg = data[at + 1];
        at += 2;
        const int which = op & 3;
        switch ((op >> 2) % 4) {
        case 0:
            if (!open[which]) {
                connections[which]
                    = host.open([](const QByteArray &) {}, [&open, which] { open[which] = false; });
                open[which] = true;
            }
            break;
        case 1: {
            const std::size_t length = std::min<std::size_t>(arg, size - at);
            host.receive(connections[which],
                         QByteArrayView(data + at, static_cast<qsizetype>(length)));
            at += length;
            break;
        }
        case 2:
            host.receive(connections[which], wellFormed(static_cast<std::uint8_t>(op >> 4), arg));
            break;
        default:
            host.lost(connections[which]);
            open[which] = false;
            break;
        }
        QCoreApplication::processEvents();
        int people = 0;
        for (int seat = 1; seat <= 3; ++seat) {
            if (host.isConnected(seat) && !table.isPerson(seat))
                fault("a connected seat the table does not know");
            people += table.isPerson(seat) ? 1 : 0;
        }
        if (people != table.personCount())
            fault("the table miscounts its people");
        if (host.connectionCount() > 4)
            fault("more connections than were opened");
    }
    return 0;
}
