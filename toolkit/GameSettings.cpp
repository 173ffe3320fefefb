#include "toolkit/GameSettings.h"

GameSettings::GameSettings()
    : m_file(QStringLiteral("pokdeng"), QStringLiteral("pokdeng"))
{
}

QString GameSettings::windowGeometryKey(GameKind kind)
{
    const GameEntry *game = gameEntry(kind);
    if (!game)
        return QString();
    return QStringLiteral("windows/%1/geometry").arg(QLatin1String(game->settingsName));
}

QByteArray GameSettings::windowGeometry(GameKind kind) const
{
    return m_file.value(windowGeometryKey(kind)).toByteArray();
}

void GameSettings::setWindowGeometry(GameKind kind, const QByteArray &geometry)
{
    m_file.setValue(windowGeometryKey(kind), geometry);
}
