#pragma once

#include "net/Protocol.h"
#include "table/SeatLink.h"
#include "table/TableView.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTcpSocket>

#include <cstdint>

namespace net {

// A person's game at a table hosted elsewhere: it connects, says hello with the join code (and
// the seat token when it comes back), and then passes the table's events to its view in the
// order they came, and the person's actions and shown steps to the host (SeatLink). A view that
// is busy (a slide, a box) keeps the events that come meanwhile; the client does not wait.
//
// With setRejoinWithin(), a connection lost while seated (not ended by abort(), not refused) is
// taken up again with the seat's token, an attempt every kRejoinEveryMs until the time is up:
// the host keeps the seat that long and tells the view what it missed. An action the person
// takes while there is no connection is refused at once (Refusal::NotSeated), so the view
// offers it again.
class TableClient final : public QObject, public table::SeatLink
{
    Q_OBJECT
public:
    explicit TableClient(QObject *parent = nullptr);
    // Ends the connection; a client being destroyed emits nothing.
    ~TableClient() override;

    // The view the events go to (not owned; may be null). Events that come while there is no
    // view (between the welcome and the window that shows the seat) are kept for the next one.
    void setView(table::TableView *view);

    // token: the seat token of an earlier connection, to take that seat back.
    void connectTo(const QString &host, quint16 port, const QString &name, const QString &code,
                   const QString &token = {});
    // Ends the connection at once, as a lost one (no rejoining).
    void abort();
    // Gives the seat back to the table: the host is told (a Leave) and closes the connection,
    // after which disconnected() comes; nothing is tried again. Others need not wait for the
    // seat's bets and turns any more. Without a connection (rejoining, say) only the trying
    // stops: the host keeps the seat its while. Returns whether the host was told; the Leave is
    // surely read once disconnected() has come.
    bool leave();
    bool isConnected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }

    static constexpr int kRejoinEveryMs = 1'000;
    // How long a lost connection is tried again for; 0 (the default): it is not.
    void setRejoinWithin(int ms) { m_rejoinWithinMs = ms; }
    bool isRejoining() const { return m_rejoining; }
    // The last step of the table this game was told of (0: none yet).
    std::uint64_t seenStep() const { return m_seenStep; }

    int seat() const { return m_seat; }
    QString token() const { return m_token; }

    void act(const table::Action &action) override;
    void shown(std::uint64_t step) override;
    void say(const QString &text);
    void sayPhrase(int phrase);

    // For tests of a hostile person: bytes sent as they are.
    void sendRaw(const QByteArray &bytes);

signals:
    void welcomed(int seat);
    void rejected(net::Rejection reason, const QString &text);
    void refused(table::Refusal refusal, const QString &text);
    // A chat line someone at the table said (only plain lines: others are not shown).
    void chatted(int seat, const QString &name, const QString &text);
    // The host told this person alone something (their chat lines were dropped, say).
    void noticed(const QString &text);
    // Every message's bytes as they came (for tests that look at the wire).
    void bytesReceived(const QByteArray &bytes);
    // The host sent what is no message: the connection is closed.
    void protocolError(const QString &why);
    // The connection was lost and is being tried again (setRejoinWithin); welcomed() follows
    // when the seat is taken back, disconnected() when it could not be.
    void rejoining();
    // The connection ended (or could not be made), and is not tried again.
    void disconnected();

private:
    void readMessages();
    void send(const Message &message);
    void connectionEnded();
    void tryAgain();

    QTcpSocket m_socket;
    FrameReader m_reader;
    table::TableView *m_view = nullptr;
    std::vector<EventMessage> m_kept;
    Hello m_hello;
    QString m_host;
    quint16 m_port = 0;
    int m_seat = 0;
    QString m_token;
    std::uint64_t m_seenStep = 0;
    int m_rejoinWithinMs = 0;
    bool m_rejoining = false;
    bool m_aborted = false;
    QDeadlineTimer m_rejoinDeadline;
};

} // namespace net
