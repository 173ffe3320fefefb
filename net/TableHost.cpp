#include "net/TableHost.h"

#include <QDebug>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <utility>
#include <vector>

namespace net {

namespace {
    // Bytes taken from a socket at a time: the frame reader holds at most one message beyond them.
    constexpr qint64 kReadChunk = kMaxMessageBytes;
    // Each event sent lets its connection answer with two messages beyond the rate, up to this
    // many.
    constexpr int kMostAnswers = 1000;
} // namespace

// A seat's view at the other end of a connection: each event goes down the wire.
class TableHost::ConnectionView final : public table::TableView
{
public:
    ConnectionView(TableHost &host, int connection)
        : m_host(host)
        , m_connection(connection)
    {
    }
    void tell(std::uint64_t step, const table::Event &event) override;

private:
    TableHost &m_host;
    int m_connection;
};

struct TableHost::Connection
{
    int id = 0;
    Send send;
    Close close;
    FrameReader reader;
    int seat = 0;
    std::string name;
    std::unique_ptr<ConnectionView> view;
    bool welcomed = false;
    std::vector<EventMessage> held;
    int badMessages = 0;
    int messagesThisSecond = 0;
    int answers = 0; // messages that answer events sent, beyond the rate
    QElapsedTimer second;
};

void TableHost::ConnectionView::tell(std::uint64_t step, const table::Event &event)
{
    const auto it = m_host.m_connections.find(m_connection);
    if (it == m_host.m_connections.end())
        return;
    Connection &connection = *it->second;
    // What the table tells while it seats the person follows the welcome.
    if (!connection.welcomed)
        connection.held.push_back(EventMessage { step, event });
    else
        m_host.sendTo(connection, EventMessage { step, event });
}

TableHost::TableHost(table::TableController &table, Options options, QObject *parent)
    : QObject(parent)
    , m_table(table)
    , m_options(std::move(options))
{
}

TableHost::~TableHost()
{
    // The table may outlive the host: no view of ours stays with it.
    for (int seat = 1; seat <= 3; ++seat)
        if (m_seats[seat].connection != 0)
            m_table.setView(seat, nullptr);
}

bool TableHost::listen(const QHostAddress &address, quint16 port)
{
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server->nextPendingConnection()) {
                socket->setParent(this);
                // Each message goes at once, not held back for an acknowledgement.
                socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
                const int id = open([socket](const QByteArray &bytes) { socket->write(bytes); },
                                    [socket] { socket->disconnectFromHost(); });
                qInfo().noquote() << "net: connection" << id << "from"
                                  << socket->peerAddress().toString();
                connect(socket, &QTcpSocket::readyRead, this, [this, socket, id] {
                    // Bounded: a socket that keeps sending is read a chunk at a time until it is
                    // closed or has no more.
                    while (socket->bytesAvailable() > 0 && m_connections.count(id))
                        receive(id, socket->read(kReadChunk));
                });
                connect(socket, &QTcpSocket::disconnected, this, [this, socket, id] {
                    lost(id);
                    socket->deleteLater();
                });
            }
        });
    }
    return m_server->listen(address, port);
}

quint16 TableHost::port() const
{
    return m_server ? m_server->serverPort() : 0;
}

QString TableHost::errorString() const
{
    return m_server ? m_server->errorString() : QString();
}

bool TableHost::isConnected(int seat) const
{
    return seat >= 1 && seat <= 3 && m_seats[seat].connection != 0;
}

int TableHost::open(Send send, Close close)
{
    auto connection = std::make_unique<Connection>();
    connection->id = m_nextConnection++;
    connection->send = std::move(send);
    connection->close = std::move(close);
    connection->second.start();
    const int id = connection->id;
    m_connections.emplace(id, std::move(connection));
    return id;
}

void TableHost::receive(int id, QByteArrayView bytes)
{
    auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    it->second->reader.feed(bytes);
    // Each message may close the connection: it is looked up again before the next.
    while (true) {
        it = m_connections.find(id);
        if (it == m_connections.end())
            return;
        Connection &connection = *it->second;
        if (connection.reader.failed()) {
            qInfo().noquote() << "net: connection" << id << "sent a message over 64 KiB; closed";
            reject(connection, Rejection::BadMessages, rejectionText(Rejection::BadMessages));
            return;
        }
        const std::optional<QByteArray> body = connection.reader.next();
        if (!body)
            return;
        if (connection.second.elapsed() >= 1000) {
            connection.second.restart();
            connection.messagesThisSecond = 0;
        }
        // Answers to the table's events (shown, an action on offer) are paid for by the events;
        // beyond them a connection may send maxMessagesPerSecond a second.
        if (++connection.messagesThisSecond > m_options.maxMessagesPerSecond
            && connection.answers <= 0) {
            qInfo().noquote() << "net: connection" << id << "floods the table; closed";
            reject(connection, Rejection::BadMessages, rejectionText(Rejection::BadMessages));
            return;
        }
        if (connection.messagesThisSecond > m_options.maxMessagesPerSecond)
            --connection.answers;
        const Decoded decoded = decode(*body, Sender::Person);
        if (!decoded.message)
            bad(connection, decoded.error);
        else
            handle(connection, *decoded.message);
    }
}

void TableHost::handle(Connection &connection, const Message &message)
{
    if (const Hello *h = std::get_if<Hello>(&message)) {
        if (connection.seat != 0)
            return bad(connection, "a second hello");
        return hello(connection, *h);
    }
    if (connection.seat == 0)
        return bad(connection, "a message before its seat");
    if (const ActionMessage *a = std::get_if<ActionMessage>(&message)) {
        const int seat = connection.seat;
        if (std::holds_alternative<table::Leave>(a->action)) {
            // The seat goes back to the table: this connection holds it no more and ends, so
            // it can never act for whoever sits there next.
            const int id = connection.id;
            qInfo().noquote() << "net: seat" << seat
                              << "left:" << QString::fromStdString(connection.name);
            m_seats[seat] = Seat {};
            connection.seat = 0;
            m_table.setView(seat, nullptr);
            m_table.leave(seat);
            return close(id);
        }
        if (const auto refusal = m_table.act(seat, a->action)) {
            qInfo().noquote() << "net: seat" << seat
                              << "refused:" << QString::fromStdString(table::refusalText(*refusal));
            const auto it = m_connections.find(connection.id);
            if (it != m_connections.end())
                sendTo(*it->second, Refused { *refusal, table::refusalText(*refusal) });
        }
        return;
    }
    if (const Shown *s = std::get_if<Shown>(&message))
        return m_table.shown(connection.seat, s->step);
    if (const Chat *c = std::get_if<Chat>(&message)) {
        Chat relayed = *c;
        relayed.seat = connection.seat;
        relayed.name = connection.name;
        for (const auto &[id, other] : m_connections)
            if (other->seat != 0)
                sendTo(*other, relayed);
        emit chatted(relayed);
        return;
    }
}

void TableHost::hello(Connection &connection, const Hello &hello)
{
    if (hello.protocol != kProtocolVersion || hello.gameVersion != gameVersion()) {
        const std::string text
            = rejectionText(Rejection::Version, gameVersion(), hello.gameVersion);
        qInfo().noquote() << "net: connection" << connection.id
                          << "refused:" << QString::fromStdString(text);
        return reject(connection, Rejection::Version, text);
    }
    if (QString::fromStdString(hello.code) != m_options.code) {
        qInfo().noquote() << "net: connection" << connection.id << "refused: wrong join code";
        return reject(connection, Rejection::Code, rejectionText(Rejection::Code));
    }
    if (hello.name.empty())
        return bad(connection, "a hello with no name");

    int seat = 0;
    if (!hello.token.empty()) {
        for (int s = 1; s <= 3; ++s)
            if (!m_seats[s].token.empty() && m_seats[s].token == hello.token)
                seat = s;
        if (seat == 0) {
            qInfo().noquote() << "net: connection" << connection.id << "refused: unknown token";
            return reject(connection, Rejection::UnknownToken,
                          rejectionText(Rejection::UnknownToken));
        }
        if (m_seats[seat].connection != 0) {
            qInfo().noquote() << "net: connection" << connection.id << "refused: the token of seat"
                              << seat << "which is connected";
            return reject(connection, Rejection::TokenInUse, rejectionText(Rejection::TokenInUse));
        }
        m_seats[seat].keep.reset();
        m_seats[seat].connection = connection.id;
        connection.seat = seat;
        connection.name = m_table.nameAt(seat);
        connection.view = std::make_unique<ConnectionView>(*this, connection.id);
        sendTo(connection, Welcome { seat, m_seats[seat].token });
        connection.welcomed = true;
        // The money may have changed while the person was away: they learn it first. (Step 0
        // is no step of the table's; the event is not paced.)
        sendTo(connection, EventMessage { 0, table::MoneyChanged { seat, m_table.money(seat) } });
        qInfo().noquote() << "net: seat" << seat
                          << "back:" << QString::fromStdString(connection.name);
        m_table.setView(seat, connection.view.get());
        return;
    }

    connection.view = std::make_unique<ConnectionView>(*this, connection.id);
    const int id = connection.id;
    seat = m_table.join(hello.name, connection.view.get());
    if (seat == 0) {
        connection.view.reset();
        qInfo().noquote() << "net: connection" << connection.id << "refused: the table is full";
        return reject(connection, Rejection::TableFull, rejectionText(Rejection::TableFull));
    }
    connection.seat = seat;
    connection.name = hello.name;
    m_seats[seat] = Seat { newToken(), id, nullptr };
    sendTo(connection, Welcome { seat, m_seats[seat].token });
    connection.welcomed = true;
    qInfo().noquote() << "net: seat" << seat << "joined:" << QString::fromStdString(hello.name);
    for (const EventMessage &held : std::exchange(connection.held, {}))
        sendTo(connection, held);
}

void TableHost::reject(Connection &connection, Rejection reason, const std::string &text)
{
    sendTo(connection, Rejected { reason, text });
    close(connection.id);
}

void TableHost::bad(Connection &connection, const char *why)
{
    qInfo().noquote() << "net: connection" << connection.id << "sent no message:" << why;
    if (++connection.badMessages >= m_options.maxBadMessages)
        reject(connection, Rejection::BadMessages, rejectionText(Rejection::BadMessages));
}

void TableHost::sendTo(Connection &connection, const Message &message)
{
    if (std::holds_alternative<EventMessage>(message))
        connection.answers = std::min(connection.answers + 2, kMostAnswers);
    if (connection.send)
        connection.send(encode(message));
}

void TableHost::close(int id)
{
    const auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    Close closeIt = std::move(it->second->close);
    lost(id);
    if (closeIt)
        closeIt();
}

void TableHost::lost(int id)
{
    const auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    // The table lets go of the view before it goes.
    std::unique_ptr<Connection> connection = std::move(it->second);
    m_connections.erase(it);
    const int seat = connection->seat;
    if (seat == 0 || m_seats[seat].connection != id)
        return;
    m_seats[seat].connection = 0;
    m_table.setView(seat, nullptr);
    qInfo().noquote() << "net: seat" << seat << "lost its connection; kept for"
                      << m_options.keepSeatMs << "ms";
    auto keep = std::make_unique<QTimer>();
    keep->setSingleShot(true);
    connect(keep.get(), &QTimer::timeout, this, [this, seat] { seatExpired(seat); });
    keep->start(m_options.keepSeatMs);
    m_seats[seat].keep = std::move(keep);
}

void TableHost::seatExpired(int seat)
{
    qInfo().noquote() << "net: seat" << seat << "left: not back in time";
    // The timer is the one running this: it goes on a later turn of the loop.
    m_seats[seat].keep.release()->deleteLater();
    m_seats[seat] = Seat {};
    m_table.leave(seat);
}

std::string TableHost::newToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex().toStdString();
}

void TableHost::say(int seat, const QString &name, const QString &text, int phrase)
{
    Chat line;
    line.seat = seat;
    line.name = name.left(kMaxNameChars).toStdString();
    line.phrase = phrase;
    if (phrase < 0)
        line.text = text.simplified().left(kMaxChatChars).toStdString();
    if (phrase < 0 && line.text.empty())
        return;
    for (const auto &[id, other] : m_connections)
        if (other->seat != 0)
            sendTo(*other, line);
    emit chatted(line);
}

} // namespace net
