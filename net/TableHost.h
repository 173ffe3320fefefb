#pragma once

#include "net/ChatLimiter.h"
#include "net/ConnectionLimits.h"
#include "net/JoinGuard.h"
#include "net/Protocol.h"
#include "table/TableController.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QTcpServer;

namespace net {

// A table's host on the network: people's games connect, say hello with the join code and get a
// seat at the table, each as a view that sends the seat's events down its connection. A
// connection acts only for the seat it holds. A lost connection keeps its seat for
// Options::keepSeatMs (a turn of theirs that runs out is played for them, and they are away
// until they act); a hello with the seat's token, from the address the seat was taken from,
// takes it back with its money. A connection that sends too many messages a second, or keeps
// sending what is no message, is closed; the table goes on.
//
// Against a hostile or unlucky player the host holds to Options::limits (ConnectionLimits): wrong
// join codes are few and answered late (JoinGuard), and a full table says so whatever the code;
// names follow the record's rules and are one person's each at the table; chat lines are plain
// and few (ChatLimiter); the connections, those not seated yet, their time to say hello, what
// they may send before it and what may wait to be sent to a connection are all bounded.
//
// Who joins, leaves, drops, comes back or is refused, and each limit met, is logged (qInfo), one
// Thai line each (a limit met again and again: once a minute, with how often): the log of
// `pokdeng --host`, read by whoever runs the table. What a person sent is written escaped
// (loggable).
//
// The socket side is thin: each connection's bytes go to receive(), and what is sent to it goes
// through its send function, so the fuzz target drives the host with no socket.
class TableHost final : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        QString code;
        int keepSeatMs = 60'000;
        int maxMessagesPerSecond = 20;
        int maxBadMessages = 3;
        ConnectionLimits limits {};
    };

    TableHost(table::TableController &table, Options options, QObject *parent = nullptr);
    ~TableHost() override;

    // Listens for connections; false (and the reason in errorString()) when the port is taken.
    // The process's soft limit of open files is raised to its hard one first.
    bool listen(const QHostAddress &address, quint16 port = kDefaultPort);
    quint16 port() const;
    QString errorString() const;

    // ---- One connection, with or without a socket ----
    using Send = std::function<void(const QByteArray &bytes)>;
    using Close = std::function<void()>;
    // How many bytes sent to a connection are still waiting to leave.
    using Unsent = std::function<qint64()>;
    // Whether a new connection from peer may be opened now: not when the connections not seated
    // yet, in all or from peer's address, are at their limits, unless peer is the address of a
    // seat's person. A connection refused here is closed at once; the refusals are logged.
    bool mayOpen(const QHostAddress &peer);
    // A new connection from peer; send writes bytes to it, close ends it (after what was sent),
    // unsent (when given) says what waits to be sent. They may be called until the host is
    // destroyed: its destructor tells every seated connection that the table is closed, and
    // closes it.
    int open(Send send, Close close, const QHostAddress &peer = {}, Unsent unsent = {});
    // Bytes that arrived on the connection.
    void receive(int connection, QByteArrayView bytes);
    // The connection was lost (or closed); its seat is kept for a while.
    void lost(int connection);

    int connectionCount() const { return static_cast<int>(m_connections.size()); }
    // Whether the person at seat is connected now.
    bool isConnected(int seat) const;

    // A chat line of the person playing at the host's own game (seat), passed on to everyone as
    // a connection's line is (and held to the same allowance); text is plain text, or phrase a
    // quick phrase's number (-1: none).
    void say(int seat, const QString &name, const QString &text, int phrase = -1);

signals:
    // A chat line passed on to everyone (for a window at the host).
    void chatted(const net::Chat &chat);
    // Something for the person at the host's own game (seat) alone: a line of theirs was
    // dropped, and why.
    void noticed(int seat, const QString &text);

private:
    class ConnectionView;
    struct Connection;
    struct Seat
    {
        std::string token;
        QHostAddress address; // where the seat was taken from: its token is honoured only there
        int connection = 0; // 0 while the person's connection is lost
        std::unique_ptr<QTimer> keep;
    };
    // A limit met again and again is logged once a minute at most.
    struct LimitLog
    {
        qint64 saidAtMs = -1;
        int since = 0; // times met since the line said
    };

    void handle(Connection &connection, const Message &message);
    void chat(Connection &connection, const Chat &chat);
    // Whether seat's chat line is held back (a flood, or text that is not plain): nothing when it
    // goes on; else what its sender is told (empty: nothing, a flood already told). Logged.
    std::optional<std::string> heldBack(int seat, const std::string &name, const std::string &text);
    // A chat line to everyone seated and to the window at the host.
    void relay(const Chat &line);
    void hello(Connection &connection, const Hello &hello);
    void comeBack(Connection &connection, int seat, const Hello &hello);
    void join(Connection &connection, const Hello &hello);
    void wrongCode(Connection &connection);
    void reject(Connection &connection, Rejection reason, const std::string &text);
    void rejectLater(Connection &connection, Rejection reason, const std::string &text);
    void bad(Connection &connection, const char *why);
    void close(int connection);
    void sendTo(Connection &connection, const Message &message);
    void seatExpired(int seat);
    int seatOfToken(const std::string &token, const QHostAddress &peer) const;
    bool isNameTaken(const std::string &name) const;
    bool isSeatAddress(const QHostAddress &peer) const;
    qint64 readAllowance(int connection) const;
    void logLimit(LimitLog &log, const QString &line);
    void acceptConnections();
    static std::string newToken();

    table::TableController &m_table;
    Options m_options;
    QTcpServer *m_server = nullptr;
    int m_sockets = 0; // the sockets the host holds, closing ones included
    int m_mostSockets = 0;
    std::map<int, std::unique_ptr<Connection>> m_connections;
    std::array<Seat, 4> m_seats {}; // by seat, 1..3
    int m_nextConnection = 1;
    QElapsedTimer m_clock;
    JoinGuard m_guard;
    ChatLimiter m_chat;
    LimitLog m_allFull, m_unwelcomedFull, m_addressFull, m_silent, m_acceptFailed;
};

} // namespace net
