#pragma once

#include "toolkit/GameKind.h"

#include "toolkit/FixedDialog.h"
#include "toolkit/Shortcuts.h"

#include <QFont>
#include <QPointer>

#include <functional>
#include <vector>

class DesignCanvas;
class QAction;
class QMenu;
class QMenuBar;

// A game window: a window that Escape does not close, with the games' menu bar above a client
// area laid out in twips (a design canvas). It opens at the design's size, cannot be made
// smaller, and can be resized, maximised and made full screen (F11, and F11 again to come
// back): the client area's content then scales with it while the menu bar keeps the desktop's
// size. Its size and place are kept between runs, one for each kind of game. Switching games or
// restarting closes the window and names the window to open next; runGameWindows() opens it, so
// windows never nest. Every menu entry has its key (shown beside the entries of a drop-down, and
// in the tooltip of an entry on the bar) and its letter; F10 opens the first menu, a lone Alt puts
// the menu bar in its keyboard mode. "เลือกเกม" also holds the window's own entries (full screen,
// its sizes by steps as desktop programs zoom: ขยาย, ย่อ, ขนาดเดิม, close, quit); Escape leaves full
// screen. Enter that no control took presses no button. When a window opened over this one closes,
// the keyboard comes back to a control of the game.
class GameWindow : public FixedDialog
{
    Q_OBJECT
public:
    ~GameWindow() override;

    // The window to open once this one has closed: None when the user just closed it.
    GameKind nextWindow() const { return m_next; }

    // Asked before the window goes at the person's word: a close (its close box, its key),
    // เริ่มใหม่, another game, ออกจากเกม. next is the window to open next (None for a close and
    // for ออกจากเกม, the window's own kind for เริ่มใหม่). False keeps the window as it was. A
    // window with a check asks it in place of canClose(): at a table others share, a round in
    // play goes on without the person who leaves it, and waiting for it is no reason to stay.
    using DepartureCheck = std::function<bool(GameKind next)>;
    void setDepartureCheck(DepartureCheck check) { m_departureCheck = std::move(check); }

    // Shows the window; the first time, at the size and place it had when a window of its kind
    // last closed, if that is still on a screen.
    void setVisible(bool visible) override;

protected:
    // kind is the game this window plays: its row of the games' list gives the window's title,
    // and its entry in "เลือกเกม" carries the check mark and does nothing. The client area is
    // widthTwips x heightTwips below the menu bar.
    GameWindow(GameKind kind, int widthTwips, int heightTwips, QWidget *parent);

    DesignCanvas *client() const { return m_client; }
    QMenuBar *gameMenuBar() const { return m_menuBar; }
    // Puts widget under the client area. The window grows by its height while it is shown; a
    // hidden one takes no room, so the window keeps the design's size. Made larger, the window
    // scales the widget with the table: its height and font grow by the table's scale and its
    // content lines up with the table's edges, so it stays with the table.
    void addBelowClient(QWidget *widget);

    // Adds an entry that acts when clicked on the bar itself, named objectName, with the
    // command's keys and their tooltip.
    QAction *addBarEntry(const QString &text, const char *objectName, Command command);

    // The window's size by a step of half the design's size: larger (never beyond the free area
    // of its screen), smaller (never below the design's size), or the design's. A maximised or
    // full-screen window comes back to a normal one first. The size is kept as any other.
    enum class Zoom { In, Out, Reset };
    void zoom(Zoom zoom);

    // Closes this window and has the given one opened in its place ("เริ่มใหม่" names its own).
    void switchTo(GameKind next);

    // Whether the window may close now; a round half played refuses.
    virtual bool canClose() const { return true; }
    void closeEvent(QCloseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    // Puts the focus on the control the keyboard should start from now; by default the first
    // shown and enabled control of the client area that Tab reaches.
    virtual void focusRestingControl();

private:
    struct Below
    {
        QPointer<QWidget> widget;
        QFont font; // at the design's size
        int height; // at the design's size
    };
    void scaleBelowClient();

    void saveWindowGeometry() const;
    // Brings a window whose restored size and place lie off its screen back: no larger than the
    // screen's free area (nor smaller than the window's minimum), and wholly inside it.
    void keepOnScreen();
    void openMenuBar();
    void comeBack();

    bool mayDepart(GameKind next) const { return !m_departureCheck || m_departureCheck(next); }

    GameKind m_kind;
    GameKind m_next = GameKind::None;
    DepartureCheck m_departureCheck;
    bool m_shownBefore = false;
    QMenuBar *m_menuBar;
    DesignCanvas *m_client;
    QAction *m_fullScreen = nullptr;
    std::vector<Below> m_below;
};
