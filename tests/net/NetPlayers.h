#pragma once

// People at a hosted table over real sockets on the loopback: each a scripted player whose game
// answers every paced event at once, chooses the least bet and stands (or draws when it must),
// and checks every message it receives for cards it must not see yet.
#include "net/Protocol.h"
#include "net/TableClient.h"
#include "net/TableHost.h"
#include "rules/pokdeng/HandEvaluation.h"
#include "rules/pokdeng/PlayedRound.h"
#include "rules/pokdeng/Seats.h"
#include "rules/pokdeng/Settlement.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace nettest {

// Runs the event loop until done() or timeoutMs have passed; returns done().
inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 10'000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return done();
}

// What a round's outcome should have moved, worked out again from its cards and stake alone: the
// points summed here, the hands valued and settled by the rulebook. It does not read the host's
// money, so a table that books a round wrongly (or twice, or not at all) is caught.
inline double independentChange(const pokdeng::PlayedRound &round)
{
    const auto valued = [](const pokdeng::PlayedHand &hand, int &points) {
        points = 0;
        for (int i = 0; i < hand.cardCount(); ++i)
            points = (points + cards::cardValue(hand.cards[i].rank)) % 10;
        return pokdeng::evaluateHand(hand.cards, points, hand.drewThird);
    };
    int userPoints = 0, dealerPoints = 0;
    const pokdeng::HandValue user = valued(round.user, userPoints);
    const pokdeng::HandValue dealer = valued(round.dealer, dealerPoints);
    return pokdeng::settle(user, dealer, userPoints, round.stake).moneyChange;
}

class Player final : public table::TableView
{
public:
    explicit Player(std::string name)
        : name(std::move(name))
    {
        client.setView(this);
        QObject::connect(&client, &net::TableClient::bytesReceived, &client,
                         [this](const QByteArray &body) { inspect(body); });
        QObject::connect(&client, &net::TableClient::rejected, &client,
                         [this](net::Rejection reason, const QString &text) {
                             rejection = reason;
                             rejectionText = text;
                         });
        QObject::connect(
            &client, &net::TableClient::refused, &client,
            [this](table::Refusal refusal, const QString &) { refusals.push_back(refusal); });
        QObject::connect(&client, &net::TableClient::chatted, &client,
                         [this](int seat, const QString &who, const QString &text) {
                             chat.push_back(QString::number(seat) + who + text);
                         });
        QObject::connect(&client, &net::TableClient::disconnected, &client,
                         [this] { ++disconnects; });
        QObject::connect(&client, &net::TableClient::noticed, &client,
                         [this](const QString &text) { notices.push_back(text); });
        QObject::connect(&client, &net::TableClient::protocolError, &client,
                         [this](const QString &why) { protocolErrors.push_back(why); });
    }

    void join(quint16 port, const QString &code, const QString &token = {})
    {
        client.connectTo(QStringLiteral("127.0.0.1"), port, QString::fromStdString(name), code,
                         token);
    }

    void tell(std::uint64_t step, const table::Event &event) override
    {
        ++events;
        if (onEvent)
            onEvent(event);
        if (const auto *bets = std::get_if<table::BetsOpen>(&event); bets && autoPlay)
            client.act(table::ChooseBet { bets->offered.front() });
        if (const auto *status = std::get_if<table::StatusShown>(&event);
            status && status->yourTurn) {
            if (onTurn && onTurn())
                return;
            if (autoPlay)
                client.act(status->mayStand ? table::Action(table::Stand {}) : table::Draw {});
        }
        if (const auto *outcome = std::get_if<table::OutcomeShown>(&event))
            outcomes.push_back(outcome->round);
        if (const auto *money = std::get_if<table::MoneyChanged>(&event);
            money && money->seat == client.seat())
            lastMoney = money->money;
        if (table::isPaced(event) && answersShown)
            client.shown(step);
    }

    // Each message as it came off the wire: a card of another seat shows no face before the
    // reveal, and a face-down card carries no face at all.
    void inspect(const QByteArray &body)
    {
        rawBytes += body.size();
        const net::Decoded decoded = net::decode(body, net::Sender::Host);
        if (!decoded.message)
            return;
        const auto *message = std::get_if<net::EventMessage>(&*decoded.message);
        if (!message)
            return;
        if (std::holds_alternative<table::CardsRevealed>(message->event))
            revealed = true;
        if (const auto *card = std::get_if<table::CardOut>(&message->event)) {
            if (card->slot == 1) // the first card of a round
                revealed = false;
            if (card->faceUp && !revealed && pokdeng::seatOfSlot(card->slot) != client.seat()) {
                ++seenTooEarly;
                qWarning() << name.c_str() << "saw slot" << card->slot
                           << "before the reveal:" << body.toHex();
            }
            if (!card->faceUp && body.contains(QByteArrayLiteral("card\x82")))
                ++seenTooEarly;
        }
    }

    // The person's money from the outcomes this game was shown.
    double settledMoney() const
    {
        double money = 10000;
        for (const pokdeng::PlayedRound &round : outcomes)
            money += round.moneyChange;
        return money;
    }

    std::string name;
    net::TableClient client;
    bool autoPlay = true;
    bool answersShown = true; // false: a game that never says it has shown anything
    std::function<bool()> onTurn; // true: the turn is left alone
    std::function<void(const table::Event &)> onEvent; // each event, before the player answers it
    std::size_t events = 0;
    qint64 rawBytes = 0;
    int seenTooEarly = 0;
    bool revealed = false;
    int disconnects = 0;
    std::optional<net::Rejection> rejection;
    QString rejectionText;
    std::vector<table::Refusal> refusals;
    std::vector<QString> chat;
    std::vector<QString> notices;
    std::vector<QString> protocolErrors;
    std::vector<pokdeng::PlayedRound> outcomes;
    double lastMoney = 10000;
};

// A bare connection to a host, as a hostile or broken game makes it: from a loopback address of
// its choosing (127.0.0.1 unless told), it sends the bytes it is given and keeps what the host
// answers, message by message.
class RawConnection final
{
public:
    explicit RawConnection(quint16 port, const QString &from = QStringLiteral("127.0.0.1"))
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [this] {
            reader.feed(socket.readAll());
            while (const auto body = reader.next()) {
                const net::Decoded decoded = net::decode(*body, net::Sender::Host);
                if (decoded.message)
                    received.push_back(*decoded.message);
                else
                    ++undecodable;
            }
        });
        QObject::connect(&socket, &QTcpSocket::stateChanged, &socket,
                         [this](QAbstractSocket::SocketState state) {
                             if (state == QAbstractSocket::UnconnectedState)
                                 closed = true;
                         });
        socket.bind(QHostAddress(from));
        socket.connectToHost(QHostAddress::LocalHost, port);
    }

    void send(const QByteArray &bytes) { socket.write(bytes); }

    // The first message of kind M the host sent, or null.
    template<typename M> const M *first() const
    {
        for (const net::Message &message : received)
            if (const M *m = std::get_if<M>(&message))
                return m;
        return nullptr;
    }
    template<typename M> int count() const
    {
        return static_cast<int>(
            std::count_if(received.begin(), received.end(), [](const net::Message &message) {
                return std::holds_alternative<M>(message);
            }));
    }

    QTcpSocket socket;
    net::FrameReader reader;
    std::vector<net::Message> received;
    int undecodable = 0;
    bool closed = false;
};

// A hello as a game of this version sends it.
inline QByteArray helloBytes(const std::string &name, const QString &code,
                             const QString &token = {})
{
    return net::encode(net::Hello { net::kProtocolVersion, net::gameVersion(), name,
                                    code.toStdString(), token.toStdString() });
}

// Passes connections on 127.0.0.1 through to a host's port, until cut() ends every connection
// passed so far at once, as a dropped network does; later connections pass again.
class CuttableProxy final : public QObject
{
public:
    explicit CuttableProxy(quint16 hostPort)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this, hostPort] {
            while (QTcpSocket *in = m_server.nextPendingConnection()) {
                auto *out = new QTcpSocket(this);
                in->setParent(this);
                pipe(in, out);
                pipe(out, in);
                out->connectToHost(QHostAddress::LocalHost, hostPort);
                m_pairs.push_back({ in, out });
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    quint16 port() const { return m_server.serverPort(); }

    void cut()
    {
        for (auto &[in, out] : m_pairs) {
            in->abort();
            out->abort();
        }
        m_pairs.clear();
    }

private:
    static void pipe(QTcpSocket *from, QTcpSocket *to)
    {
        QObject::connect(from, &QTcpSocket::readyRead, to, [from, to] {
            if (to->state() == QAbstractSocket::ConnectedState)
                to->write(from->readAll());
        });
        // What came before the other end was connected.
        QObject::connect(to, &QTcpSocket::connected, from,
                         [from, to] { to->write(from->readAll()); });
    }

    QTcpServer m_server;
    std::vector<std::pair<QTcpSocket *, QTcpSocket *>> m_pairs;
};

} // namespace nettest
