#include "net/TableClient.h"

#include "net/PlayerText.h"

#include <QTimer>

#include <algorithm>

namespace net {

namespace {

    // Events kept for a view still to come: far more than a round sends.
    constexpr std::size_t kMostKeptEvents = 1000;

    constexpr const char *kNotConnected = "ยังไม่ได้เชื่อมต่อกับโต๊ะ";

} // namespace

void TableClient::setView(table::TableView *view)
{
    m_view = view;
    if (!m_view)
        return;
    const std::vector<EventMessage> kept = std::move(m_kept);
    m_kept.clear();
    for (const EventMessage &event : kept)
        m_view->tell(event.step, event.event);
}

TableClient::TableClient(QObject *parent)
    : QObject(parent)
    , m_socket(this)
{
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        // Each message goes at once: a shown step followed by an action would otherwise wait
        // for the host's delayed acknowledgement (Nagle's algorithm), some 40 ms.
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        send(m_hello);
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, &TableClient::readMessages);
    // Every way a connection ends (closed, lost, refused, not found) passes here once.
    connect(&m_socket, &QTcpSocket::stateChanged, this, [this](QAbstractSocket::SocketState state) {
        if (state == QAbstractSocket::UnconnectedState)
            connectionEnded();
    });
}

TableClient::~TableClient()
{
    m_socket.disconnect(this);
    m_socket.abort();
}

void TableClient::connectTo(const QString &host, quint16 port, const QString &name,
                            const QString &code, const QString &token)
{
    m_hello = Hello { kProtocolVersion, gameVersion(), name.toStdString(), code.toStdString(),
                      token.toStdString() };
    m_host = host;
    m_port = port;
    m_seenStep = 0;
    m_rejoining = false;
    m_aborted = true; // the connection replaced is not tried again
    m_socket.abort();
    m_aborted = false;
    m_reader = FrameReader {};
    m_seat = 0;
    m_socket.connectToHost(host, port);
}

void TableClient::abort()
{
    m_aborted = true;
    m_rejoining = false;
    m_socket.abort();
}

bool TableClient::leave()
{
    const bool told = isConnected() && m_seat != 0;
    m_aborted = true;
    m_rejoining = false;
    if (told) {
        send(ActionMessage { table::Leave {} });
        m_socket.flush();
    } else {
        m_socket.abort();
    }
    return told;
}

void TableClient::connectionEnded()
{
    if (m_aborted)
        return emit disconnected();
    if (!m_rejoining) {
        const bool wasSeated = m_seat != 0 && !m_token.isEmpty();
        if (!wasSeated || m_rejoinWithinMs <= 0)
            return emit disconnected();
        m_rejoining = true;
        m_rejoinDeadline = QDeadlineTimer(m_rejoinWithinMs);
        emit rejoining();
    } else if (m_rejoinDeadline.hasExpired()) {
        m_rejoining = false;
        return emit disconnected();
    }
    QTimer::singleShot(kRejoinEveryMs, this, &TableClient::tryAgain);
}

// Another hello with the seat's token, and the last step this game saw.
void TableClient::tryAgain()
{
    if (!m_rejoining || m_socket.state() != QAbstractSocket::UnconnectedState)
        return;
    m_hello.token = m_token.toStdString();
    m_hello.seenStep = m_seenStep;
    m_reader = FrameReader {};
    m_socket.connectToHost(m_host, m_port);
}

void TableClient::act(const table::Action &action)
{
    if (!isConnected()) {
        emit refused(table::Refusal::NotSeated, QString::fromUtf8(kNotConnected));
        return;
    }
    send(ActionMessage { action });
}

void TableClient::shown(std::uint64_t step)
{
    send(Shown { step });
}

void TableClient::say(const QString &text)
{
    // One line, as long as a chat line may be.
    QString line = text.simplified().left(kMaxChatChars);
    if (!line.isEmpty())
        send(Chat { 0, {}, line.toStdString(), -1 });
}

void TableClient::sayPhrase(int phrase)
{
    if (phrase >= 0 && phrase < static_cast<int>(quickPhrases().size()))
        send(Chat { 0, {}, {}, phrase });
}

void TableClient::sendRaw(const QByteArray &bytes)
{
    m_socket.write(bytes);
}

void TableClient::send(const Message &message)
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.write(encode(message));
}

void TableClient::readMessages()
{
    // Bounded by what has arrived: each pass takes one chunk of it.
    while (m_socket.bytesAvailable() > 0) {
        m_reader.feed(m_socket.read(kMaxMessageBytes));
        while (true) {
            if (m_reader.failed()) {
                m_socket.abort();
                emit protocolError(QStringLiteral("a message over 64 KiB"));
                return;
            }
            const std::optional<QByteArray> body = m_reader.next();
            if (!body)
                break;
            emit bytesReceived(*body);
            const Decoded decoded = decode(*body, Sender::Host);
            if (!decoded.message) {
                m_socket.abort();
                emit protocolError(QString::fromLatin1(decoded.error));
                return;
            }
            const Message &message = *decoded.message;
            if (const Welcome *w = std::get_if<Welcome>(&message)) {
                m_seat = w->seat;
                m_token = QString::fromStdString(w->token);
                m_rejoining = false;
                emit welcomed(m_seat);
            } else if (const Rejected *r = std::get_if<Rejected>(&message)) {
                // The host will not seat this game (the seat is gone, a wrong code...): asking
                // again would get the same answer.
                m_rejoining = false;
                m_aborted = true;
                emit rejected(r->reason, QString::fromStdString(r->text));
            } else if (const Refused *f = std::get_if<Refused>(&message)) {
                emit refused(f->refusal, QString::fromStdString(f->text));
            } else if (const EventMessage *e = std::get_if<EventMessage>(&message)) {
                m_seenStep = std::max(m_seenStep, e->step);
                if (m_view)
                    m_view->tell(e->step, e->event);
                else if (m_kept.size() < kMostKeptEvents)
                    m_kept.push_back(*e);
            } else if (const Chat *c = std::get_if<Chat>(&message)) {
                // A line that is not plain is not shown; the connection goes on.
                const QString name = QString::fromStdString(c->name);
                const QString text = QString::fromStdString(chatText(*c));
                if (isPlainText(name) && isPlainText(text))
                    emit chatted(c->seat, name, text);
            } else if (const Notice *n = std::get_if<Notice>(&message)) {
                emit noticed(QString::fromStdString(n->text));
            }
            if (m_socket.state() == QAbstractSocket::UnconnectedState)
                return;
        }
    }
}

} // namespace net
