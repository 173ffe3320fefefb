#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QAbstractButton;
class QAction;

// Everything the game's windows do from the keyboard. Windows that do not offer a command simply
// never bind it; a key stays reserved for it all the same, so no other command takes it.
enum class Command {
    // The table: its bets by their place in the column (betCommand(1) the top one; room for
    // nine, each on its digit key), its turn buttons and its save button.
    FirstBet,
    LastBet = FirstBet + 8,
    Draw,
    Stand, // "ไม่จั่ว", and "หงายไพ่" once a pok has shown
    SaveRecord,
    // The games' menus.
    Restart,
    ShowRecord,
    About,
    Rules,
    History,
    Calculator,
    HighContrast,
    Sound,
    FourColourDeck,
    CardFlip,
    // Each game's, its key in its row of the games' list (toolkit/GameKind.h).
    PlayPokDeng,
    PlayNineGa,
    PlayDummy,
    PlayWithFriends,
    OpenMenuBar,
    FullScreen,
    // The window's size by steps: larger, smaller, the design's.
    ZoomIn,
    ZoomOut,
    ZoomReset,
    // Every window with a title bar.
    CloseWindow,
    Quit,
};

namespace shortcuts {

// The command of the table's bet at place (1 the top one, up to 9): the digit key of that place.
constexpr Command betCommand(int place)
{
    return Command(int(Command::FirstBet) + place - 1);
}

// The command's keys, the one to show first. The keys are named as on a US keyboard; a letter
// or digit key works as well when the keyboard layout in use (Thai Kedmanee, say) types
// something else on it.
QList<QKeySequence> keys(Command command);

// The command's first key as the user reads it: "F2", "Ctrl+Q", "1".
QString keyText(Command command);

// The Thai hint shown in tooltips and read by screen readers: "ปุ่มลัด F2", or for a key that
// types in a text box, with the one that works there too: "ปุ่มลัด D หรือ Alt+D".
QString keyHint(Command command);

// Gives action the command's keys (no auto-repeat: a key held down does the command once). The
// action must belong to a widget of the window it works in.
void bind(QAction *action, Command command);

// Makes the command's keys press button, only while it is shown and enabled, and names the keys
// in its tooltip. Returns the action that carries the keys.
QAction *bindButton(QAbstractButton *button, Command command);

} // namespace shortcuts
