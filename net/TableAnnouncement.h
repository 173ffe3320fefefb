#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What a hosted table says about itself on the local network, so that players find it without
// typing an address: one small datagram, sent again every second while the table is open.
//
// Its bytes are a CBOR map: {"pokdeng": protocol version, "name": the host's name, "port": the
// table's TCP port, "free": seats free}. Anything else (other programs on the port, damaged or
// hostile datagrams) is ignored by the reader.
struct TableAnnouncement
{
    int protocol = 0;
    QString name;
    quint16 port = 0;
    int freeSeats = 0;

    friend bool operator==(const TableAnnouncement &, const TableAnnouncement &) = default;
};

// The TCP port a table is hosted on unless its host chooses another.
inline constexpr quint16 kTablePort = 47100;
// The UDP port announcements are sent to.
inline constexpr quint16 kAnnouncementPort = 47101;
// Longer datagrams are never read.
inline constexpr int kMostAnnouncementBytes = 512;
// A name longer than this (in UTF-16 code units) is cut.
inline constexpr int kMostNameLength = 40;

QByteArray encodeAnnouncement(const TableAnnouncement &announcement);
// The announcement in datagram, or nothing when it is not one (too long, not CBOR, a field
// missing or out of range, another protocol version).
std::optional<TableAnnouncement> decodeAnnouncement(const QByteArray &datagram, int protocol);
