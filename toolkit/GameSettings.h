#pragma once

#include <QSettings>
#include <QString>

// The user's choices that outlive a run (which helpers the table shows), kept by QSettings under
// the game's own name. Open one where it is needed: GameSettings settings;
class GameSettings final : public QSettings
{
public:
    GameSettings()
        : QSettings(QStringLiteral("pokdeng"), QStringLiteral("pokdeng"))
    {
    }
};
