#include "toolkit/GameWindow.h"

#include "toolkit/ThaiFonts.h"
#include "toolkit/Twips.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenuBar>
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
    } entries[] = {
        { GameKind::PokDeng, kPokDengEntry, "mnupok" },
        { GameKind::NineGa, kNineGaEntry, "mnu9ga" },
        { GameKind::Dummy, kDummyEntry, "mnudum" },
    };
    for (const auto &entry : entries) {
        QAction *action = chooseGame->addAction(entry.text);
        action->setObjectName(QString::fromLatin1(entry.name));
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
    QAction *restart = m_menuBar->addAction(kRestartEntry);
    restart->setObjectName(QStringLiteral("mnustart"));
    connect(restart, &QAction::triggered, this, [this] { switchTo(m_kind); });
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
