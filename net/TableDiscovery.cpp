#include "net/TableDiscovery.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>

#include <algorithm>

namespace {

constexpr int kRepeatMs = 1'000;
// Datagrams read at once; the rest wait for the next turn of the event loop.
constexpr int kMostDatagramsAtOnce = 64;

} // namespace

TableAnnouncer::TableAnnouncer(TableAnnouncement announcement,
                               std::vector<AnnouncementTarget> targets, QObject *parent)
    : QObject(parent)
    , m_announcement(std::move(announcement))
    , m_targets(targets.empty() ? broadcastTargets() : std::move(targets))
{
    m_repeat.setInterval(kRepeatMs);
    connect(&m_repeat, &QTimer::timeout, this, &TableAnnouncer::announce);
    m_repeat.start();
    announce();
}

void TableAnnouncer::setFreeSeats(int freeSeats)
{
    if (freeSeats == m_announcement.freeSeats)
        return;
    m_announcement.freeSeats = freeSeats;
    announce();
}

void TableAnnouncer::announce()
{
    const QByteArray datagram = encodeAnnouncement(m_announcement);
    for (const AnnouncementTarget &target : m_targets)
        m_socket.writeDatagram(datagram, target.address, target.port);
}

std::vector<AnnouncementTarget> TableAnnouncer::broadcastTargets()
{
    std::vector<AnnouncementTarget> targets;
    // Aimed elsewhere on purpose: the test suite sends its tables' announcements to the loopback
    // where it cannot keep them off the machine's network otherwise.
    const QString aimedAt = qEnvironmentVariable(kAnnounceToVariable);
    if (!aimedAt.isEmpty()) {
        for (const QString &text : aimedAt.split(QLatin1Char(','), Qt::SkipEmptyParts))
            if (const QHostAddress address(text.trimmed()); !address.isNull())
                targets.push_back({ address, kAnnouncementPort });
        return targets;
    }
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp)
            || !flags.testFlag(QNetworkInterface::IsRunning)
            || !flags.testFlag(QNetworkInterface::CanBroadcast)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries())
            if (!entry.broadcast().isNull())
                targets.push_back({ entry.broadcast(), kAnnouncementPort });
    }
    return targets;
}

TableFinder::TableFinder(int protocol, const QHostAddress &address, quint16 port, QObject *parent)
    : QObject(parent)
    , m_protocol(protocol)
{
    m_socket.bind(address, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    connect(&m_socket, &QUdpSocket::readyRead, this, &TableFinder::readDatagrams);
    m_forget.setInterval(kRepeatMs / 4);
    connect(&m_forget, &QTimer::timeout, this, &TableFinder::forgetSilentTables);
    m_forget.start();
}

bool TableFinder::isListening() const
{
    return m_socket.state() == QAbstractSocket::BoundState;
}

void TableFinder::readDatagrams()
{
    bool changed = false;
    for (int read = 0; read < kMostDatagramsAtOnce && m_socket.hasPendingDatagrams(); ++read) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(kMostAnnouncementBytes + 1);
        const auto announcement = decodeAnnouncement(datagram.data(), m_protocol);
        if (!announcement)
            continue;
        const QHostAddress from(datagram.senderAddress().toIPv4Address());
        auto known = std::find_if(m_tables.begin(), m_tables.end(), [&](const FoundTable &table) {
            return table.address == from && table.announcement.port == announcement->port;
        });
        if (known == m_tables.end()) {
            if (m_tables.size() >= kMostTables)
                continue;
            known = m_tables.insert(m_tables.end(), FoundTable { from, *announcement, {} });
            changed = true;
        } else if (!(known->announcement == *announcement)) {
            known->announcement = *announcement;
            changed = true;
        }
        known->heard.start();
    }
    if (m_socket.hasPendingDatagrams())
        QMetaObject::invokeMethod(this, &TableFinder::readDatagrams, Qt::QueuedConnection);
    if (changed)
        emit tablesChanged();
}

void TableFinder::forgetSilentTables()
{
    const auto silent
        = std::remove_if(m_tables.begin(), m_tables.end(), [this](const FoundTable &table) {
              return table.heard.hasExpired(m_forgetAfterMs);
          });
    if (silent == m_tables.end())
        return;
    m_tables.erase(silent, m_tables.end());
    emit tablesChanged();
}
