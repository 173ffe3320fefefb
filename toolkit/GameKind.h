#pragma once

#include "toolkit/Shortcuts.h"

#include <QKeyCombination>
#include <QString>

// The games the start window and every game's menu "เลือกเกม" offer; None when no window is to
// open next. WithFriends is no game of the list but the way to a Pok Deng table shared with
// others (เล่นกับเพื่อน), which the navigator opens after asking how.
enum class GameKind { None, PokDeng, NineGa, Dummy, WithFriends };

// One game as the windows around it name it. The start window, the games' menu, the keys and
// the settings file all read this list, in its order; the game's own window class is made by
// the navigator (shell/Navigator.cpp).
struct GameEntry
{
    GameKind kind;
    QString name; // on its button in the start window and its entry in "เลือกเกม"
    QString caption; // its window's title
    const char *menuName; // the object name of its entry in "เลือกเกม"
    char letter; // its entry's letter there
    Command command; // the command that opens it from any window, and its key
    QKeyCombination key;
    const char *settingsName; // its windows' size and place: windows/<settingsName>/geometry
};

inline const GameEntry kGames[] = {
    { GameKind::PokDeng, QStringLiteral("ป๊อกเด้ง"), QStringLiteral("ป๊อกเด้ง"), "mnupok", 'P',
      Command::PlayPokDeng, Qt::CTRL | Qt::Key_1, "pokdeng" },
    // The caption has no blank, unlike the entry and the button.
    { GameKind::NineGa, QStringLiteral("9 เก"), QStringLiteral("9เก"), "mnu9ga", '9',
      Command::PlayNineGa, Qt::CTRL | Qt::Key_2, "ninega" },
    { GameKind::Dummy, QStringLiteral("ดัมมี่"), QStringLiteral("ดัมมี่"), "mnudum", 'D',
      Command::PlayDummy, Qt::CTRL | Qt::Key_3, "dummy" },
};

// The game's row of the list; nullptr for None.
inline const GameEntry *gameEntry(GameKind kind)
{
    for (const GameEntry &game : kGames)
        if (game.kind == kind)
            return &game;
    return nullptr;
}
