#pragma once

#include "net/TableAnnouncement.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

#include <vector>

// Finding tables on the local network without typing addresses: a hosted table announces itself
// by UDP broadcast (TableAnnouncer), a player's game listens for the announcements
// (TableFinder). Plain UDP needs no daemon and no library beyond Qt Network, and works wherever
// the game's own TCP port is reachable; a firewall must let UDP port kAnnouncementPort in on the
// players' side. Typing host:port works without it.

// One place an announcement is sent to.
struct AnnouncementTarget
{
    QHostAddress address;
    quint16 port = kAnnouncementPort;
};

// Sends a table's announcement every second while it lives.
class TableAnnouncer final : public QObject
{
    Q_OBJECT
public:
    // Sends to targets; with none, to the broadcast address of each network interface that is up
    // and can broadcast (never the loopback's).
    TableAnnouncer(TableAnnouncement announcement, std::vector<AnnouncementTarget> targets = {},
                   QObject *parent = nullptr);

    // The seats free change as people come and go.
    void setFreeSeats(int freeSeats);
    // Sends the announcement now (the timer sends it again each second).
    void announce();

    // The broadcast address of each interface that is up and can broadcast, or, when the
    // environment variable kAnnounceToVariable holds a comma-separated list of addresses, those
    // instead (none when none of them is an address).
    static std::vector<AnnouncementTarget> broadcastTargets();
    static constexpr const char *kAnnounceToVariable = "POKDENG_ANNOUNCE_TO";

private:
    TableAnnouncement m_announcement;
    std::vector<AnnouncementTarget> m_targets;
    QUdpSocket m_socket;
    QTimer m_repeat;
};

// A table heard of: where it is and what it said last.
struct FoundTable
{
    QHostAddress address;
    TableAnnouncement announcement;
    QElapsedTimer heard;
};

// Listens for announcements and keeps the tables heard of in the last few seconds.
class TableFinder final : public QObject
{
    Q_OBJECT
public:
    // Listens on address (any address by default) at port; protocol is the version of the
    // tables this game can join.
    TableFinder(int protocol, const QHostAddress &address = QHostAddress::AnyIPv4,
                quint16 port = kAnnouncementPort, QObject *parent = nullptr);

    bool isListening() const;
    // The UDP port it listens on (the one given, or the one the system chose for 0).
    quint16 port() const { return m_socket.localPort(); }
    // The tables heard of lately (within forgetAfterMs), in the order first heard.
    const std::vector<FoundTable> &tables() const { return m_tables; }
    // A table not heard of for this long is forgotten: it closed, or its host went away.
    void setForgetAfter(int ms) { m_forgetAfterMs = ms; }
    // More tables than this on one network are not kept.
    static constexpr std::size_t kMostTables = 32;

signals:
    void tablesChanged();

private:
    void readDatagrams();
    void forgetSilentTables();

    int m_protocol;
    int m_forgetAfterMs = 5'000;
    QUdpSocket m_socket;
    QTimer m_forget;
    std::vector<FoundTable> m_tables;
};
