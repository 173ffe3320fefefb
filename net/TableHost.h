#pragma once

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

class QTcpServer;

namespace net {

// A table's host on the network: people's games connect, say hello with the join code and get a
// seat at the table, each as a view that sends the seat's events down its connection. A
// connection acts only for the seat it holds. A lost connection keeps its seat for
// Options::keepSeatMs (the seat's turns stand by the limit meanwhile); a hello with the seat's
// token takes it back with its money. A connection that sends too many messages a second, or
// keeps sending what is no message, is closed; the table goes on.
// Who joins, leaves, drops, comes back or is refused is logged (qInfo), one Thai line each: the
// log of `pokdeng --host`, read by whoever runs the table.
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
    };

    TableHost(table::TableController &table, Options options, QObject *parent = nullptr);
    ~TableHost() override;

    // Listens for connections; false (and the reason in errorString()) when the port is taken.
    bool listen(const QHostAddress &address, quint16 port = kDefaultPort);
    quint16 port() const;
    QString errorString() const;

    // ---- One connection, with or without a socket ----
    using Send = std::function<void(const QByteArray &bytes)>;
    using Close = std::function<void()>;
    // A new connection; send writes bytes to it, close ends it (after what was sent). Both may
    // be called until the host is destroyed: its destructor tells every seated connection that
    // the table is closed, and closes it.
    int open(Send send, Close close);
    // Bytes that arrived on the connection.
    void receive(int connection, QByteArrayView bytes);
    // The connection was lost (or closed); its seat is kept for a while.
    void lost(int connection);

    int connectionCount() const { return static_cast<int>(m_connections.size()); }
    // Whether the person at seat is connected now.
    bool isConnected(int seat) const;

    // A chat line of the person playing at the host's own game (seat), passed on to everyone as
    // a connection's line is; text is plain text, or phrase a quick phrase's number (-1: none).
    void say(int seat, const QString &name, const QString &text, int phrase = -1);

signals:
    // A chat line passed on to everyone (for a window at the host).
    void chatted(const net::Chat &chat);

private:
    class ConnectionView;
    struct Connection;
    struct Seat
    {
        std::string token;
        int connection = 0; // 0 while the person's connection is lost
        std::unique_ptr<QTimer> keep;
    };

    void handle(Connection &connection, const Message &message);
    void hello(Connection &connection, const Hello &hello);
    void reject(Connection &connection, Rejection reason, const std::string &text);
    void bad(Connection &connection, const char *why);
    void close(int connection);
    void sendTo(Connection &connection, const Message &message);
    void seatExpired(int seat);
    static std::string newToken();

    table::TableController &m_table;
    Options m_options;
    QTcpServer *m_server = nullptr;
    std::map<int, std::unique_ptr<Connection>> m_connections;
    std::array<Seat, 4> m_seats {}; // by seat, 1..3
    int m_nextConnection = 1;
};

} // namespace net
