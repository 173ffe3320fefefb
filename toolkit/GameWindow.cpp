#include "toolkit/GameWindow.h"

#include "toolkit/ThaiFonts.h"
#include "toolkit/Twips.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QToolTip>
#include <QVBoxLayout>

namespace {
const QString kChooseGameMenu = QStringLiteral("เลือกเกม");
const QString kPokDengEntry = QStringLiteral("ป๊อกเด้ง");
const QString kNineGaEntry = QStringLiteral("9 เก");
const QString kDummyEntry = QStringLiteral("ดัมมี่");
const QString kRestartEntry = QStringLiteral("เริ่มใหม่");
} // namespace

GameWindow::GameWindow(GameKind kind, int widthTwips, int heightTwips, QWidget *parent)
    : FixedDialog(Escape::Ignored, parent)
    , m_kind(kind)
    , m_menuBar(new QMenuBar(this))
    , m_client(new QWidget(this))
{
    setFont(designFont(8.25));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The layout gives the menu bar the height its Thai entries need and puts the client area
    // of the design's size right below it.
    layout->setMenuBar(m_menuBar);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(twips::size(widthTwips, heightTwips));
    layout->addWidget(m_client);

    QMenu *chooseGame = m_menuBar->addMenu(kChooseGameMenu);
    chooseGame->setObjectName(QStringLiteral("mnusel"));
    const struct
    {
        GameKind kind;
        QString text;
        const char *name;
        Command command;
    } entries[] = {
        { GameKind::PokDeng, kPokDengEntry, "mnupok", Command::PlayPokDeng },
        { GameKind::NineGa, kNineGaEntry, "mnu9ga", Command::PlayNineGa },
        { GameKind::Dummy, kDummyEntry, "mnudum", Command::PlayDummy },
    };
    for (const auto &entry : entries) {
        QAction *action = chooseGame->addAction(entry.text);
        action->setObjectName(QString::fromLatin1(entry.name));
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

// The menu bar goes into its keyboard mode (the first entry lit, the arrow keys moving along the
// bar and into the drop-downs) when Alt is pressed and let go alone; F10 does just that, to the
// control with the focus, where the menu bar looks for it.
void GameWindow::openMenuBar()
{
    QWidget *focus = focusWidget() ? focusWidget() : this;
    for (const QEvent::Type type :
         { QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease }) {
        QKeyEvent alt(type, Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::sendEvent(focus, &alt);
    }
}

// A menu bar shows no tooltips of its own; an entry with a key shows its key in one.
bool GameWindow::eventFilter(QObject *watched, QEvent *event)
{
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
    return FixedDialog::eventFilter(watched, event);
}

void GameWindow::addBelowClient(QWidget *widget)
{
    // As wide as the client whatever its contents want: the window never grows sideways.
    widget->setFixedWidth(m_client->width());
    static_cast<QVBoxLayout *>(layout())->addWidget(widget);
}

void GameWindow::switchTo(GameKind next)
{
    m_next = next;
    done(QDialog::Accepted);
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    if (!canClose()) {
        event->ignore();
        return;
    }
    m_next = GameKind::None;
    QDialog::closeEvent(event);
}
