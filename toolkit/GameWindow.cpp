#include "toolkit/GameWindow.h"

#include "toolkit/DesignCanvas.h"
#include "toolkit/GameSettings.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Toolkit.h"
#include "toolkit/WindowPlace.h"
#include "toolkit/ZoomSteps.h"

#include <QActionGroup>
#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {
const QString kChooseGameMenu = QStringLiteral("เลือกเกม");
const QString kRestartEntry = QStringLiteral("เริ่มใหม่");
const QString kFullScreenEntry = QStringLiteral("เต็มจอ");
const QString kZoomInEntry = QStringLiteral("ขยาย");
const QString kZoomOutEntry = QStringLiteral("ย่อ");
const QString kZoomResetEntry = QStringLiteral("ขนาดเดิม");
const QString kCloseEntry = QStringLiteral("ปิดหน้าต่าง");
const QString kQuitEntry = QStringLiteral("ออกจากเกม");

// Each menu's and entry's letter, by its object name: Alt and the letter opens a menu of the bar
// (or acts, for an entry on the bar), the letter alone picks an entry in an open menu. The bar's
// letters keep clear of D, S and the digits, whose Alt keys play the table. The games' entries
// have theirs in the games' list.
const std::pair<const char *, char> kMnemonics[] = {
    { "mnusel", 'G' },      { "mnustart", 'N' },   { "mnupoint", 'R' },     { "mnuabout", 'A' },
    { "mnuhelpers", 'H' },  { "mnuodds", 'K' },    { "mnuhistory", 'H' },   { "mnurules", 'R' },
    { "mnucontrast", 'C' }, { "mnufull", 'F' },    { "closeWindow", 'C' },  { "quit", 'Q' },
    { "mnusound", 'S' },    { "mnudeck", 'L' },    { "mnuflip", 'J' },      { "mnufriends", 'W' },
    { "mnuzoomin", 'Z' },   { "mnuzoomout", 'X' }, { "mnuzoomreset", '0' },
};

// The letter of the menu or entry named name; 0 when it has none.
char mnemonicOf(const QString &name)
{
    for (const auto &[objectName, letter] : kMnemonics)
        if (name == QLatin1String(objectName))
            return letter;
    for (const GameEntry &game : kGames)
        if (name == QLatin1String(game.menuName))
            return game.letter;
    return 0;
}

// Gives the entries of actions, and of their drop-downs, their letters the way Thai desktops
// show them, after the text: "เลือกเกม(&G)".
void giveMnemonics(const QList<QAction *> &actions)
{
    for (QAction *action : actions) {
        const QString name = action->menu() ? action->menu()->objectName() : action->objectName();
        const char letter = mnemonicOf(name);
        if (letter && !action->text().contains(u'&'))
            action->setText(action->text() + QStringLiteral("(&%1)").arg(QLatin1Char(letter)));
        if (action->menu())
            giveMnemonics(action->menu()->actions());
    }
}

} // namespace

GameWindow::GameWindow(GameKind kind, int widthTwips, int heightTwips, QWidget *parent)
    : FixedDialog(Escape::Ignored, parent, Frame::Resizable)
    , m_kind(kind)
    , m_menuBar(new QMenuBar(this))
    , m_client(new DesignCanvas(widthTwips, heightTwips, this))
{
    setFont(designFont(8.25));
    if (const GameEntry *game = gameEntry(kind))
        setWindowTitle(game->caption);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The layout gives the menu bar the height its Thai entries need and the client area the
    // rest, never less than the design's size, which is also what the window opens at.
    layout->setMenuBar(m_menuBar);
    m_client->setObjectName(QStringLiteral("client"));
    layout->addWidget(m_client);

    QMenu *chooseGame = m_menuBar->addMenu(kChooseGameMenu);
    chooseGame->setObjectName(QStringLiteral("mnusel"));
    for (const GameEntry &entry : kGames) {
        QAction *action = chooseGame->addAction(entry.name);
        action->setObjectName(QString::fromLatin1(entry.menuName));
        shortcuts::bind(action, entry.command);
        if (entry.kind == m_kind) {
            // The game being played: checked, and a click leaves it checked and does nothing.
            action->setCheckable(true);
            action->setChecked(true);
            auto *group = new QActionGroup(action);
            group->addAction(action);
        } else {
            const GameKind target = entry.kind;
            connect(action, &QAction::triggered, this, [this, target] { switchTo(target); });
        }
    }
    // Below the games, the window's own entries: full screen, close, quit.
    chooseGame->addSeparator();
    m_fullScreen = chooseGame->addAction(kFullScreenEntry);
    m_fullScreen->setObjectName(QStringLiteral("mnufull"));
    m_fullScreen->setCheckable(true);
    shortcuts::bind(m_fullScreen, Command::FullScreen);
    connect(m_fullScreen, &QAction::triggered, this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen
                          : windowState() & ~Qt::WindowFullScreen);
    });
    // The window's sizes, as desktop programs zoom.
    const struct
    {
        const char *name;
        QString text;
        Command command;
        Zoom zoom;
    } zoomEntries[] = {
        { "mnuzoomin", kZoomInEntry, Command::ZoomIn, Zoom::In },
        { "mnuzoomout", kZoomOutEntry, Command::ZoomOut, Zoom::Out },
        { "mnuzoomreset", kZoomResetEntry, Command::ZoomReset, Zoom::Reset },
    };
    for (const auto &entry : zoomEntries) {
        QAction *action = chooseGame->addAction(entry.text);
        action->setObjectName(QString::fromLatin1(entry.name));
        shortcuts::bind(action, entry.command);
        const Zoom zoom = entry.zoom;
        connect(action, &QAction::triggered, this, [this, zoom] { this->zoom(zoom); });
    }
    chooseGame->addSeparator();
    const std::pair<const char *, QString> ownEntries[]
        = { { "closeWindow", kCloseEntry }, { "quit", kQuitEntry } };
    for (const auto &[name, text] : ownEntries) {
        if (QAction *own
            = findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly)) {
            own->setText(text);
            chooseGame->addAction(own);
        }
    }
    // ออกจากเกม asks the departure check first, as a close does.
    if (QAction *quit = findChild<QAction *>(QStringLiteral("quit"), Qt::FindDirectChildrenOnly)) {
        quit->disconnect(this);
        connect(quit, &QAction::triggered, this, [this] {
            if (mayDepart(GameKind::None))
                Toolkit::instance().endProgram();
        });
    }
    QAction *restart = addBarEntry(kRestartEntry, "mnustart", Command::Restart);
    connect(restart, &QAction::triggered, this, [this] { switchTo(m_kind); });

    m_menuBar->installEventFilter(this);
    auto *openMenuBar = new QAction(this);
    openMenuBar->setObjectName(QStringLiteral("openMenuBar"));
    shortcuts::bind(openMenuBar, Command::OpenMenuBar);
    connect(openMenuBar, &QAction::triggered, this, &GameWindow::openMenuBar);
    addAction(openMenuBar);
}

QAction *GameWindow::addBarEntry(const QString &text, const char *objectName, Command command)
{
    QAction *entry = m_menuBar->addAction(text);
    entry->setObjectName(QString::fromLatin1(objectName));
    shortcuts::bind(entry, command);
    entry->setToolTip(shortcuts::keyHint(command));
    return entry;
}

// F10 opens the first menu of the bar with its first entry lit, as desktop programs do, so that
// the user (and a screen reader) sees where the keyboard went; the arrow keys then move along the
// bar and through the drop-downs. The menu bar enters its keyboard mode when Alt is pressed and
// let go alone, sent to the control with the focus, where the menu bar looks for it; Down then
// opens the lit menu.
void GameWindow::openMenuBar()
{
    QWidget *focus = focusWidget() ? focusWidget() : this;
    for (const QEvent::Type type :
         { QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease }) {
        QKeyEvent alt(type, Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::sendEvent(focus, &alt);
    }
    if (!m_menuBar->activeAction()) {
        const QList<QAction *> entries = m_menuBar->actions();
        if (!entries.isEmpty())
            m_menuBar->setActiveAction(entries.front());
    }
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(m_menuBar, &down);
}

// A menu bar shows no tooltips of its own; an entry with a key shows its key in one.
bool GameWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide && watched != m_menuBar && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow())
        QTimer::singleShot(0, this, &GameWindow::comeBack);
    if (watched == m_menuBar && event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        QAction *entry = m_menuBar->actionAt(help->pos());
        if (entry && !entry->menu() && entry->toolTip() != entry->iconText())
            QToolTip::showText(help->globalPos(), entry->toolTip(), m_menuBar,
                               m_menuBar->actionGeometry(entry));
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::Show
        && std::any_of(m_below.begin(), m_below.end(),
                       [watched](const Below &below) { return below.widget == watched; }))
        scaleBelowClient();
    return FixedDialog::eventFilter(watched, event);
}

GameWindow::~GameWindow()
{
    // A window the program's end took down was never hidden.
    if (isVisible())
        saveWindowGeometry();
}

void GameWindow::setVisible(bool visible)
{
    if (visible && !m_shownBefore) {
        m_shownBefore = true;
        giveMnemonics(m_menuBar->actions());
        // restoreGeometry() refuses what it cannot read; what it reads may still have been saved
        // on another screen, or damaged.
        const QByteArray saved = GameSettings().windowGeometry(m_kind);
        if (!saved.isEmpty() && restoreGeometry(saved))
            keepOnScreen();
    }
    FixedDialog::setVisible(visible);
}

void GameWindow::keepOnScreen()
{
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    QScreen *screen = QGuiApplication::screenAt(geometry().center());
    if (!screen)
        screen = this->screen();
    if (!screen)
        return;
    QRect kept = windowplace::within(geometry(), screen->availableGeometry());
    kept.setSize(kept.size().expandedTo(minimumSize()));
    if (kept != geometry())
        setGeometry(kept);
}

void GameWindow::saveWindowGeometry() const
{
    GameSettings().setWindowGeometry(m_kind, saveGeometry());
}

void GameWindow::hideEvent(QHideEvent *event)
{
    saveWindowGeometry();
    FixedDialog::hideEvent(event);
}

void GameWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        if (windowState() & Qt::WindowFullScreen)
            setWindowState(windowState() & ~Qt::WindowFullScreen);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter that the focused control left alone (the name box asks about saving and passes
        // it on) presses no other button: one key, one action.
        event->accept();
        return;
    default:
        break;
    }
    FixedDialog::keyPressEvent(event);
}

void GameWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        m_fullScreen->setChecked(windowState() & Qt::WindowFullScreen);
    FixedDialog::changeEvent(event);
}

bool GameWindow::event(QEvent *event)
{
    // Every window opened over this one (message boxes too) is watched for its closing.
    if (event->type() == QEvent::ChildPolished) {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (child->isWidgetType() && static_cast<QWidget *>(child)->isWindow())
            child->installEventFilter(this);
    }
    return FixedDialog::event(event);
}

// A window over this one has closed: the keyboard comes back to a control of the game, in this
// window made active again if no window took over (there may be no window manager to do it).
void GameWindow::comeBack()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!isVisible() || (modal && modal != this) || Toolkit::instance().isEnding())
        return;
    if (!QApplication::activeWindow())
        activateWindow();
    QWidget *focus = focusWidget();
    if (!focus || !m_client->isAncestorOf(focus) || !focus->isVisible() || !focus->isEnabled())
        focusRestingControl();
}

void GameWindow::focusRestingControl()
{
    for (QWidget *control : m_client->findChildren<QWidget *>())
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisible()
            && control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
}

void GameWindow::addBelowClient(QWidget *widget)
{
    // The widget takes the width the table gives it: its margins follow the table's sides, and
    // its own least width would otherwise widen the window, which widens the margins again.
    QSizePolicy policy = widget->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Ignored);
    widget->setSizePolicy(policy);
    static_cast<QVBoxLayout *>(layout())->addWidget(widget);
    widget->ensurePolished();
    m_below.push_back({ widget, widget->font(), widget->sizeHint().height() });
    widget->installEventFilter(this);
}

void GameWindow::zoom(Zoom zoom)
{
    // The parts that scale: the table and the shown widgets below it, at the design's size. The
    // menu bar and the frame keep theirs.
    QSize scaling = m_client->designSize();
    for (const Below &below : m_below)
        if (below.widget && !below.widget->isHidden())
            scaling.rheight() += below.height;
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QSize margins(frame.width() - inner.width(), frame.height() - inner.height());
    const int menuHeight
        = m_menuBar->isVisible() ? m_menuBar->height() : m_menuBar->sizeHint().height();
    const ZoomSteps steps(scaling, margins + QSize(0, menuHeight));

    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = this->screen();
    const QRect room = screen ? screen->availableGeometry() : frame;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    QSize wanted;
    switch (zoom) {
    case Zoom::In:
        wanted = steps.larger(frame.size(), room.size());
        break;
    case Zoom::Out:
        wanted = steps.smaller(frame.size());
        break;
    case Zoom::Reset:
        wanted = steps.original();
        break;
    }
    // The window grows about its centre, kept wholly within the screen's free area.
    QRect placed(QPoint(0, 0), wanted);
    placed.moveCenter(frame.center());
    placed = windowplace::within(placed, room);
    resize(wanted - margins);
    move(placed.topLeft());
}

void GameWindow::resizeEvent(QResizeEvent *event)
{
    FixedDialog::resizeEvent(event);
    scaleBelowClient();
}

// The table and the widgets shown below it scale as one: by how much the design with them fits
// the room below the menu bar, never below the design's size. The client area then finds the same
// scale for itself in the height they leave it.
void GameWindow::scaleBelowClient()
{
    int belowHeight = 0;
    for (const Below &below : m_below)
        if (below.widget && !below.widget->isHidden())
            belowHeight += below.height;
    if (belowHeight == 0)
        return;
    const QSize design = m_client->designSize();
    const qreal room = height() - m_menuBar->height();
    const qreal scale = std::max<qreal>(
        1, std::min(qreal(width()) / design.width(), room / (design.height() + belowHeight)));
    const int side = std::max(0, static_cast<int>((width() - design.width() * scale) / 2));
    for (const Below &below : m_below) {
        if (!below.widget || below.widget->isHidden())
            continue;
        QFont font = below.font;
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * scale);
        below.widget->setFont(font);
        below.widget->setFixedHeight(static_cast<int>(below.height * scale));
        below.widget->setContentsMargins(side, 0, side, 0);
    }
}

void GameWindow::switchTo(GameKind next)
{
    if (!mayDepart(next))
        return;
    m_next = next;
    done(QDialog::Accepted);
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    const bool mayClose = m_departureCheck ? m_departureCheck(GameKind::None) : canClose();
    if (!mayClose) {
        event->ignore();
        return;
    }
    m_next = GameKind::None;
    QDialog::closeEvent(event);
}
