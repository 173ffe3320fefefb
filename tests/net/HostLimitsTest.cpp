// A table's host against a hostile or unlucky player: wrong join codes are few, late and tell
// nothing at a full table; names are plain and one person's each; a seat's token is honoured only
// from where the seat was taken; chat lines are plain and few; a connection not seated yet may
// send little and must be quick; one that reads nothing is closed as lost; a crowd of silent
// connections leaves a seated person their way back; a game never drops its connection over a
// line it cannot show; nothing a person sends reaches the host's log raw.
//
// Most of it drives the host with no socket (each connection's address given), so the counts
// and orders are exact; the crowd and the game at a hostile host use sockets on the loopback.
#include "NetPlayers.h"

#include "net/ChatLimiter.h"
#include "net/JoinGuard.h"
#include "net/PlayerText.h"
#include "net/TableHost.h"
#include "rules/RandomSource.h"
#include "support/RowName.h"
#include "table/TableController.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <memory>

using namespace nettest;

namespace {

const QString kCode = QStringLiteral("482193");

// ---- The rules, with the clock given ----

TEST(JoinGuard, ClosesTheDoorPerAddressAndForEveryoneUntilTheTriesAgeOut)
{
    net::ConnectionLimits limits;
    limits.wrongCodesPerAddress = 2;
    limits.wrongCodesInAll = 3;
    limits.codeWindowMs = 1000;
    net::JoinGuard guard(limits);
    using Door = net::JoinGuard::Door;
    const QString a = QStringLiteral("a"), b = QStringLiteral("b"), c = QStringLiteral("c");
    EXPECT_EQ(guard.wrongCode(a, 0), Door::Open);
    EXPECT_EQ(guard.wrongCode(a, 10), Door::AddressLockedOut);
    EXPECT_EQ(guard.door(a, 20), Door::AddressLockedOut);
    EXPECT_EQ(guard.door(b, 20), Door::Open);
    EXPECT_EQ(guard.wrongCode(b, 30), Door::AllLockedOut);
    EXPECT_EQ(guard.door(c, 40), Door::AllLockedOut);
    // A try at a closed door is not counted: it was not looked at.
    EXPECT_EQ(guard.wrongCode(c, 50), Door::Open);
    // The first try ages out: one more may come.
    EXPECT_EQ(guard.door(c, 999), Door::AllLockedOut);
    EXPECT_EQ(guard.door(c, 1000), Door::Open);

    // An address's door closes by itself, and opens as its own tries age out.
    limits.wrongCodesInAll = 100;
    net::JoinGuard roomy(limits);
    roomy.wrongCode(a, 0);
    roomy.wrongCode(a, 500);
    EXPECT_EQ(roomy.door(a, 999), Door::AddressLockedOut);
    EXPECT_EQ(roomy.door(b, 999), Door::Open);
    EXPECT_EQ(roomy.door(a, 1000), Door::Open);
}

TEST(JoinGuard, CountsAnIPv6HomeAsOneAddressAndAMappedIPv4AsItself)
{
    using net::addressKey;
    EXPECT_EQ(addressKey(QHostAddress(QStringLiteral("2001:db8:1:2::1"))),
              addressKey(QHostAddress(QStringLiteral("2001:db8:1:2:aaaa::9"))));
    EXPECT_NE(addressKey(QHostAddress(QStringLiteral("2001:db8:1:2::1"))),
              addressKey(QHostAddress(QStringLiteral("2001:db8:1:3::1"))));
    EXPECT_EQ(addressKey(QHostAddress(QStringLiteral("::ffff:127.0.0.2"))),
              addressKey(QHostAddress(QStringLiteral("127.0.0.2"))));
}

TEST(ChatLimiter, LetsABurstThroughThenOneLineAPeriodAndTellsAFloodOnce)
{
    net::ConnectionLimits limits;
    limits.chatLines = 3;
    limits.chatWindowMs = 3000; // a line back every second
    net::ChatLimiter chat(limits);
    using V = net::ChatLimiter::Verdict;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(chat.take(1, 0), V::Pass) << i;
    EXPECT_EQ(chat.take(1, 0), V::DropAndTell);
    EXPECT_EQ(chat.take(1, 500), V::Drop);
    EXPECT_EQ(chat.take(2, 500), V::Pass) << "another seat has its own";
    EXPECT_EQ(chat.take(1, 1000), V::Pass);
    EXPECT_EQ(chat.take(1, 1100), V::Drop) << "told already: the flood goes on";
    // A whole window without a dropped line: the next flood is told again.
    EXPECT_EQ(chat.take(1, 5000), V::Pass);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(chat.take(1, 5000), V::Pass);
    EXPECT_EQ(chat.take(1, 5000), V::DropAndTell);
    // A newcomer at the seat has the whole allowance.
    chat.reset(1);
    EXPECT_EQ(chat.take(1, 5000), V::Pass);
}

TEST(PlayerText, PlainLinesKeepThaiAndEmojiButNoControlOrFormatCharacter)
{
    EXPECT_TRUE(net::isPlainText(
        QStringLiteral("สวัสดี <b>ครับ</b> 👍🏽 👨‍👩‍👧")));
    for (const QString &text :
         { QStringLiteral("a\nb"), QStringLiteral("\x1b[31mแดง"), QStringLiteral("a\u0085b"),
           QStringLiteral("\u202Eเอ"), QStringLiteral("a\u2066b"), QStringLiteral("a\u200Bb"),
           QStringLiteral("a\u2028b") })
        EXPECT_FALSE(net::isPlainText(text)) << text.toStdString();
    EXPECT_EQ(net::loggable(QStringLiteral("\x1b[2Jเอ\\")), QStringLiteral("\\u{1b}[2Jเอ\\u{5c}"));
}

// ---- The host with no socket ----

// One connection as the host sees it: what it was sent, whether it was closed, and what waits to
// be sent to it (as its socket would say).
struct Link
{
    int id = 0;
    std::vector<net::Message> received;
    bool closed = false;
    qint64 unsent = 0;

    template<typename M> const M *last() const
    {
        for (auto it = received.rbegin(); it != received.rend(); ++it)
            if (const M *m = std::get_if<M>(&*it))
                return m;
        return nullptr;
    }
    template<typename M> int count() const
    {
        return static_cast<int>(std::count_if(received.begin(), received.end(), [](const auto &m) {
            return std::holds_alternative<M>(m);
        }));
    }
    std::optional<net::Rejection> rejection() const
    {
        const auto *r = last<net::Rejected>();
        return r ? std::optional(r->reason) : std::nullopt;
    }
};

// The answer of a refused hello, once it has come.
std::optional<net::Rejection> answer(const Link &link)
{
    EXPECT_TRUE(waitFor([&] { return link.closed; }));
    return link.rejection();
}

// A host with no socket and a table with no one yet.
struct Door
{
    explicit Door(const net::ConnectionLimits &limits = quick())
        : table(deals, table::TableController::Limits { 60'000, 300 })
        , host(table, net::TableHost::Options { kCode, 60'000, 20, 3, limits })
    {
    }

    // The host's limits, but refusals answered soon.
    static net::ConnectionLimits quick()
    {
        net::ConnectionLimits limits;
        limits.wrongCodeDelayMs = 30;
        return limits;
    }

    Link &connect(const QString &from)
    {
        links.push_back(std::make_unique<Link>());
        Link &link = *links.back();
        link.id = host.open(
            [&link](const QByteArray &bytes) {
                net::FrameReader reader;
                reader.feed(bytes);
                while (const auto body = reader.next())
                    if (auto decoded = net::decode(*body, net::Sender::Host); decoded.message)
                        link.received.push_back(*decoded.message);
            },
            [&link] { link.closed = true; }, QHostAddress(from), [&link] { return link.unsent; });
        return link;
    }

    Link &hello(const QString &from, const std::string &name, const QString &code,
                const QString &token = {})
    {
        Link &link = connect(from);
        host.receive(link.id, helloBytes(name, code, token));
        return link;
    }

    // A person seated from address; their link.
    Link &seat(const QString &from, const std::string &name)
    {
        Link &link = hello(from, name, kCode);
        EXPECT_TRUE(link.last<net::Welcome>()) << name;
        return link;
    }

    void say(Link &link, const std::string &text)
    {
        host.receive(link.id, net::encode(net::Chat { 0, {}, text, -1 }));
    }

    cards::SeededRandom deals { 3 };
    table::TableController table;
    std::vector<std::unique_ptr<Link>> links; // before the host, which closes them as it goes
    net::TableHost host;
};

TEST(Door, WrongCodesAreFewPerAddressAndInAllAndAnsweredLate)
{
    net::ConnectionLimits limits = Door::quick();
    limits.wrongCodesPerAddress = 3;
    limits.wrongCodesInAll = 5;
    Door door(limits);
    for (int i = 0; i < 3; ++i) {
        Link &wrong
            = door.hello(QStringLiteral("127.0.0.2"), "x", QStringLiteral("00000%1").arg(i));
        EXPECT_TRUE(wrong.received.empty()) << "answered at once";
        EXPECT_FALSE(wrong.closed);
        EXPECT_EQ(answer(wrong), net::Rejection::Code);
    }
    // The address has had its tries: its next code is not looked at, even the right one.
    Link &locked = door.hello(QStringLiteral("127.0.0.2"), "ผู้ลอง", kCode);
    EXPECT_EQ(answer(locked), net::Rejection::TooManyTries);
    EXPECT_EQ(door.table.personCount(), 0);
    // Another address still may; two more wrong codes use up everyone's tries.
    Link &a = door.seat(QStringLiteral("127.0.0.3"), "เอ");
    EXPECT_EQ(answer(door.hello(QStringLiteral("127.0.0.4"), "x", QStringLiteral("111111"))),
              net::Rejection::Code);
    EXPECT_EQ(answer(door.hello(QStringLiteral("127.0.0.5"), "x", QStringLiteral("222222"))),
              net::Rejection::Code);
    EXPECT_EQ(answer(door.hello(QStringLiteral("127.0.0.6"), "บี", kCode)),
              net::Rejection::TooManyTries);
    EXPECT_EQ(door.table.personCount(), 1);
    // A seated person whose connection dropped comes back through the closed door: their token,
    // from their address, is a key no guess finds.
    const int seat = a.last<net::Welcome>()->seat;
    door.host.lost(a.id);
    Link &back = door.hello(QStringLiteral("127.0.0.3"), "เอ", kCode,
                            QString::fromStdString(a.last<net::Welcome>()->token));
    ASSERT_TRUE(back.last<net::Welcome>());
    EXPECT_EQ(back.last<net::Welcome>()->seat, seat);
}

TEST(Door, AFullTableAnswersAlikeWhateverTheCode)
{
    Door door;
    door.seat(QStringLiteral("127.0.0.2"), "หนึ่ง");
    door.seat(QStringLiteral("127.0.0.3"), "สอง");
    door.seat(QStringLiteral("127.0.0.4"), "สาม");
    EXPECT_EQ(answer(door.hello(QStringLiteral("127.0.0.5"), "x", QStringLiteral("999999"))),
              net::Rejection::TableFull);
    EXPECT_EQ(answer(door.hello(QStringLiteral("127.0.0.5"), "x", kCode)),
              net::Rejection::TableFull);
    EXPECT_EQ(answer(door.hello(QStringLiteral("127.0.0.5"), "x", QStringLiteral("999999"),
                                QStringLiteral("00112233"))),
              net::Rejection::UnknownToken);
    EXPECT_EQ(
        answer(door.hello(QStringLiteral("127.0.0.5"), "x", kCode, QStringLiteral("00112233"))),
        net::Rejection::UnknownToken);
}

struct NameRow
{
    const char *name;
    std::string sent;
    std::optional<net::Rejection> rejection; // nothing: seated
    const char *says = ""; // a part of the reason's text
    friend void PrintTo(const NameRow &row, std::ostream *out) { *out << row.name; }
};

class Names : public ::testing::TestWithParam<NameRow>
{
};

TEST_P(Names, AreOnePersonsEachAndPlainOrRefusedWithTheReason)
{
    Door door;
    door.seat(QStringLiteral("127.0.0.2"), "เอ");
    door.seat(QStringLiteral("127.0.0.3"), "น้ำใจ Ann");
    Link &link = door.hello(QStringLiteral("127.0.0.4"), GetParam().sent, kCode);
    if (!GetParam().rejection) {
        EXPECT_TRUE(link.last<net::Welcome>());
        return;
    }
    ASSERT_EQ(answer(link), GetParam().rejection);
    EXPECT_TRUE(QString::fromStdString(link.last<net::Rejected>()->text)
                    .contains(QString::fromUtf8(GetParam().says)))
        << link.last<net::Rejected>()->text;
    EXPECT_EQ(door.table.personCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Names,
    ::testing::Values(
        NameRow { "another name", "บี", std::nullopt },
        NameRow { "terminal escape", "\x1b[31mแดง", net::Rejection::Name, "อักขระควบคุม" },
        NameRow { "tab", "เอ\tเอ", net::Rejection::Name, "อักขระควบคุม" },
        NameRow { "right to left override", "\u202Eเอ", net::Rejection::Name, "อักขระที่เก็บไม่ได้" },
        NameRow { "invisible space", "เอ\u200B", net::Rejection::Name, "อักขระที่เก็บไม่ได้" },
        NameRow { "blanks", "   ", net::Rejection::Name, "ชื่อต้องไม่ว่าง" },
        NameRow { "nothing", "", net::Rejection::Name, "ชื่อต้องไม่ว่าง" },
        NameRow { "dollar", "a$b", net::Rejection::Name, "$" },
        NameRow { "too long", std::string(31, 'n'), net::Rejection::Name, "ยาวเกิน 30" },
        NameRow { "same name", "เอ", net::Rejection::NameTaken, "ชื่อนี้" },
        NameRow { "same name with blanks", "  เอ ", net::Rejection::NameTaken, "ชื่อนี้" },
        NameRow { "same name in other case and spacing, sara am spelled apart",
                  "น้\u0E4D\u0E32ใจ   aNN", net::Rejection::NameTaken, "ชื่อนี้" }),
    RowNamer());

TEST(Door, ASeatsTokenIsHonouredOnlyFromTheAddressItWasTakenFrom)
{
    Door door;
    Link &a = door.seat(QStringLiteral("127.0.0.2"), "เอ");
    const int seat = a.last<net::Welcome>()->seat;
    const QString token = QString::fromStdString(a.last<net::Welcome>()->token);
    door.host.lost(a.id);
    EXPECT_EQ(answer(door.hello(QStringLiteral("127.0.0.3"), "เอ", kCode, token)),
              net::Rejection::UnknownToken);
    EXPECT_FALSE(door.host.isConnected(seat));
    // The same address, written as an IPv4-mapped IPv6 one by a dual-stack socket.
    Link &back = door.hello(QStringLiteral("::ffff:127.0.0.2"), "เอ", kCode, token);
    ASSERT_TRUE(back.last<net::Welcome>());
    EXPECT_EQ(back.last<net::Welcome>()->seat, seat);
    EXPECT_EQ(door.table.money(seat), pokdeng::kStartingMoney);
}

TEST(Door, ChatLinesArePlainAndFewAndTheSenderIsToldOnce)
{
    net::ConnectionLimits limits = Door::quick();
    limits.chatLines = 5;
    limits.chatWindowMs = 600'000; // nothing comes back within the test
    Door door(limits);
    Link &a = door.seat(QStringLiteral("127.0.0.2"), "เอ");
    Link &b = door.seat(QStringLiteral("127.0.0.3"), "บี");
    door.say(a, "\u202Eสวัสดี");
    door.say(a, "a\x1b[2Jb");
    EXPECT_EQ(b.count<net::Chat>(), 0);
    ASSERT_EQ(a.count<net::Notice>(), 2);
    EXPECT_TRUE(
        QString::fromStdString(a.last<net::Notice>()->text).contains(QStringLiteral("อักขระ")));
    for (int i = 0; i < 10; ++i)
        door.say(a, "บรรทัด " + std::to_string(i));
    EXPECT_EQ(b.count<net::Chat>(), 3) << "the rest of the five";
    EXPECT_EQ(a.count<net::Notice>(), 3);
    EXPECT_TRUE(
        QString::fromStdString(a.last<net::Notice>()->text).contains(QStringLiteral("ถี่เกินไป")));
    EXPECT_FALSE(a.closed);
    EXPECT_EQ(b.count<net::Notice>(), 0);

    // The host's own person is held to the same allowance.
    const int own = door.table.join("เจ้าบ้าน", nullptr);
    ASSERT_NE(own, 0);
    int chatted = 0;
    QStringList noticed;
    QObject::connect(&door.host, &net::TableHost::chatted, &door.host,
                     [&](const net::Chat &) { ++chatted; });
    QObject::connect(&door.host, &net::TableHost::noticed, &door.host,
                     [&](int seat, const QString &text) {
                         EXPECT_EQ(seat, own);
                         noticed << text;
                     });
    for (int i = 0; i < 8; ++i)
        door.host.say(own, QStringLiteral("เจ้าบ้าน"), QStringLiteral("สวัสดี %1").arg(i));
    EXPECT_EQ(chatted, 5);
    EXPECT_EQ(noticed.size(), 1);
    EXPECT_EQ(b.count<net::Chat>(), 3 + 5);
}

TEST(Door, BeforeItsHelloAConnectionMaySendLittleAndMustBeQuick)
{
    net::ConnectionLimits limits = Door::quick();
    limits.helloWithinMs = 200;
    Door door(limits);
    // Most of a long message, parked: closed once it passes what a hello needs.
    Link &parked = door.connect(QStringLiteral("127.0.0.2"));
    QByteArray prefix(4, '\0');
    qToBigEndian<quint32>(60'000, prefix.data());
    door.host.receive(parked.id, prefix + QByteArray(2000, 'x'));
    EXPECT_TRUE(parked.closed);
    EXPECT_EQ(parked.rejection(), net::Rejection::BadMessages);
    // A hello in pieces is fine.
    Link &slow = door.connect(QStringLiteral("127.0.0.3"));
    const QByteArray hello = helloBytes("เอ", kCode);
    door.host.receive(slow.id, hello.first(7));
    door.host.receive(slow.id, hello.sliced(7));
    EXPECT_TRUE(slow.last<net::Welcome>());
    // Saying nothing: closed after the time for a hello; the seated one stays.
    Link &silent = door.connect(QStringLiteral("127.0.0.4"));
    EXPECT_TRUE(waitFor([&] { return silent.closed; }));
    EXPECT_FALSE(slow.closed);
    EXPECT_EQ(door.host.connectionCount(), 1);
}

TEST(Door, AConnectionThatReadsNothingIsClosedAsLostAndKeepsItsSeat)
{
    net::ConnectionLimits limits = Door::quick();
    limits.mostUnsentBytes = 4096;
    Door door(limits);
    Link &a = door.seat(QStringLiteral("127.0.0.2"), "เอ");
    Link &b = door.seat(QStringLiteral("127.0.0.3"), "บี");
    const int seat = a.last<net::Welcome>()->seat;
    // The next line sent finds a's socket with more waiting than it may.
    a.unsent = 5000;
    door.say(b, "สวัสดี");
    ASSERT_TRUE(waitFor([&] { return a.closed; }));
    EXPECT_FALSE(door.host.isConnected(seat));
    EXPECT_TRUE(door.table.isPerson(seat));
    EXPECT_FALSE(b.closed);
    const std::size_t told = a.received.size();
    door.say(b, "ยังอยู่ไหม");
    EXPECT_EQ(a.received.size(), told);
}

// What a person sends is escaped in the host's log: no terminal escape reaches it.
TEST(Door, NothingAPersonSendsIsLoggedRaw)
{
    Door door;
    static QStringList logged;
    logged.clear();
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { logged << text; });
    Link &a = door.seat(QStringLiteral("127.0.0.2"), "เอ");
    door.say(a, "\x1b]0;ชื่อหน้าต่าง\x07");
    door.host.receive(door.connect(QStringLiteral("127.0.0.3")).id,
                      net::encode(net::Hello { net::kProtocolVersion, "9\x1b[2J", "x",
                                               kCode.toStdString(), "" }));
    qInstallMessageHandler(before);
    const QString all = logged.join(QLatin1Char('\n'));
    EXPECT_FALSE(all.contains(QLatin1Char('\x1b'))) << all.toStdString();
    EXPECT_FALSE(all.contains(QLatin1Char('\x07'))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("9\\u{1b}[2J"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("\\u{1b}]0;ชื่อหน้าต่าง\\u{7}"))) << all.toStdString();
}

// ---- Over sockets on the loopback ----

// Silent connections from many addresses: the host holds only so many that are not seated, and
// closes the rest at once; a seated person whose connection dropped comes back all the same.
TEST(Crowd, OfSilentConnectionsIsBoundedAndASeatedPersonStillComesBack)
{
    cards::SeededRandom deals(4);
    table::TableController table(deals);
    net::ConnectionLimits limits;
    limits.mostUnwelcomed = 6;
    limits.mostUnwelcomedPerAddress = 2;
    net::TableHost host(table, net::TableHost::Options { kCode, 60'000, 20, 3, limits });
    ASSERT_TRUE(host.listen(QHostAddress::LocalHost, 0));
    Player a("เอ");
    a.autoPlay = false;
    a.join(host.port(), kCode);
    ASSERT_TRUE(waitFor([&] { return a.client.seat() != 0; }));

    std::vector<std::unique_ptr<RawConnection>> crowd;
    for (int i = 0; i < 30; ++i)
        crowd.push_back(std::make_unique<RawConnection>(
            host.port(), QStringLiteral("127.0.0.%1").arg(2 + i / 3)));
    const auto closedCount = [&] {
        return std::count_if(crowd.begin(), crowd.end(), [](const auto &c) { return c->closed; });
    };
    ASSERT_TRUE(waitFor([&] { return closedCount() >= 30 - 6; })) << closedCount();
    // Each of the six held is one of two from its address.
    EXPECT_TRUE(waitFor([&] { return host.findChildren<QTcpSocket *>().size() == 1 + 6; }))
        << host.findChildren<QTcpSocket *>().size();
    EXPECT_EQ(host.connectionCount(), 1 + 6);

    // A stranger is closed at once while the crowd stays; the seated person comes back.
    RawConnection stranger(host.port(), QStringLiteral("127.0.0.40"));
    EXPECT_TRUE(waitFor([&] { return stranger.closed; }));
    const int seat = a.client.seat();
    const QString token = a.client.token();
    a.client.abort();
    ASSERT_TRUE(waitFor([&] { return !host.isConnected(seat); }));
    Player back("เอ");
    back.autoPlay = false;
    back.join(host.port(), kCode, token);
    ASSERT_TRUE(waitFor([&] { return back.client.seat() != 0; }));
    EXPECT_EQ(back.client.seat(), seat);
    EXPECT_EQ(closedCount(), 30 - 6);
}

// A game never drops its connection over a chat line it cannot show: it leaves the line out. The
// host here sends what this game's host no longer would.
TEST(GameAtAHostileHost, LeavesOutALineItCannotShowAndStaysConnected)
{
    QTcpServer fake;
    ASSERT_TRUE(fake.listen(QHostAddress::LocalHost, 0));
    QTcpSocket *served = nullptr;
    QObject::connect(&fake, &QTcpServer::newConnection, &fake, [&] {
        served = fake.nextPendingConnection();
        served->write(net::encode(net::Welcome { 2, "00112233" })
                      + net::encode(net::Chat { 1, "\x1b[31mเอ", "สวัสดี", -1 })
                      + net::encode(net::Chat { 1, "เอ", "\u202Eสวัสดี", -1 })
                      + net::encode(net::Chat { 1, "เอ", "สวัสดี", -1 })
                      + net::encode(net::Notice { "ข้อความของคุณไม่ถูกส่งต่อ" }));
    });
    Player b("บี");
    b.autoPlay = false;
    b.join(fake.serverPort(), kCode);
    ASSERT_TRUE(waitFor([&] { return !b.notices.empty() || b.disconnects > 0; }));
    EXPECT_EQ(b.protocolErrors, std::vector<QString> {});
    EXPECT_EQ(b.chat, std::vector<QString> { QStringLiteral("1เอสวัสดี") });
    EXPECT_EQ(b.notices, std::vector<QString> { QStringLiteral("ข้อความของคุณไม่ถูกส่งต่อ") });
    EXPECT_TRUE(b.protocolErrors.empty());
    EXPECT_TRUE(b.client.isConnected());
    EXPECT_EQ(b.disconnects, 0);
}

} // namespace
