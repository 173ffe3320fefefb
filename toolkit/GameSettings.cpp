#include "toolkit/GameSettings.h"

GameSettings::GameSettings()
    : m_file(QStringLiteral("pokdeng"), QStringLiteral("pokdeng"))
{
}

QString GameSettings::windowGeometryKey(GameKind kind)
{
    const QString prefix = QStringLiteral("windows/");
    const QString suffix = QStringLiteral("/geometry");
    switch (kind) {
    case GameKind::PokDeng:
        return prefix + QStringLiteral("pokdeng") + suffix;
    case GameKind::NineGa:
        return prefix + QStringLiteral("ninega") + suffix;
    case GameKind::Dummy:
        return prefix + QStringLiteral("dummy") + suffix;
    case GameKind::None:
        break;
    }
    return QString();
}

QByteArray GameSettings::windowGeometry(GameKind kind) const
{
    return m_file.value(windowGeometryKey(kind)).toByteArray();
}

void GameSettings::setWindowGeometry(GameKind kind, const QByteArray &geometry)
{
    m_file.setValue(windowGeometryKey(kind), geometry);
}
