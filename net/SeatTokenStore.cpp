#include "net/SeatTokenStore.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

namespace net {

namespace {

    // A token file is a few dozen bytes; anything much larger is no file of ours.
    constexpr qint64 kMostFileBytes = 4096;

    QString tableKey(const QString &host, quint16 port, const QString &code)
    {
        return host + u':' + QString::number(port) + u'\n' + code;
    }

    // The table as its file names it: the join code is left out.
    QString tableName(const QString &host, quint16 port)
    {
        return host + u':' + QString::number(port);
    }

} // namespace

SeatTokenStore::SeatTokenStore(QString folder, std::chrono::milliseconds maxAge)
    : m_folder(std::move(folder))
    , m_maxAge(maxAge)
{
    // With no data folder (no home) nothing is kept: the folder stays empty.
    if (m_folder.isEmpty()) {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (!data.isEmpty())
            m_folder = data + QStringLiteral("/seats");
    }
}

// Named by a hash of the table: the join code is not written in the clear in a file's name.
QString SeatTokenStore::filePath(const QString &host, quint16 port, const QString &code) const
{
    const QByteArray hash
        = QCryptographicHash::hash(tableKey(host, port, code).toUtf8(), QCryptographicHash::Sha256);
    return m_folder + QStringLiteral("/seat-") + QString::fromLatin1(hash.toHex().left(32))
        + QStringLiteral(".json");
}

QString SeatTokenStore::token(const QString &host, quint16 port, const QString &code) const
{
    if (m_folder.isEmpty())
        return {};
    QFile file(filePath(host, port, code));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMostFileBytes)
        return {};
    const QJsonObject kept = QJsonDocument::fromJson(file.read(kMostFileBytes)).object();
    // The file names the table too: a hash that two tables share gives neither the other's seat.
    if (kept.value(QStringLiteral("table")).toString() != tableName(host, port))
        return {};
    const qint64 keptAt = kept.value(QStringLiteral("kept")).toInteger(-1);
    const qint64 age = QDateTime::currentMSecsSinceEpoch() - keptAt;
    if (keptAt < 0 || age < 0 || age > m_maxAge.count())
        return {};
    return kept.value(QStringLiteral("token")).toString();
}

bool SeatTokenStore::keep(const QString &host, quint16 port, const QString &code,
                          const QString &token)
{
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    QJsonObject kept;
    kept.insert(QStringLiteral("table"), tableName(host, port));
    kept.insert(QStringLiteral("token"), token);
    kept.insert(QStringLiteral("kept"), QDateTime::currentMSecsSinceEpoch());
    QSaveFile file(filePath(host, port, code));
    // The token takes the seat and its money: no one else on the machine reads it.
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    file.write(QJsonDocument(kept).toJson(QJsonDocument::Compact));
    return file.commit();
}

void SeatTokenStore::forget(const QString &host, quint16 port, const QString &code)
{
    if (!m_folder.isEmpty())
        QFile::remove(filePath(host, port, code));
}

} // namespace net
