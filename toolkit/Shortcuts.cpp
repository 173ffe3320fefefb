#include "toolkit/Shortcuts.h"

#include "toolkit/GameKind.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <string_view>
#include <vector>

namespace {

const QString kKeyHint = QStringLiteral("ปุ่มลัด %1");
const QString kTwoKeysHint = QStringLiteral("ปุ่มลัด %1 หรือ %2");

struct Binding
{
    Command command;
    QKeyCombination key;
    QKeyCombination alternative = Qt::Key_unknown;
};

// The game's keys, every command's but the games' in one place (each game's key is in its row of
// the games' list). A key appears once in the two, so that no two commands of one window can
// share it.
const Binding kBindings[] = {
    // The bets by their place in the column, top to bottom, and the turn. With Alt they work in
    // the name box too, where the plain keys type.
    { Command::BetThousand, Qt::Key_1, Qt::ALT | Qt::Key_1 },
    { Command::BetFiveThousand, Qt::Key_2, Qt::ALT | Qt::Key_2 },
    { Command::BetTenThousand, Qt::Key_3, Qt::ALT | Qt::Key_3 },
    { Command::BetHalfMoney, Qt::Key_4, Qt::ALT | Qt::Key_4 },
    { Command::BetAllMoney, Qt::Key_5, Qt::ALT | Qt::Key_5 },
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
    { Command::OpenMenuBar, Qt::Key_F10 },
    { Command::FullScreen, Qt::Key_F11 },
    { Command::CloseWindow, Qt::CTRL | Qt::Key_W },
    { Command::Quit, Qt::CTRL | Qt::Key_Q },
};

Binding bindingOf(Command command)
{
    for (const Binding &binding : kBindings)
        if (binding.command == command)
            return binding;
    for (const GameEntry &game : kGames)
        if (game.command == command)
            return { command, game.key };
    return kBindings[0];
}

// The key a US keyboard has on an X key code (the evdev code plus 8, as X servers and Wayland
// compositors number them) of the digit and letter rows; 0 for every other key code.
Qt::Key usKeyAt(quint32 keyCode)
{
    struct Row
    {
        quint32 first;
        std::string_view keys;
    };
    static constexpr Row rows[] = {
        { 10, "1234567890" },
        { 24, "QWERTYUIOP" },
        { 38, "ASDFGHJKL" },
        { 52, "ZXCVBNM" },
    };
    for (const Row &row : rows)
        if (keyCode >= row.first && keyCode < row.first + row.keys.size())
            return Qt::Key(row.keys[keyCode - row.first]);
    return Qt::Key(0);
}

bool isLatinLetterOrDigit(int key)
{
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z);
}

// Whether the action's keys may act now in window: the action is on, and so is a widget of the
// window it belongs to (through the menu bar, for an entry of a drop-down menu).
bool isOffered(const QAction *action, const QWidget *window)
{
    if (!action || !action->isEnabled() || !action->isVisible())
        return false;
    for (QObject *owner : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(owner)) {
            if (isOffered(menu->menuAction(), window))
                return true;
        } else if (auto *widget = qobject_cast<QWidget *>(owner)) {
            if (widget->isVisible() && widget->isEnabled() && widget->window() == window)
                return true;
        }
    }
    return false;
}

// Qt matches a shortcut by the character the key types in the layout in use. In the Thai
// Kedmanee layout the letter and digit keys type Thai letters, "/", "-" and the like, so "D" or
// "Ctrl+N" would never come; Qt tries a Latin layout's key only when one is loaded beside the
// Thai one, and even then not for keys that type Latin punctuation. A key press that no shortcut
// took is therefore looked at once more by the key's place on the keyboard: when a US keyboard
// has a letter or digit there that a bound action takes, that action is triggered and the key
// press is spent.
class LayoutFreeKeys final : public QObject
{
public:
    explicit LayoutFreeKeys(QObject *parent)
        : QObject(parent)
    {
        // Key codes carry the xkb numbering on these platforms; offscreen passes on whatever a
        // synthetic key event carries.
        const QString platform = QGuiApplication::platformName();
        if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"))
            || platform == QLatin1String("offscreen"))
            qApp->installEventFilter(this);
    }

    void add(QAction *action)
    {
        std::erase_if(m_actions, [](const QPointer<QAction> &known) { return known.isNull(); });
        m_actions.emplace_back(action);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<const QKeyEvent *>(event);
        // A Latin layout's own letters and digits were matched already; a drop-down menu and
        // its letters are left alone.
        if (isLatinLetterOrDigit(key->key()) || QApplication::activePopupWidget())
            return false;
        const Qt::Key usKey = usKeyAt(key->nativeScanCode());
        QWidget *window = QApplication::activeWindow();
        if (!usKey || !window)
            return false;
        const Qt::KeyboardModifiers modifiers = key->modifiers()
            & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        // A plain key in a text box is typing.
        QWidget *focus = QApplication::focusWidget();
        if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && focus
            && focus->testAttribute(Qt::WA_InputMethodEnabled))
            return false;
        const QKeySequence pressed(QKeyCombination(modifiers, usKey));
        for (const QPointer<QAction> &action : m_actions) {
            if (action && action->shortcuts().contains(pressed) && isOffered(action, window)) {
                if (!key->isAutoRepeat() || action->autoRepeat())
                    action->trigger();
                return true;
            }
        }
        return false;
    }

private:
    std::vector<QPointer<QAction>> m_actions;
};

LayoutFreeKeys &layoutFreeKeys()
{
    // Made with the first binding and gone with the application.
    static QPointer<LayoutFreeKeys> keys;
    if (!keys)
        keys = new LayoutFreeKeys(qApp);
    return *keys;
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
    layoutFreeKeys().add(action);
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
