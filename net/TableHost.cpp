#include "net/TableHost.h"

#include "net/PlayerText.h"

#include <QDebug>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>
#include <utility>
#include <vector>

#include <sys/resource.h>

namespace net {

namespace {
    // Bytes taken from a socket at a time: the frame reader holds at most one message beyond them.
    constexpr qint64 kReadChunk = kMaxMessageBytes;
    // Each event sent lets its connection answer with two messages beyond the rate, up to this
    // many.
    constexpr int kMostAnswers = 1000;
    // A closed socket whose last bytes have not left by then (its peer reads nothing) is cut.
    constexpr int kClosingMs = 5'000;
    // A limit met again within this is counted, not logged.
    constexpr qint64 kLimitLogEveryMs = 60'000;
    // After the system refused a connection (no file left, say), the door opens again this soon.
    constexpr int kAcceptAgainMs = 1'000;

    const char *const kChatFlood = "คุณส่งแชตถี่เกินไป ข้อความที่เกินจะไม่ถูกส่งต่อ (ส่งได้ %1 ข้อความใน %2 วินาที)";
    const char *const kChatNotPlain = "ข้อความแชตมีอักขระควบคุมหรืออักขระจัดรูปแบบ จึงไม่ได้ส่งต่อ";

    std::string chatFloodText(const ConnectionLimits &limits)
    {
        return QString::fromUtf8(kChatFlood)
            .arg(limits.chatLines)
            .arg(limits.chatWindowMs / 1000.0)
            .toStdString();
    }

    // The same number of steps whatever the code tried: how far a guess matched is not told by
    // the time of its answer.
    bool isSameCode(const QString &tried, const QString &code)
    {
        bool same = tried.size() == code.size();
        for (qsizetype i = 0; i < code.size(); ++i)
            same &= i < tried.size() && tried[i] == code[i];
        return same;
    }

    // The soft limit of open files raised to the hard one; the soft limit now.
    rlim_t takeAllOpenFiles()
    {
        rlimit files {};
        if (getrlimit(RLIMIT_NOFILE, &files) != 0)
            return 1024;
        if (files.rlim_cur < files.rlim_max) {
            rlimit raised = files;
            raised.rlim_cur = files.rlim_max;
            if (setrlimit(RLIMIT_NOFILE, &raised) == 0)
                files = raised;
        }
        return files.rlim_cur;
    }
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
    Unsent unsent;
    QHostAddress peer;
    QString address; // addressKey(peer)
    FrameReader reader;
    int seat = 0;
    std::string name;
    std::unique_ptr<ConnectionView> view;
    bool welcomed = false;
    bool answering = false; // refused, its answer still to come: nothing more is read
    bool overflowing = false; // it reads too little: nothing more is sent, it is being closed
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
    , m_mostSockets(m_options.limits.mostConnections)
    , m_guard(m_options.limits)
    , m_chat(m_options.limits)
{
    m_clock.start();
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
        // Well within the open files: a crowd of connections never leaves the host without a
        // file to accept the next one, or a seated person's way back.
        const rlim_t files = takeAllOpenFiles();
        m_mostSockets = static_cast<int>(
            std::min<rlim_t>(static_cast<rlim_t>(m_options.limits.mostConnections), files / 2));
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &TableHost::acceptConnections);
        // The server stops accepting when the system refuses it a connection; it tries again.
        connect(m_server, &QTcpServer::acceptError, this, [this] {
            logLimit(m_acceptFailed,
                     QStringLiteral("รับการเชื่อมต่อใหม่ไม่ได้ (%1) จะลองใหม่ในอีก 1 วินาที")
                         .arg(m_server->errorString()));
            QTimer::singleShot(kAcceptAgainMs, m_server,
                               [server = m_server] { server->resumeAccepting(); });
        });
    }
    return m_server->listen(address, port);
}

void TableHost::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        const QHostAddress peer = socket->peerAddress();
        // At a limit the connection is taken and closed at once: the listening socket is never
        // left with connections it does not take.
        bool refused = m_sockets >= m_mostSockets;
        if (refused)
            logLimit(m_allFull,
                     QStringLiteral("มีการเชื่อมต่อครบ %1 แล้ว ปิดการเชื่อมต่อใหม่จาก %2 ทันที")
                         .arg(m_mostSockets)
                         .arg(peer.toString()));
        if (refused || !mayOpen(peer)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_sockets;
        connect(socket, &QObject::destroyed, this, [this] { --m_sockets; });
        // Qt reads no more than a chunk ahead of the host.
        socket->setReadBufferSize(kReadChunk);
        // Each message goes at once, not held back for an acknowledgement.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        const qint64 mostUnsent = m_options.limits.mostUnsentBytes;
        // Closing writes out what is waiting first (the socket may go with the host), unless
        // the peer let too much wait; a peer that never reads is cut after a while.
        const int id
            = open([socket](const QByteArray &bytes) { socket->write(bytes); },
                   [socket, mostUnsent] {
                       if (socket->bytesToWrite() > mostUnsent) {
                           socket->abort();
                           return;
                       }
                       socket->flush();
                       socket->disconnectFromHost();
                       if (socket->state() != QAbstractSocket::UnconnectedState)
                           QTimer::singleShot(kClosingMs, socket, [socket] { socket->abort(); });
                   },
                   peer, [socket] { return socket->bytesToWrite(); });
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 จาก %2").arg(id).arg(peer.toString());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, id] {
            // Bounded: a socket that keeps sending is read a chunk at a time until it is
            // closed, refused or has no more.
            while (socket->bytesAvailable() > 0) {
                const qint64 allowance = readAllowance(id);
                if (allowance <= 0)
                    return;
                receive(id, socket->read(allowance));
            }
        });
        connect(socket, &QAbstractSocket::stateChanged, this,
                [this, socket, id](QAbstractSocket::SocketState state) {
                    if (state != QAbstractSocket::UnconnectedState)
                        return;
                    lost(id);
                    socket->deleteLater();
                });
    }
}

// Before its hello a connection is read no further than the most it may send then, plus one
// byte to see it go over; a refused one is not read at all.
qint64 TableHost::readAllowance(int id) const
{
    const auto it = m_connections.find(id);
    if (it == m_connections.end() || it->second->answering)
        return 0;
    const Connection &connection = *it->second;
    if (connection.seat != 0)
        return kReadChunk;
    return std::max<qint64>(
        1, m_options.limits.mostBytesBeforeHello + 1 - connection.reader.buffered());
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

bool TableHost::isSeatAddress(const QHostAddress &peer) const
{
    for (int seat = 1; seat <= 3; ++seat)
        if (!m_seats[seat].token.empty()
            && m_seats[seat].address.isEqual(peer, QHostAddress::TolerantConversion))
            return true;
    return false;
}

bool TableHost::mayOpen(const QHostAddress &peer)
{
    // A seated person's address is let in past the strangers' limits: they come back through
    // any crowd.
    if (isSeatAddress(peer))
        return true;
    const QString address = addressKey(peer);
    int unwelcomed = 0;
    int fromAddress = 0;
    for (const auto &[id, connection] : m_connections) {
        if (connection->seat != 0)
            continue;
        ++unwelcomed;
        fromAddress += connection->address == address;
    }
    const ConnectionLimits &limits = m_options.limits;
    if (unwelcomed >= limits.mostUnwelcomed) {
        logLimit(m_unwelcomedFull,
                 QStringLiteral("มีการเชื่อมต่อที่ยังไม่ได้เข้าร่วมครบ %1 แล้ว ปิดการเชื่อมต่อใหม่จาก %2 ทันที")
                     .arg(limits.mostUnwelcomed)
                     .arg(address));
        return false;
    }
    if (fromAddress >= limits.mostUnwelcomedPerAddress) {
        logLimit(m_addressFull,
                 QStringLiteral("%1 มีการเชื่อมต่อที่ยังไม่ได้เข้าร่วมครบ %2 แล้ว ปิดการเชื่อมต่อใหม่ทันที")
                     .arg(address)
                     .arg(limits.mostUnwelcomedPerAddress));
        return false;
    }
    return true;
}

int TableHost::open(Send send, Close close, const QHostAddress &peer, Unsent unsent)
{
    auto connection = std::make_unique<Connection>();
    connection->id = m_nextConnection++;
    connection->send = std::move(send);
    connection->close = std::move(close);
    connection->unsent = std::move(unsent);
    connection->peer = peer;
    connection->address = addressKey(peer);
    connection->second.start();
    const int id = connection->id;
    m_connections.emplace(id, std::move(connection));
    // Not seated in time: closed, so a silent connection holds nothing for long. (A timer of
    // the host's, not the connection's: closing it ends the connection.)
    QTimer::singleShot(m_options.limits.helloWithinMs, this, [this, id] {
        const auto it = m_connections.find(id);
        if (it == m_connections.end() || it->second->seat != 0 || it->second->answering)
            return;
        logLimit(m_silent,
                 QStringLiteral("การเชื่อมต่อ %1 จาก %2 ไม่เข้าร่วมภายใน %3 วินาที จึงตัดการเชื่อมต่อ")
                     .arg(id)
                     .arg(it->second->address)
                     .arg(m_options.limits.helloWithinMs / 1000.0));
        this->close(id);
    });
    return id;
}

void TableHost::receive(int id, QByteArrayView bytes)
{
    auto it = m_connections.find(id);
    if (it == m_connections.end() || it->second->answering)
        return;
    it->second->reader.feed(bytes);
    // Each message may close the connection: it is looked up again before the next.
    while (true) {
        it = m_connections.find(id);
        if (it == m_connections.end() || it->second->answering)
            return;
        Connection &connection = *it->second;
        if (connection.reader.failed()) {
            qInfo().noquote()
                << QStringLiteral("การเชื่อมต่อ %1 ส่งข้อความยาวเกิน 64 KiB จึงตัดการเชื่อมต่อ").arg(id);
            reject(connection, Rejection::BadMessages, rejectionText(Rejection::BadMessages));
            return;
        }
        const std::optional<QByteArray> body = connection.reader.next();
        // Until it is seated, a connection may leave no more than a hello's worth waiting.
        const qsizetype most = m_options.limits.mostBytesBeforeHello;
        if (!body && connection.seat == 0 && connection.reader.buffered() > most) {
            qInfo().noquote() << QStringLiteral(
                                     "การเชื่อมต่อ %1 ส่งข้อมูลเกิน %2 ไบต์ก่อนเข้าร่วม จึงตัดการเชื่อมต่อ")
                                     .arg(id)
                                     .arg(most);
            return reject(connection, Rejection::BadMessages,
                          rejectionText(Rejection::BadMessages));
        }
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
            qInfo().noquote()
                << QStringLiteral("ที่นั่ง %1: %2 ออกจากโต๊ะ").arg(seat).arg(loggable(connection.name));
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
    if (const Chat *c = std::get_if<Chat>(&message))
        return chat(connection, *c);
}

void TableHost::chat(Connection &connection, const Chat &line)
{
    const int seat = connection.seat;
    if (const auto refusal = heldBack(seat, connection.name, line.text)) {
        if (!refusal->empty())
            sendTo(connection, Notice { *refusal });
        return;
    }
    Chat relayed = line;
    relayed.seat = seat;
    relayed.name = connection.name;
    relay(relayed);
}

std::optional<std::string> TableHost::heldBack(int seat, const std::string &name,
                                               const std::string &text)
{
    switch (m_chat.take(seat, m_clock.elapsed())) {
    case ChatLimiter::Verdict::Pass:
        break;
    case ChatLimiter::Verdict::DropAndTell:
        qInfo().noquote() << QStringLiteral("ที่นั่ง %1: %2 ส่งแชตถี่เกินไป ข้อความที่เกินไม่ถูกส่งต่อ")
                                 .arg(seat)
                                 .arg(loggable(name));
        return chatFloodText(m_options.limits);
    case ChatLimiter::Verdict::Drop:
        return std::string();
    }
    if (!isPlainText(QString::fromStdString(text))) {
        qInfo().noquote() << QStringLiteral("ที่นั่ง %1: ข้อความแชตมีอักขระควบคุม ไม่ส่งต่อ: %2")
                                 .arg(seat)
                                 .arg(loggable(text));
        return std::string(kChatNotPlain);
    }
    return std::nullopt;
}

void TableHost::relay(const Chat &line)
{
    for (const auto &[id, other] : m_connections)
        if (other->seat != 0)
            sendTo(*other, line);
    emit chatted(line);
}

int TableHost::seatOfToken(const std::string &token, const QHostAddress &peer) const
{
    if (token.empty())
        return 0;
    for (int seat = 1; seat <= 3; ++seat)
        if (m_seats[seat].token == token
            && m_seats[seat].address.isEqual(peer, QHostAddress::TolerantConversion))
            return seat;
    return 0;
}

bool TableHost::isNameTaken(const std::string &name) const
{
    const QString key = nameKey(QString::fromStdString(name));
    for (int seat = 1; seat <= 3; ++seat)
        if (m_table.isPerson(seat) && nameKey(QString::fromStdString(m_table.nameAt(seat))) == key)
            return true;
    return false;
}

void TableHost::hello(Connection &connection, const Hello &hello)
{
    if (hello.protocol != kProtocolVersion || hello.gameVersion != gameVersion()) {
        const std::string text
            = rejectionText(Rejection::Version, gameVersion(), hello.gameVersion);
        qInfo().noquote()
            << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: %2").arg(connection.id).arg(loggable(text));
        return reject(connection, Rejection::Version, text);
    }
    const bool rightCode = isSameCode(QString::fromStdString(hello.code), m_options.code);
    // A seat's token from where the seat was taken is a key no guess finds: its person comes
    // back whatever strangers try meanwhile.
    if (const int seat = seatOfToken(hello.token, connection.peer)) {
        if (!rightCode)
            return wrongCode(connection);
        return comeBack(connection, seat, hello);
    }
    // Past the limit of wrong codes no code is looked at, so the answer tells nothing.
    if (m_guard.door(connection.address, m_clock.elapsed()) != JoinGuard::Door::Open)
        return rejectLater(connection, Rejection::TooManyTries,
                           rejectionText(Rejection::TooManyTries));
    // A full table seats no one, whatever the code: it answers without looking at it.
    if (m_table.personCount() >= 3) {
        const Rejection reason
            = hello.token.empty() ? Rejection::TableFull : Rejection::UnknownToken;
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: โต๊ะเต็มแล้ว").arg(connection.id);
        return reject(connection, reason, rejectionText(reason));
    }
    if (!rightCode)
        return wrongCode(connection);
    if (!hello.token.empty()) {
        int seat = 0;
        for (int s = 1; s <= 3; ++s)
            if (m_seats[s].token == hello.token)
                seat = s;
        if (seat != 0)
            qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: รหัสที่นั่งของที่นั่ง %2 มาจาก %3 "
                                                "ไม่ใช่ที่อยู่ที่เข้าร่วม (%4)")
                                     .arg(connection.id)
                                     .arg(seat)
                                     .arg(connection.peer.toString(),
                                          m_seats[seat].address.toString());
        else
            qInfo().noquote()
                << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: ไม่มีที่นั่งของรหัสที่นั่งนี้").arg(connection.id);
        return reject(connection, Rejection::UnknownToken, rejectionText(Rejection::UnknownToken));
    }
    join(connection, hello);
}

void TableHost::wrongCode(Connection &connection)
{
    qInfo().noquote()
        << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: รหัสเข้าร่วมไม่ถูกต้อง").arg(connection.id);
    const ConnectionLimits &limits = m_options.limits;
    switch (m_guard.wrongCode(connection.address, m_clock.elapsed())) {
    case JoinGuard::Door::Open:
        break;
    case JoinGuard::Door::AddressLockedOut:
        qInfo().noquote() << QStringLiteral(
                                 "%1 ใส่รหัสเข้าร่วมผิดครบ %2 ครั้งใน %3 วินาที ไม่รับรหัสจากที่อยู่นี้ชั่วคราว")
                                 .arg(connection.address)
                                 .arg(limits.wrongCodesPerAddress)
                                 .arg(limits.codeWindowMs / 1000.0);
        break;
    case JoinGuard::Door::AllLockedOut:
        qInfo().noquote() << QStringLiteral(
                                 "ใส่รหัสเข้าร่วมผิดรวมครบ %1 ครั้งใน %2 วินาที ไม่รับรหัสจากผู้เข้าร่วมใหม่ชั่วคราว")
                                 .arg(limits.wrongCodesInAll)
                                 .arg(limits.codeWindowMs / 1000.0);
        break;
    }
    rejectLater(connection, Rejection::Code, rejectionText(Rejection::Code));
}

void TableHost::comeBack(Connection &connection, int seat, const Hello &hello)
{
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
    qInfo().noquote()
        << QStringLiteral("ที่นั่ง %1: %2 กลับมาแล้ว").arg(seat).arg(loggable(connection.name));
    m_table.setView(seat, connection.view.get(), hello.seenStep);
}

void TableHost::join(Connection &connection, const Hello &hello)
{
    if (const std::optional<std::string> why = nameRefusal(hello.name)) {
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: ชื่อ \"%2\" ใช้ไม่ได้ (%3)")
                                 .arg(connection.id)
                                 .arg(loggable(hello.name), QString::fromStdString(*why));
        return reject(connection, Rejection::Name, *why);
    }
    if (isNameTaken(hello.name)) {
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: มีผู้เล่นชื่อ \"%2\" อยู่แล้ว")
                                 .arg(connection.id)
                                 .arg(loggable(hello.name));
        return reject(connection, Rejection::NameTaken, rejectionText(Rejection::NameTaken));
    }
    connection.view = std::make_unique<ConnectionView>(*this, connection.id);
    const int id = connection.id;
    const int seat = m_table.join(hello.name, connection.view.get());
    if (seat == 0) {
        connection.view.reset();
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ถูกปฏิเสธ: โต๊ะเต็มแล้ว").arg(connection.id);
        return reject(connection, Rejection::TableFull, rejectionText(Rejection::TableFull));
    }
    connection.seat = seat;
    connection.name = hello.name;
    m_seats[seat] = Seat { newToken(), connection.peer, id, nullptr };
    m_chat.reset(seat);
    sendTo(connection, Welcome { seat, m_seats[seat].token });
    connection.welcomed = true;
    qInfo().noquote() << QStringLiteral("ที่นั่ง %1: %2 เข้าร่วมโต๊ะ").arg(seat).arg(loggable(hello.name));
    for (const EventMessage &held : std::exchange(connection.held, {}))
        sendTo(connection, held);
}

void TableHost::reject(Connection &connection, Rejection reason, const std::string &text)
{
    sendTo(connection, Rejected { reason, text });
    close(connection.id);
}

// The answer waits, and the connection with it (counted among those not seated): wrong guesses
// come no faster than the connections allowed to wait.
void TableHost::rejectLater(Connection &connection, Rejection reason, const std::string &text)
{
    const int delay = m_options.limits.wrongCodeDelayMs;
    if (delay <= 0)
        return reject(connection, reason, text);
    connection.answering = true;
    QTimer::singleShot(delay, this, [this, id = connection.id, reason, text] {
        const auto it = m_connections.find(id);
        if (it != m_connections.end())
            reject(*it->second, reason, text);
    });
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
    if (connection.overflowing)
        return;
    if (std::holds_alternative<EventMessage>(message))
        connection.answers = std::min(connection.answers + 2, kMostAnswers);
    if (connection.send)
        connection.send(encode(message));
    if (!connection.unsent || connection.unsent() <= m_options.limits.mostUnsentBytes)
        return;
    // The peer reads too little (or nothing): it is closed as a lost connection, its seat kept.
    // Later, not here: the table may be in the middle of telling its views.
    connection.overflowing = true;
    QTimer::singleShot(0, this, [this, id = connection.id] {
        const auto it = m_connections.find(id);
        if (it == m_connections.end())
            return;
        qInfo().noquote() << QStringLiteral("การเชื่อมต่อ %1 ไม่รับข้อมูล ค้างส่งเกิน %2 KiB จึงตัดการเชื่อมต่อ")
                                 .arg(id)
                                 .arg(m_options.limits.mostUnsentBytes / 1024);
        close(id);
    });
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

void TableHost::logLimit(LimitLog &log, const QString &line)
{
    const qint64 now = m_clock.elapsed();
    if (log.saidAtMs >= 0 && now - log.saidAtMs < kLimitLogEveryMs) {
        ++log.since;
        return;
    }
    if (log.since > 0)
        qInfo().noquote() << line + QStringLiteral(" (และอีก %1 ครั้งในนาทีก่อน)").arg(log.since);
    else
        qInfo().noquote() << line;
    log.saidAtMs = now;
    log.since = 0;
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
    if (const auto refusal = heldBack(seat, line.name, line.text)) {
        if (!refusal->empty())
            emit noticed(seat, QString::fromStdString(*refusal));
        return;
    }
    relay(line);
}

} // namespace net
