#include "net/TableAnnouncement.h"

#include <QCborMap>
#include <QCborValue>

namespace {

const QString kProtocolKey = QStringLiteral("pokdeng");
const QString kNameKey = QStringLiteral("name");
const QString kPortKey = QStringLiteral("port");
const QString kFreeKey = QStringLiteral("free");

} // namespace

QByteArray encodeAnnouncement(const TableAnnouncement &announcement)
{
    QCborMap map;
    map.insert(kProtocolKey, announcement.protocol);
    map.insert(kNameKey, announcement.name.left(kMostNameLength));
    map.insert(kPortKey, announcement.port);
    map.insert(kFreeKey, announcement.freeSeats);
    return map.toCborValue().toCbor();
}

std::optional<TableAnnouncement> decodeAnnouncement(const QByteArray &datagram, int protocol)
{
    if (datagram.isEmpty() || datagram.size() > kMostAnnouncementBytes)
        return std::nullopt;
    QCborParserError error;
    const QCborValue value = QCborValue::fromCbor(datagram, &error);
    if (error.error != QCborError::NoError || !value.isMap())
        return std::nullopt;
    const QCborMap map = value.toMap();
    const QCborValue version = map.value(kProtocolKey);
    const QCborValue name = map.value(kNameKey);
    const QCborValue port = map.value(kPortKey);
    const QCborValue free = map.value(kFreeKey);
    if (!version.isInteger() || version.toInteger() != protocol || !name.isString()
        || !port.isInteger() || !free.isInteger())
        return std::nullopt;
    if (port.toInteger() < 1 || port.toInteger() > 65535 || free.toInteger() < 0
        || free.toInteger() > 3)
        return std::nullopt;
    TableAnnouncement announcement;
    announcement.protocol = protocol;
    announcement.name = name.toString().left(kMostNameLength);
    announcement.port = static_cast<quint16>(port.toInteger());
    announcement.freeSeats = static_cast<int>(free.toInteger());
    return announcement;
}
