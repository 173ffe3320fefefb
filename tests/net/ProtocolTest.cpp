#include "net/Protocol.h"

#include <gtest/gtest.h>

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QtEndian>

#include <string>
#include <vector>

namespace {

using namespace net;

pokdeng::PlayedRound aRound()
{
    pokdeng::PlayedRound round;
    round.playedAtMs = 1'765'000'000'000;
    round.stake = 5000;
    round.user.cards = { cards::Card { 1, 9 }, cards::Card { 2, 13 }, cards::Card {} };
    round.user.value = { 9, 1, "ป๊อก 9" };
    round.dealer.cards = { cards::Card { 3, 2 }, cards::Card { 4, 3 }, cards::Card { 4, 12 } };
    round.dealer.drewThird = true;
    round.dealer.value = { 5, 1, "5 แต้ม" };
    round.outcome = pokdeng::Settlement::Outcome::UserWins;
    round.moneyChange = 5000;
    round.moneyAfter = 15000.5;
    return round;
}

struct RoundTrip
{
    const char *name;
    Message message;
};

std::vector<RoundTrip> roundTrips()
{
    using namespace table;
    pokdeng::UserStatus status { "7 แต้ม", 7, true, pokdeng::UserStatus::StandButton::Shown, false };
    return {
        { "hello", Hello { kProtocolVersion, "1.0", "สมชาย", "4821", "" } },
        { "helloWithToken", Hello { kProtocolVersion, "1.0", "สมชาย", "4821", "00ff", 305 } },
        { "welcome", Welcome { 3, "0123456789abcdef0123456789abcdef" } },
        { "rejected",
          Rejected { Rejection::Version, rejectionText(Rejection::Version, "1.0", "2.0") } },
        { "tableClosed",
          Rejected { Rejection::TableClosed, rejectionText(Rejection::TableClosed) } },
        { "actionBet", ActionMessage { ChooseBet { pokdeng::BetOption::HalfMoney } } },
        { "actionDraw", ActionMessage { Draw {} } },
        { "actionStand", ActionMessage { Stand {} } },
        { "actionLeave", ActionMessage { Leave {} } },
        { "refused", Refused { Refusal::NotYourTurn, refusalText(Refusal::NotYourTurn) } },
        { "seatChanged", EventMessage { 1, SeatChanged { 1, true, "มานี", false } } },
        { "seatToComputer", EventMessage { 2, SeatChanged { 3, false, "", true } } },
        { "seatAway", EventMessage { 2, SeatChanged { 2, true, "มานี", true, true } } },
        { "seatLostAndAway", EventMessage { 2, SeatChanged { 1, true, "มานี", false, true } } },
        { "betsOpen",
          EventMessage { 3,
                         BetsOpen { { pokdeng::BetOption::Thousand, pokdeng::BetOption::AllMoney },
                                    10000,
                                    true } } },
        { "betChosen", EventMessage { 4, BetChosen { 2, 1000 } } },
        { "cardOutFaceUp", EventMessage { 5, CardOut { 4, true, cards::Card { 2, 11 } } } },
        { "cardOutFaceDown", EventMessage { 6, CardOut { 1, false, cards::Card {} } } },
        { "seatDecided", EventMessage { 7, SeatDecided { 3, true } } },
        { "turnStarts", EventMessage { 8, TurnStarts { 1, 30000 } } },
        { "statusShown", EventMessage { 9, StatusShown { status, true, true, false } } },
        { "cardsRevealed",
          EventMessage { 10, CardsRevealed { { { 1, { 1, 1 } }, { 12, { 4, 13 } } } } } },
        { "handSettled", EventMessage { 11, HandSettled { 4, "ผ่อง 3 เด้ง" } } },
        { "outcomeShown", EventMessage { 12, OutcomeShown { "ชนะ", "ได้ 5,000 บาท", aRound() } } },
        { "moneyChanged", EventMessage { 13, MoneyChanged { 2, 7500.25 } } },
        { "gameOver", EventMessage { (1ull << 40), GameOver {} } },
        { "betsClosing", EventMessage { 14, BetsClosing { 30'000 } } },
        { "shown", Shown { 99 } },
        { "chatFromPerson", Chat { 0, "", "ไพ่ดีจัง <b>", -1 } },
        { "phraseFromPerson", Chat { 0, "", "", 1 } },
        { "chatFromHost", Chat { 2, "สมชาย", "อีกตา!", -1 } },
        // Whether a line is plain is for the host and the game to judge, not the decoder: a game
        // never drops its connection over a line it will not show.
        { "chatOfTwoLinesFromPerson", Chat { 0, "", "a\nb", -1 } },
        { "chatWithEscapeFromHost", Chat { 1, "\x1b[31mเอ", "\u202Eสวัสดี", -1 } },
        { "notice", Notice { "คุณส่งแชตถี่เกินไป" } },
        { "rejectedTooManyTries",
          Rejected { Rejection::TooManyTries, rejectionText(Rejection::TooManyTries) } },
    };
}

QByteArray bodyOf(const QByteArray &framed)
{
    return framed.mid(4);
}

// Every kind of message comes back as it went, through the frame reader, from its sender.
TEST(Protocol, EveryKindRoundTrips)
{
    for (const RoundTrip &row : roundTrips()) {
        SCOPED_TRACE(row.name);
        const QByteArray framed = encode(row.message);
        ASSERT_EQ(qFromBigEndian<quint32>(framed.constData()), framed.size() - 4);
        FrameReader reader;
        reader.feed(framed);
        const std::optional<QByteArray> body = reader.next();
        ASSERT_TRUE(body);
        const Decoded decoded = decode(*body, senderOf(row.message));
        ASSERT_TRUE(decoded.message) << decoded.error;
        EXPECT_EQ(*decoded.message, row.message);
        // The other side never sends it.
        const Sender other = senderOf(row.message) == Sender::Host ? Sender::Person : Sender::Host;
        EXPECT_FALSE(decode(*body, other).message);
    }
}

// A face-down card carries nothing of its face on the wire.
TEST(Protocol, FaceDownCardCarriesNoFace)
{
    const QByteArray body = bodyOf(encode(EventMessage { 1, table::CardOut { 3, false, {} } }));
    const QCborMap event = QCborValue::fromCbor(body).toMap()[QLatin1StringView("event")].toMap();
    EXPECT_FALSE(event.contains(QLatin1StringView("card")));
}

// Bytes arrive one at a time, and several messages in one read.
TEST(Protocol, FrameReaderTakesBytesAsTheyCome)
{
    QByteArray stream;
    const std::vector<RoundTrip> rows = roundTrips();
    for (const RoundTrip &row : rows)
        stream += encode(row.message);
    FrameReader oneByOne;
    std::size_t count = 0;
    for (const char byte : stream) {
        oneByOne.feed(QByteArrayView(&byte, 1));
        while (const auto body = oneByOne.next()) {
            ASSERT_LT(count, rows.size());
            EXPECT_TRUE(decode(*body, senderOf(rows[count].message)).message);
            ++count;
        }
    }
    EXPECT_EQ(count, rows.size());
    EXPECT_EQ(oneByOne.buffered(), 0);

    FrameReader allAtOnce;
    allAtOnce.feed(stream);
    count = 0;
    while (allAtOnce.next())
        ++count;
    EXPECT_EQ(count, rows.size());
}

// A length over the bound fails the reader from the prefix alone, before the bytes are kept.
TEST(Protocol, OversizedLengthFailsFromThePrefix)
{
    QByteArray prefix(4, '\0');
    qToBigEndian<quint32>(kMaxMessageBytes + 1, prefix.data());
    FrameReader reader;
    reader.feed(prefix);
    EXPECT_TRUE(reader.failed());
    reader.feed(QByteArray(1000, 'x'));
    EXPECT_EQ(reader.buffered(), 0);
    EXPECT_FALSE(reader.next());

    // Exactly the bound is a length a message may have.
    qToBigEndian<quint32>(kMaxMessageBytes, prefix.data());
    FrameReader atBound;
    atBound.feed(prefix);
    EXPECT_FALSE(atBound.failed());
}

QByteArray cbor(const QCborMap &map)
{
    return QCborValue(map).toCbor();
}
QCborMap eventWith(const char *kind,
                   std::initializer_list<std::pair<const char *, QCborValue>> fields)
{
    QCborMap event;
    event[QLatin1StringView("k")] = QLatin1StringView(kind);
    for (const auto &[name, value] : fields)
        event[QLatin1StringView(name)] = value;
    QCborMap message;
    message[QLatin1StringView("t")] = QLatin1StringView("event");
    message[QLatin1StringView("step")] = 1;
    message[QLatin1StringView("event")] = event;
    return message;
}

// A seat's news from a host that knows nothing of away: the person is there.
TEST(Protocol, ASeatWithoutAwayIsNotAway)
{
    const QByteArray body = cbor(eventWith("seat",
                                           { { "seat", 1 },
                                             { "person", true },
                                             { "name", QStringLiteral("มานี") },
                                             { "present", true } }));
    const Decoded decoded = decode(body, Sender::Host);
    ASSERT_TRUE(decoded.message) << decoded.error;
    EXPECT_EQ(std::get<EventMessage>(*decoded.message).event,
              table::Event(table::SeatChanged { 1, true, "มานี", true, false }));
}

// Whatever the bytes, the decoder answers with a reason and no message.
TEST(Protocol, RefusesWhatIsNoMessage)
{
    const QByteArray good = bodyOf(encode(EventMessage { 1, table::MoneyChanged { 2, 10 } }));
    QCborMap unknown;
    unknown[QLatin1StringView("t")] = QLatin1StringView("teleport");
    QCborMap noType;
    noType[QLatin1StringView("step")] = 3;
    QCborMap chatLong;
    chatLong[QLatin1StringView("t")] = QLatin1StringView("chat");
    chatLong[QLatin1StringView("phrase")] = -1;
    chatLong[QLatin1StringView("text")] = QString(kMaxChatChars + 1, QLatin1Char('a'));
    QCborMap phraseOutOfRange = chatLong;
    phraseOutOfRange[QLatin1StringView("text")] = QString();
    phraseOutOfRange[QLatin1StringView("phrase")] = 1000;

    const struct
    {
        const char *name;
        QByteArray body;
        Sender from;
    } rows[] = {
        { "empty", {}, Sender::Host },
        { "truncated", good.left(good.size() - 3), Sender::Host },
        { "trailingBytes", good + QByteArray(1, '\0'), Sender::Host },
        { "notCbor", QByteArray("\xff\xff\xff\xff", 4), Sender::Host },
        { "notAMap", QCborValue(42).toCbor(), Sender::Host },
        { "unknownType", cbor(unknown), Sender::Host },
        { "noType", cbor(noType), Sender::Person },
        { "unknownEvent", cbor(eventWith("fireworks", {})), Sender::Host },
        { "seatOutOfRange", cbor(eventWith("money", { { "seat", 9 }, { "money", 1 } })),
          Sender::Host },
        { "moneyNotANumber",
          cbor(eventWith("money", { { "seat", 1 }, { "money", QStringLiteral("lots") } })),
          Sender::Host },
        { "moneyInfinite", cbor(eventWith("money", { { "seat", 1 }, { "money", qInf() } })),
          Sender::Host },
        { "awayNotAFlag",
          cbor(eventWith("seat",
                         { { "seat", 1 },
                           { "person", true },
                           { "name", QStringLiteral("x") },
                           { "present", true },
                           { "away", 1 } })),
          Sender::Host },
        { "faceDownWithFace",
          cbor(eventWith("card",
                         { { "slot", 1 }, { "up", false }, { "card", QCborArray { 1, 1 } } })),
          Sender::Host },
        { "faceUpInvalidCard",
          cbor(eventWith("card",
                         { { "slot", 1 }, { "up", true }, { "card", QCborArray { 7, 1 } } })),
          Sender::Host },
        { "chatTooLong", cbor(chatLong), Sender::Person },
        { "phraseOutOfRange", cbor(phraseOutOfRange), Sender::Person },
        { "oversized", QByteArray(kMaxMessageBytes + 1, '\xa0'), Sender::Person },
        { "noticeFromPerson", bodyOf(encode(Notice { "x" })), Sender::Person },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const Decoded decoded = decode(row.body, row.from);
        EXPECT_FALSE(decoded.message);
        EXPECT_NE(decoded.error, nullptr);
    }
}

} // namespace
