#include "net/TableClient.h"

namespace net {

namespace {

    // Events kept for a view still to come: far more than a round sends.
    constexpr std::size_t kMostKeptEvents = 1000;

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
    connect(&m_socket, &QTcpSocket::disconnected, this, &TableClient::disconnected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket.state() != QAbstractSocket::ConnectedState)
            emit disconnected();
    });
}

void TableClient::connectTo(const QString &host, quint16 port, const QString &name,
                            const QString &code, const QString &token)
{
    m_hello = Hello { kProtocolVersion, gameVersion(), name.toStdString(), code.toStdString(),
                      token.toStdString() };
    m_reader = FrameReader {};
    m_seat = 0;
    m_socket.abort();
    m_socket.connectToHost(host, port);
}

void TableClient::abort()
{
    m_socket.abort();
}

void TableClient::act(const table::Action &action)
{
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
                emit welcomed(m_seat);
            } else if (const Rejected *r = std::get_if<Rejected>(&message)) {
                emit rejected(r->reason, QString::fromStdString(r->text));
            } else if (const Refused *f = std::get_if<Refused>(&message)) {
                emit refused(f->refusal, QString::fromStdString(f->text));
            } else if (const EventMessage *e = std::get_if<EventMessage>(&message)) {
                if (m_view)
                    m_view->tell(e->step, e->event);
                else if (m_kept.size() < kMostKeptEvents)
                    m_kept.push_back(*e);
            } else if (const Chat *c = std::get_if<Chat>(&message)) {
                const QString text = c->phrase >= 0
                    ? QString::fromStdString(quickPhrases()[static_cast<std::size_t>(c->phrase)])
                    : QString::fromStdString(c->text);
                emit chatted(c->seat, QString::fromStdString(c->name), text);
            }
            if (m_socket.state() == QAbstractSocket::UnconnectedState)
                return;
        }
    }
}

} // namespace net
