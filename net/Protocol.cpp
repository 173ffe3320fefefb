#include "net/Protocol.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborStreamReader>
#include <QCborValue>
#include <QString>
#include <QtEndian>

#include <cmath>
#include <limits>
#include <type_traits>

namespace net {

namespace {

    QString q(const std::string &text)
    {
        return QString::fromStdString(text);
    }
    QCborValue key(const char *name)
    {
        return QCborValue(QLatin1StringView(name));
    }

    // ---- Writing ----

    QCborArray cardOf(const cards::Card &card)
    {
        return QCborArray { card.suit, card.rank };
    }

    QCborMap handOf(const pokdeng::PlayedHand &hand)
    {
        QCborArray handCards;
        for (const cards::Card &card : hand.cards)
            handCards.append(cardOf(card));
        QCborMap map;
        map[key("cards")] = handCards;
        map[key("third")] = hand.drewThird;
        map[key("kind")] = hand.value.kind;
        map[key("mult")] = hand.value.multiplier;
        map[key("label")] = q(hand.value.label);
        return map;
    }

    QCborMap eventOf(const table::Event &event)
    {
        QCborMap map;
        std::visit(
            [&map](const auto &e) {
                using E = std::decay_t<decltype(e)>;
                if constexpr (std::is_same_v<E, table::SeatChanged>) {
                    map[key("k")] = QLatin1StringView("seat");
                    map[key("seat")] = e.seat;
                    map[key("person")] = e.person;
                    map[key("name")] = q(e.name);
                    map[key("present")] = e.present;
                    map[key("away")] = e.away;
                } else if constexpr (std::is_same_v<E, table::BetsOpen>) {
                    map[key("k")] = QLatin1StringView("bets");
                    QCborArray offered;
                    for (pokdeng::BetOption option : e.offered)
                        offered.append(static_cast<int>(option));
                    map[key("offered")] = offered;
                    map[key("money")] = e.money;
                    map[key("first")] = e.firstOfTable;
                } else if constexpr (std::is_same_v<E, table::BetChosen>) {
                    map[key("k")] = QLatin1StringView("bet");
                    map[key("seat")] = e.seat;
                    map[key("stake")] = e.stake;
                } else if constexpr (std::is_same_v<E, table::CardOut>) {
                    map[key("k")] = QLatin1StringView("card");
                    map[key("slot")] = e.slot;
                    map[key("up")] = e.faceUp;
                    // A card face down travels without its face.
                    if (e.faceUp)
                        map[key("card")] = cardOf(e.card);
                } else if constexpr (std::is_same_v<E, table::SeatDecided>) {
                    map[key("k")] = QLatin1StringView("decided");
                    map[key("seat")] = e.seat;
                    map[key("draws")] = e.draws;
                } else if constexpr (std::is_same_v<E, table::TurnStarts>) {
                    map[key("k")] = QLatin1StringView("turn");
                    map[key("seat")] = e.seat;
                    map[key("limit")] = e.limitMs;
                } else if constexpr (std::is_same_v<E, table::StatusShown>) {
                    map[key("k")] = QLatin1StringView("status");
                    map[key("label")] = q(e.status.label);
                    map[key("points")] = e.status.points;
                    map[key("drawShown")] = e.status.drawShown;
                    map[key("stand")] = static_cast<int>(e.status.stand);
                    map[key("showCards")] = e.status.standBecomesShowCards;
                    map[key("yourTurn")] = e.yourTurn;
                    map[key("mayDraw")] = e.mayDraw;
                    map[key("mayStand")] = e.mayStand;
                } else if constexpr (std::is_same_v<E, table::CardsRevealed>) {
                    map[key("k")] = QLatin1StringView("reveal");
                    QCborArray faces;
                    for (const table::SlotFace &face : e.faces)
                        faces.append(QCborArray { face.slot, cardOf(face.card) });
                    map[key("faces")] = faces;
                } else if constexpr (std::is_same_v<E, table::HandSettled>) {
                    map[key("k")] = QLatin1StringView("settled");
                    map[key("seat")] = e.seat;
                    map[key("label")] = q(e.label);
                } else if constexpr (std::is_same_v<E, table::OutcomeShown>) {
                    map[key("k")] = QLatin1StringView("outcome");
                    map[key("title")] = q(e.title);
                    map[key("text")] = q(e.text);
                    map[key("at")] = static_cast<qint64>(e.round.playedAtMs);
                    map[key("stake")] = e.round.stake;
                    map[key("user")] = handOf(e.round.user);
                    map[key("dealer")] = handOf(e.round.dealer);
                    map[key("result")] = static_cast<int>(e.round.outcome);
                    map[key("change")] = e.round.moneyChange;
                    map[key("after")] = e.round.moneyAfter;
                } else if constexpr (std::is_same_v<E, table::MoneyChanged>) {
                    map[key("k")] = QLatin1StringView("money");
                    map[key("seat")] = e.seat;
                    map[key("money")] = e.money;
                } else if constexpr (std::is_same_v<E, table::BetsClosing>) {
                    map[key("k")] = QLatin1StringView("closing");
                    map[key("limit")] = e.limitMs;
                } else {
                    static_assert(std::is_same_v<E, table::GameOver>);
                    map[key("k")] = QLatin1StringView("over");
                }
            },
            event);
        return map;
    }

    QCborMap actionOf(const table::Action &action)
    {
        QCborMap map;
        std::visit(
            [&map](const auto &a) {
                using A = std::decay_t<decltype(a)>;
                if constexpr (std::is_same_v<A, table::ChooseBet>) {
                    map[key("a")] = QLatin1StringView("bet");
                    map[key("option")] = static_cast<int>(a.option);
                } else if constexpr (std::is_same_v<A, table::Draw>) {
                    map[key("a")] = QLatin1StringView("draw");
                } else if constexpr (std::is_same_v<A, table::Stand>) {
                    map[key("a")] = QLatin1StringView("stand");
                } else {
                    static_assert(std::is_same_v<A, table::Leave>);
                    map[key("a")] = QLatin1StringView("leave");
                }
            },
            action);
        return map;
    }

    // ---- Reading: each read clears ok when the field is missing, of another type or out of
    // range, so one check at the end refuses the message. ----

    class Fields
    {
    public:
        explicit Fields(const QCborValue &value)
            : m_map(value.toMap())
            , m_ok(value.isMap())
        {
        }
        bool ok() const { return m_ok; }
        void fail() { m_ok = false; }

        QCborValue value(const char *name) const { return m_map.value(QLatin1StringView(name)); }
        bool has(const char *name) const { return m_map.contains(QLatin1StringView(name)); }

        qint64 integer(const char *name, qint64 least, qint64 most)
        {
            const QCborValue v = value(name);
            if (!v.isInteger() || v.toInteger() < least || v.toInteger() > most) {
                m_ok = false;
                return least;
            }
            return v.toInteger();
        }
        int number(const char *name, int least, int most)
        {
            return static_cast<int>(integer(name, least, most));
        }
        std::uint64_t step(const char *name)
        {
            return static_cast<std::uint64_t>(integer(name, 0, std::numeric_limits<qint64>::max()));
        }
        double amount(const char *name)
        {
            const QCborValue v = value(name);
            const double d = v.isInteger() ? static_cast<double>(v.toInteger()) : v.toDouble();
            if (!(v.isInteger() || v.isDouble()) || !std::isfinite(d)) {
                m_ok = false;
                return 0;
            }
            return d;
        }
        bool flag(const char *name)
        {
            const QCborValue v = value(name);
            if (!v.isBool())
                m_ok = false;
            return v.toBool();
        }
        std::string text(const char *name, qsizetype most = kMaxMessageBytes)
        {
            const QCborValue v = value(name);
            if (!v.isString() || v.toString().size() > most) {
                m_ok = false;
                return {};
            }
            return v.toString().toStdString();
        }
        QCborArray array(const char *name, qsizetype most)
        {
            const QCborValue v = value(name);
            if (!v.isArray() || v.toArray().size() > most) {
                m_ok = false;
                return {};
            }
            return v.toArray();
        }

    private:
        QCborMap m_map;
        bool m_ok;
    };

    bool readCard(const QCborValue &value, cards::Card &card)
    {
        const QCborArray pair = value.toArray();
        if (!value.isArray() || pair.size() != 2 || !pair[0].isInteger() || !pair[1].isInteger())
            return false;
        const qint64 suit = pair[0].toInteger();
        const qint64 rank = pair[1].toInteger();
        // A default card (0, 0) stands for a card not dealt (a hand's undrawn third card).
        if (suit == 0 && rank == 0) {
            card = {};
            return true;
        }
        if (!cards::isValidSuit(static_cast<int>(suit))
            || !cards::isValidRank(static_cast<int>(rank)))
            return false;
        card = { static_cast<std::uint8_t>(suit), static_cast<std::int16_t>(rank) };
        return true;
    }

    bool readHand(const QCborValue &value, pokdeng::PlayedHand &hand)
    {
        Fields f(value);
        const QCborArray handCards = f.array("cards", 3);
        if (handCards.size() != 3)
            return false;
        for (qsizetype i = 0; i < 3; ++i)
            if (!readCard(handCards[i], hand.cards[static_cast<std::size_t>(i)]))
                return false;
        hand.drewThird = f.flag("third");
        hand.value.kind = f.number("kind", -1'000'000, 1'000'000);
        hand.value.multiplier = f.number("mult", 0, 100);
        hand.value.label = f.text("label", 200);
        return f.ok();
    }

    constexpr int kSeats = 4;
    constexpr int kSlots = 12;

    std::optional<table::Event> readEvent(Fields &f)
    {
        const std::string kind = f.text("k", 16);
        if (kind == "seat") {
            table::SeatChanged e;
            e.seat = f.number("seat", 1, kSeats);
            e.person = f.flag("person");
            e.name = f.text("name", kMaxNameChars);
            e.present = f.flag("present");
            // A peer that knows nothing of away sends no field: the person is there.
            e.away = f.has("away") && f.flag("away");
            return e;
        }
        if (kind == "bets") {
            table::BetsOpen e;
            for (const QCborValue &option : f.array("offered", 5)) {
                if (!option.isInteger() || option.toInteger() < 0
                    || option.toInteger() > static_cast<int>(pokdeng::BetOption::AllMoney))
                    return std::nullopt;
                e.offered.push_back(static_cast<pokdeng::BetOption>(option.toInteger()));
            }
            e.money = f.amount("money");
            e.firstOfTable = f.flag("first");
            return e;
        }
        if (kind == "bet") {
            table::BetChosen e;
            e.seat = f.number("seat", 1, kSeats);
            e.stake = f.amount("stake");
            return e;
        }
        if (kind == "card") {
            table::CardOut e;
            e.slot = f.number("slot", 1, kSlots);
            e.faceUp = f.flag("up");
            // A card face down carries no face; one face up carries a real card.
            if (e.faceUp != f.has("card"))
                return std::nullopt;
            if (e.faceUp && (!readCard(f.value("card"), e.card) || !cards::isValidCard(e.card)))
                return std::nullopt;
            return e;
        }
        if (kind == "decided") {
            table::SeatDecided e;
            e.seat = f.number("seat", 1, kSeats);
            e.draws = f.flag("draws");
            return e;
        }
        if (kind == "turn") {
            table::TurnStarts e;
            e.seat = f.number("seat", 1, kSeats);
            e.limitMs = f.number("limit", 0, 24 * 3600 * 1000);
            return e;
        }
        if (kind == "status") {
            table::StatusShown e;
            e.status.label = f.text("label", 200);
            e.status.points = f.number("points", 0, 99);
            e.status.drawShown = f.flag("drawShown");
            e.status.stand = static_cast<pokdeng::UserStatus::StandButton>(
                f.number("stand", 0, static_cast<int>(pokdeng::UserStatus::StandButton::Hidden)));
            e.status.standBecomesShowCards = f.flag("showCards");
            e.yourTurn = f.flag("yourTurn");
            e.mayDraw = f.flag("mayDraw");
            e.mayStand = f.flag("mayStand");
            return e;
        }
        if (kind == "reveal") {
            table::CardsRevealed e;
            for (const QCborValue &faceValue : f.array("faces", kSlots)) {
                const QCborArray face = faceValue.toArray();
                table::SlotFace slotFace;
                if (!faceValue.isArray() || face.size() != 2 || !face[0].isInteger()
                    || face[0].toInteger() < 1 || face[0].toInteger() > kSlots
                    || !readCard(face[1], slotFace.card) || !cards::isValidCard(slotFace.card))
                    return std::nullopt;
                slotFace.slot = static_cast<int>(face[0].toInteger());
                e.faces.push_back(slotFace);
            }
            return e;
        }
        if (kind == "settled") {
            table::HandSettled e;
            e.seat = f.number("seat", 1, kSeats);
            e.label = f.text("label", 200);
            return e;
        }
        if (kind == "outcome") {
            table::OutcomeShown e;
            e.title = f.text("title", 200);
            e.text = f.text("text", 2000);
            e.round.playedAtMs = f.integer("at", 0, std::numeric_limits<qint64>::max());
            e.round.stake = f.amount("stake");
            if (!readHand(f.value("user"), e.round.user)
                || !readHand(f.value("dealer"), e.round.dealer))
                return std::nullopt;
            e.round.outcome = static_cast<pokdeng::Settlement::Outcome>(
                f.number("result", 0, static_cast<int>(pokdeng::Settlement::Outcome::Tie)));
            e.round.moneyChange = f.amount("change");
            e.round.moneyAfter = f.amount("after");
            return e;
        }
        if (kind == "money") {
            table::MoneyChanged e;
            e.seat = f.number("seat", 1, kSeats);
            e.money = f.amount("money");
            return e;
        }
        if (kind == "over")
            return table::GameOver {};
        if (kind == "closing")
            return table::BetsClosing { f.number("limit", 0, 24 * 3600 * 1000) };
        return std::nullopt;
    }

    std::optional<table::Action> readAction(Fields &f)
    {
        const std::string kind = f.text("a", 16);
        if (kind == "bet")
            return table::ChooseBet { static_cast<pokdeng::BetOption>(
                f.number("option", 0, static_cast<int>(pokdeng::BetOption::AllMoney))) };
        if (kind == "draw")
            return table::Draw {};
        if (kind == "stand")
            return table::Stand {};
        if (kind == "leave")
            return table::Leave {};
        return std::nullopt;
    }

    std::optional<Message> readMessage(Fields &f)
    {
        const std::string type = f.text("t", 16);
        if (type == "hello") {
            Hello m;
            m.protocol = f.number("protocol", 0, 1'000'000);
            m.gameVersion = f.text("game", 40);
            m.name = f.text("name", kMaxNameChars);
            m.code = f.text("code", 40);
            m.token = f.text("token", 64);
            // Absent from a first hello.
            m.seenStep = f.has("seen") ? f.step("seen") : 0;
            return m;
        }
        if (type == "welcome") {
            Welcome m;
            m.seat = f.number("seat", 1, 3);
            m.token = f.text("token", 64);
            return m;
        }
        if (type == "rejected") {
            Rejected m;
            m.reason = static_cast<Rejection>(
                f.number("reason", 0, static_cast<int>(Rejection::TooManyTries)));
            m.text = f.text("text", 500);
            return m;
        }
        if (type == "action") {
            Fields inner(f.value("action"));
            const std::optional<table::Action> action = readAction(inner);
            if (!action || !inner.ok())
                return std::nullopt;
            return ActionMessage { *action };
        }
        if (type == "refused") {
            Refused m;
            m.refusal = static_cast<table::Refusal>(
                f.number("refusal", 0, static_cast<int>(table::Refusal::GameOver)));
            m.text = f.text("text", 500);
            return m;
        }
        if (type == "event") {
            EventMessage m;
            m.step = f.step("step");
            Fields inner(f.value("event"));
            const std::optional<table::Event> event = readEvent(inner);
            if (!event || !inner.ok())
                return std::nullopt;
            m.event = *event;
            return m;
        }
        if (type == "shown")
            return Shown { f.step("step") };
        if (type == "chat") {
            Chat m;
            m.phrase = f.number("phrase", -1, static_cast<int>(quickPhrases().size()) - 1);
            m.text = f.text("text", kMaxChatChars);
            if (f.has("seat")) {
                m.seat = f.number("seat", 1, 3);
                m.name = f.text("name", kMaxNameChars);
            }
            if ((m.phrase >= 0) != m.text.empty())
                return std::nullopt;
            return m;
        }
        if (type == "notice")
            return Notice { f.text("text", 500) };
        return std::nullopt;
    }

} // namespace

std::string gameVersion()
{
    return POKDENG_GAME_VERSION;
}

std::string chatText(const Chat &chat)
{
    const auto &phrases = quickPhrases();
    return chat.phrase >= 0 && chat.phrase < static_cast<int>(phrases.size())
        ? phrases[static_cast<std::size_t>(chat.phrase)]
        : chat.text;
}

const std::vector<std::string> &quickPhrases()
{
    static const std::vector<std::string> phrases { "อีกตา",  "เก่งมาก", "ไพ่มาแล้ว",
                                                    "ขอบคุณ", "โชคดีนะ", "รอแป๊บ" };
    return phrases;
}

Sender senderOf(const Message &message)
{
    if (std::holds_alternative<Hello>(message) || std::holds_alternative<ActionMessage>(message)
        || std::holds_alternative<Shown>(message))
        return Sender::Person;
    if (const Chat *chat = std::get_if<Chat>(&message))
        return chat->seat == 0 ? Sender::Person : Sender::Host;
    return Sender::Host;
}

std::string rejectionText(Rejection reason, const std::string &hostVersion,
                          const std::string &personVersion)
{
    switch (reason) {
    case Rejection::Version:
        return "เกมของโต๊ะนี้เป็นรุ่น " + hostVersion + " แต่เกมของผู้เข้าร่วมเป็นรุ่น " + personVersion
            + " ต้องใช้รุ่นเดียวกันจึงจะเล่นด้วยกันได้";
    case Rejection::Code:
        return "รหัสเข้าร่วมโต๊ะไม่ถูกต้อง";
    case Rejection::TableFull:
        return "โต๊ะนี้เต็มแล้ว";
    case Rejection::TokenInUse:
        return "ที่นั่งนี้มีผู้เล่นเชื่อมต่ออยู่แล้ว";
    case Rejection::UnknownToken:
        return "ที่นั่งเดิมไม่ได้เก็บไว้ให้แล้ว";
    case Rejection::BadMessages:
        return "ข้อมูลที่ส่งมาไม่ถูกต้อง จึงตัดการเชื่อมต่อ";
    case Rejection::TableClosed:
        return "เจ้าของโต๊ะปิดโต๊ะแล้ว";
    case Rejection::Name:
        return "ชื่อนี้ใช้ที่โต๊ะไม่ได้";
    case Rejection::NameTaken:
        return "มีผู้เล่นชื่อนี้อยู่ที่โต๊ะแล้ว โปรดใช้ชื่ออื่น";
    case Rejection::TooManyTries:
        return "มีการลองรหัสเข้าร่วมผิดหลายครั้ง โปรดรอสักครู่แล้วลองใหม่";
    }
    return {};
}

QByteArray encode(const Message &message)
{
    QCborMap map;
    std::visit(
        [&map](const auto &m) {
            using M = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<M, Hello>) {
                map[key("t")] = QLatin1StringView("hello");
                map[key("protocol")] = m.protocol;
                map[key("game")] = q(m.gameVersion);
                map[key("name")] = q(m.name);
                map[key("code")] = q(m.code);
                map[key("token")] = q(m.token);
                if (m.seenStep > 0)
                    map[key("seen")] = static_cast<qint64>(m.seenStep);
            } else if constexpr (std::is_same_v<M, Welcome>) {
                map[key("t")] = QLatin1StringView("welcome");
                map[key("seat")] = m.seat;
                map[key("token")] = q(m.token);
            } else if constexpr (std::is_same_v<M, Rejected>) {
                map[key("t")] = QLatin1StringView("rejected");
                map[key("reason")] = static_cast<int>(m.reason);
                map[key("text")] = q(m.text);
            } else if constexpr (std::is_same_v<M, ActionMessage>) {
                map[key("t")] = QLatin1StringView("action");
                map[key("action")] = actionOf(m.action);
            } else if constexpr (std::is_same_v<M, Refused>) {
                map[key("t")] = QLatin1StringView("refused");
                map[key("refusal")] = static_cast<int>(m.refusal);
                map[key("text")] = q(m.text);
            } else if constexpr (std::is_same_v<M, EventMessage>) {
                map[key("t")] = QLatin1StringView("event");
                map[key("step")] = static_cast<qint64>(m.step);
                map[key("event")] = eventOf(m.event);
            } else if constexpr (std::is_same_v<M, Shown>) {
                map[key("t")] = QLatin1StringView("shown");
                map[key("step")] = static_cast<qint64>(m.step);
            } else if constexpr (std::is_same_v<M, Notice>) {
                map[key("t")] = QLatin1StringView("notice");
                map[key("text")] = q(m.text);
            } else {
                static_assert(std::is_same_v<M, Chat>);
                map[key("t")] = QLatin1StringView("chat");
                map[key("phrase")] = m.phrase;
                map[key("text")] = q(m.text);
                if (m.seat != 0) {
                    map[key("seat")] = m.seat;
                    map[key("name")] = q(m.name);
                }
            }
        },
        message);
    const QByteArray body = map.toCborValue().toCbor();
    QByteArray framed(4, '\0');
    qToBigEndian(static_cast<quint32>(body.size()), framed.data());
    framed.append(body);
    return framed;
}

Decoded decode(QByteArrayView body, Sender from)
{
    if (body.size() > static_cast<qsizetype>(kMaxMessageBytes))
        return { std::nullopt, "too long" };
    QCborStreamReader reader(reinterpret_cast<const quint8 *>(body.data()), body.size());
    const QCborValue value = QCborValue::fromCbor(reader);
    if (reader.lastError() != QCborError::NoError)
        return { std::nullopt, "not CBOR" };
    if (reader.currentOffset() != body.size())
        return { std::nullopt, "bytes after the message" };
    if (!value.isMap())
        return { std::nullopt, "not a map" };
    Fields fields(value);
    std::optional<Message> message = readMessage(fields);
    if (!message || !fields.ok())
        return { std::nullopt, "not a message" };
    if (senderOf(*message) != from)
        return { std::nullopt, "a message the other side sends" };
    return { std::move(message), nullptr };
}

void FrameReader::feed(QByteArrayView bytes)
{
    if (m_failed)
        return;
    m_buffer.append(bytes);
    // A length too long fails the reader as soon as its prefix is in, whatever follows it.
    if (m_buffer.size() >= 4 && qFromBigEndian<quint32>(m_buffer.constData()) > kMaxMessageBytes) {
        m_failed = true;
        m_buffer.clear();
        m_buffer.squeeze();
    }
}

std::optional<QByteArray> FrameReader::next()
{
    if (m_failed || m_buffer.size() < 4)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length > kMaxMessageBytes) {
        m_failed = true;
        m_buffer.clear();
        m_buffer.squeeze();
        return std::nullopt;
    }
    if (m_buffer.size() < 4 + static_cast<qsizetype>(length))
        return std::nullopt;
    QByteArray body = m_buffer.mid(4, length);
    m_buffer.remove(0, 4 + length);
    return body;
}

} // namespace net
