#include "toolkit/Shortcuts.h"

#include "toolkit/GameKind.h"
#include "toolkit/LayoutFreeKeys.h"

#include <QAbstractButton>
#include <QAction>

namespace {

const QString kKeyHint = QStringLiteral("ปุ่มลัด %1");
const QString kTwoKeysHint = QStringLiteral("ปุ่มลัด %1 หรือ %2");

struct Binding
{
    Command command;
    QKeyCombination key;
    QKeyCombination alternative = Qt::Key_unknown;
};

// The game's keys, every command's in one place but the bets' (below) and the games' (each game's
// key is in its row of the games' list). A key appears once in the three, so that no two commands
// of one window can share it.
const Binding kBindings[] = {
    // The turn. With Alt it works in the name box too, where the plain keys type.
    { Command::Draw, Qt::Key_D, Qt::ALT | Qt::Key_D },
    { Command::Stand, Qt::Key_S, Qt::ALT | Qt::Key_S },
    { Command::SaveRecord, Qt::CTRL | Qt::Key_S },
    { Command::Restart, Qt::Key_F2, Qt::CTRL | Qt::Key_N },
    { Command::ShowRecord, Qt::CTRL | Qt::Key_R },
    { Command::About, Qt::CTRL | Qt::Key_I },
    { Command::Rules, Qt::Key_F1 },
    { Command::History, Qt::CTRL | Qt::Key_H },
    { Command::Calculator, Qt::CTRL | Qt::Key_K },
    { Command::HighContrast, Qt::CTRL | Qt::Key_T },
    { Command::Sound, Qt::CTRL | Qt::Key_M },
    { Command::FourColourDeck, Qt::CTRL | Qt::Key_L },
    { Command::CardFlip, Qt::CTRL | Qt::Key_J },
    { Command::PlayWithFriends, Qt::CTRL | Qt::Key_F },
    { Command::OpenMenuBar, Qt::Key_F10 },
    { Command::FullScreen, Qt::Key_F11 },
    // As desktop programs zoom: Ctrl and = (the plus key unshifted), or Ctrl and +.
    { Command::ZoomIn, Qt::CTRL | Qt::Key_Equal, Qt::CTRL | Qt::Key_Plus },
    { Command::ZoomOut, Qt::CTRL | Qt::Key_Minus },
    { Command::ZoomReset, Qt::CTRL | Qt::Key_0 },
    { Command::CloseWindow, Qt::CTRL | Qt::Key_W },
    { Command::Quit, Qt::CTRL | Qt::Key_Q },
};

Binding bindingOf(Command command)
{
    // The bets by their place in the column, top to bottom, on the digit keys 1 to 9; with Alt
    // in the name box too.
    if (command >= Command::FirstBet && command <= Command::LastBet) {
        const auto digit = Qt::Key(Qt::Key_1 + (int(command) - int(Command::FirstBet)));
        return { command, digit, Qt::ALT | digit };
    }
    for (const Binding &binding : kBindings)
        if (binding.command == command)
            return binding;
    for (const GameEntry &game : kGames)
        if (game.command == command)
            return { command, game.key };
    return kBindings[0];
}

} // namespace

namespace shortcuts {

QList<QKeySequence> keys(Command command)
{
    const Binding binding = bindingOf(command);
    QList<QKeySequence> sequences { QKeySequence(binding.key) };
    if (binding.alternative.key() != Qt::Key_unknown)
        sequences.append(QKeySequence(binding.alternative));
    return sequences;
}

QString keyText(Command command)
{
    return QKeySequence(bindingOf(command).key).toString(QKeySequence::NativeText);
}

QString keyHint(Command command)
{
    // The Alt key of a command whose own key is typing in a text box is named too; other
    // second keys (Ctrl+N beside F2) are left for the menus to show.
    const QKeyCombination alternative = bindingOf(command).alternative;
    if (alternative.keyboardModifiers() == Qt::AltModifier)
        return kTwoKeysHint.arg(keyText(command),
                                QKeySequence(alternative).toString(QKeySequence::NativeText));
    return kKeyHint.arg(keyText(command));
}

void bind(QAction *action, Command command)
{
    action->setShortcuts(keys(command));
    action->setAutoRepeat(false);
    layoutfree::add(action);
}

QAction *bindButton(QAbstractButton *button, Command command)
{
    auto *action = new QAction(button);
    bind(action, command);
    // Belonging to the button, the keys act only while it is shown and enabled.
    button->addAction(action);
    QObject::connect(action, &QAction::triggered, button, [button] {
        if (button->isVisible() && button->isEnabled())
            button->click();
    });
    button->setToolTip(keyHint(command));
    return action;
}

} // namespace shortcuts
