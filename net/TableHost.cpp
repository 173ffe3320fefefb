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
    // Everyone seated learns that the table is closed, rather than trying to come back to it.
    // No socket reports back to a host that is going.
    for (QTcpSocket *socket : findChildren<QTcpSocket *>())
        socket->disconnect(this);
    for (auto &[id, connection] : m_connections) {
        if (!connection->welcomed)
            continue;
        connection->send(
            encode(Rejected { Rejection::TableClosed, rejectionText(Rejection::TableClosed) }));
        connection->close();
    }
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
                // Closing writes out what is waiting first: the socket may go with the host.
                const int id = open([socket](const QByteArray &bytes) { socket->write(bytes); },
                                    [socket] {
                                        socket->flush();
                                        socket->disconnectFromHost();
                                    });
                qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 จาก %2")
                                         .arg(id)
                                         .arg(socket->peerAddress().toString());
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
            qInfo().noquote()
                << QStringLiteral("การเชื่อมต่อ %1 ส่งข้อความยาวเกิน 64 KiB จึงตัดการเชื่อมต่อ").arg(id);
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
            qInfo().noquote()
                << QStringLiteral("การเชื่อมต่อ %1 ส่งข้อความถี่เกินไป จึงตัดการเชื่อมต่อ").arg(id);
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
            qInfo().noquote() << QStringLiteral("ที่นั่ง %1: %2 ออกจากโต๊ะ")
                                     .arg(seat)
                                     .arg(QString::fromStdString(connection.name));
            m_seats[seat] = Seat {};
            connection.seat = 0;
            m_table.setView(seat, nullptr);
            m_table.leave(seat);
            return close(id);
        }
        if (const auto refusal = m_table.act(seat, a->action)) {
            qInfo().noquote() << QStringLiteral("ที่นั่ง %1: ไม่รับคำสั่ง (%2)")
                                     .arg(seat)
                                     .arg(QString::fromStdString(table::refusalText(*refusal)));
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
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: %2")
                                 .arg(connection.id)
                                 .arg(QString::fromStdString(text));
        return reject(connection, Rejection::Version, text);
    }
    if (QString::fromStdString(hello.code) != m_options.code) {
        qInfo().noquote()
            << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: รหัสเข้าร่วมไม่ถูกต้อง").arg(connection.id);
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
            qInfo().noquote()
                << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: ไม่มีที่นั่งของรหัสที่นั่งนี้").arg(connection.id);
            return reject(connection, Rejection::UnknownToken,
                          rejectionText(Rejection::UnknownToken));
        }
        if (m_seats[seat].connection != 0) {
            qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: ที่นั่ง %2 มีผู้เล่นเชื่อมต่ออยู่แล้ว")
                                     .arg(connection.id)
                                     .arg(seat);
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
        qInfo().noquote() << QStringLiteral("ที่นั่ง %1: %2 กลับมาแล้ว")
                                 .arg(seat)
                                 .arg(QString::fromStdString(connection.name));
        m_table.setView(seat, connection.view.get(), hello.seenStep);
        return;
    }

    connection.view = std::make_unique<ConnectionView>(*this, connection.id);
    const int id = connection.id;
    seat = m_table.join(hello.name, connection.view.get());
    if (seat == 0) {
        connection.view.reset();
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: โต๊ะเต็มแล้ว").arg(connection.id);
        return reject(connection, Rejection::TableFull, rejectionText(Rejection::TableFull));
    }
    connection.seat = seat;
    connection.name = hello.name;
    m_seats[seat] = Seat { newToken(), id, nullptr };
    sendTo(connection, Welcome { seat, m_seats[seat].token });
    connection.welcomed = true;
    qInfo().noquote()
        << QStringLiteral("ที่นั่ง %1: %2 เข้าร่วมโต๊ะ").arg(seat).arg(QString::fromStdString(hello.name));
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
    qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ส่งสิ่งที่ไม่ใช่ข้อความ (%2)")
                             .arg(connection.id)
                             .arg(QLatin1String(why));
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
    qInfo().noquote() << QStringLiteral("ที่นั่ง %1: การเชื่อมต่อหลุด เก็บที่นั่งไว้ %2 วินาที")
                             .arg(seat)
                             .arg(m_options.keepSeatMs / 1000.0);
    auto keep = std::make_unique<QTimer>();
    keep->setSingleShot(true);
    connect(keep.get(), &QTimer::timeout, this, [this, seat] { seatExpired(seat); });
    keep->start(m_options.keepSeatMs);
    m_seats[seat].keep = std::move(keep);
}

void TableHost::seatExpired(int seat)
{
    qInfo().noquote() << QStringLiteral("ที่นั่ง %1: ไม่กลับมาในเวลา คอมพิวเตอร์เล่นแทน").arg(seat);
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
