#include "fuzz/NetProperties.h"

#include "net/Protocol.h"
#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "table/TableController.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cstdint>

namespace net::fuzz {

std::string checkMessageBytes(QByteArrayView bytes)
{
    for (const Sender from : { Sender::Person, Sender::Host }) {
        const Decoded decoded = decode(bytes, from);
        if (decoded.message.has_value() == (decoded.error != nullptr))
            return "a message and a reason, or neither";
        if (!decoded.message)
            continue;
        const QByteArray again = encode(*decoded.message);
        const Decoded redecoded = decode(QByteArrayView(again).sliced(4), from);
        if (!redecoded.message || !(*redecoded.message == *decoded.message))
            return "a message does not survive its own encoding";
    }

    const qsizetype size = bytes.size();
    FrameReader reader;
    const qsizetype cut = size == 0 ? 0 : static_cast<std::uint8_t>(bytes[0]) % (size + 1);
    reader.feed(bytes.first(cut));
    int messages = 0;
    while (reader.next())
        ++messages;
    reader.feed(bytes.sliced(cut));
    while (const auto body = reader.next()) {
        ++messages;
        (void)decode(*body, Sender::Person);
    }
    if (reader.buffered() > static_cast<qsizetype>(kMaxMessageBytes + 4))
        return "the frame reader keeps more than a message";
    if (messages > static_cast<int>(size / 4) + 1)
        return "more messages than the bytes hold";
    return {};
}

namespace {

    const QString kCode = QStringLiteral("1234");

    // Each connection's hello has a name of its own (or, now and then, another's, or one the
    // table refuses).
    QByteArray wellFormed(int which, std::uint8_t kind, std::uint8_t detail)
    {
        static const char *const names[] = { "ก", "ข", "ค", "ง", "ก ", "a\x1b[2J", "\u202Eก", "" };
        switch (kind % 7) {
        case 0:
            return encode(Hello { kProtocolVersion, gameVersion(),
                                  names[(detail & 4) ? (detail >> 3) % 8 : which],
                                  (detail & 1) ? "1234" : "9999", "" });
        case 6:
            return encode(Chat { 0, {}, (detail & 1) ? "สวัสดี" : "\u202Eสวัสดี\n", -1 });
        case 1:
            return encode(
                ActionMessage { table::ChooseBet { static_cast<pokdeng::BetOption>(detail % 5) } });
        case 2:
            return encode(
                ActionMessage { (detail & 1) ? table::Action(table::Draw {}) : table::Stand {} });
        case 3:
            return encode(Shown { detail });
        case 4:
            return encode(Chat { 0, {}, {}, detail % 6 });
        default:
            return encode(ActionMessage { table::Leave {} });
        }
    }

} // namespace

std::string checkHostScript(QByteArrayView script)
{
    const auto *data = reinterpret_cast<const std::uint8_t *>(script.data());
    const auto size = static_cast<std::size_t>(script.size());
    cards::SeededRandom deals(7);
    table::TableController table(deals, table::TableController::Limits { 0, 0 });
    // Before the host: closing, it ends every connection still seated through these.
    std::array<int, 4> connections {};
    std::array<bool, 4> open {};
    // Refused codes are answered at once, so the script reaches past them.
    ConnectionLimits limits;
    limits.wrongCodeDelayMs = 0;
    TableHost host(table, TableHost::Options { kCode, 0, 20, 3, limits });
    // Two addresses: connections 0 and 1 share one, as people behind one router do.
    const std::array<QHostAddress, 2> addresses { QHostAddress(QStringLiteral("127.0.0.2")),
                                                  QHostAddress(QStringLiteral("::1")) };

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
                    = host.open([](const QByteArray &) {}, [&open, which] { open[which] = false; },
                                addresses[which / 2 % 2]);
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
            host.receive(connections[which],
                         wellFormed(which, static_cast<std::uint8_t>(op >> 4), arg));
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
                return "a connected seat the table does not know";
            people += table.isPerson(seat) ? 1 : 0;
        }
        if (people != table.personCount())
            return "the table miscounts its people";
        if (host.connectionCount() > 4)
            return "more connections than were opened";
    }
    return {};
}

} // namespace net::fuzz
