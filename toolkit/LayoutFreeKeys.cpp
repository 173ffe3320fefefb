#include "toolkit/LayoutFreeKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <string_view>
#include <vector>

namespace {

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

// Watches every key press of the application for the actions it was given.
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

} // namespace

namespace layoutfree {

void add(QAction *action)
{
    // Made with the first action and gone with the application.
    static QPointer<LayoutFreeKeys> keys;
    if (!keys)
        keys = new LayoutFreeKeys(qApp);
    keys->add(action);
}

} // namespace layoutfree
