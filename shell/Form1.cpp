#include "shell/Form1.h"

#include "rules/Card.h"
#include "rules/CardName.h"
#include "shell/Navigator.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/ThaiFonts.h"
#include "toolkit/Twips.h"
#include "windows/Frmrules.h"
#include "windows/PlayHistory.h"

#include <QAction>
#include <QMenu>

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

const QString kCaption = QStringLiteral("Quindelo");

constexpr int kClientWidth = 5430, kClientHeight = 2325; // twips

// The frame and the two dividers that cut the window into its three panels, in twips.
struct Line
{
    int x1, y1, x2, y2;
};
constexpr Line kLines[] = {
    { 0, 0, 5400, 0 }, // Line1, top edge
    { 0, 2280, 0, 0 }, // Line2, left edge
    { 0, 2280, 5400, 2280 }, // Line3, bottom edge
    { 1560, 0, 1560, 2280 }, // Line5, first divider
    { 3360, 0, 3360, 2280 }, // Line6, second divider
    { 5400, 0, 5400, 2280 }, // Line7, right edge
};

// The sample hands as the load step puts them in: Image1 to Image9, each card's left edge in
// twips. All stand at Top 120.
struct Sample
{
    int left;
    cards::Card card;
};
constexpr int kSampleTop = 120;
constexpr Sample kSamples[] = {
    { 360, { cards::kSpades, cards::kTen } },
    { 120, { cards::kSpades, 9 } },
    { 1680, { cards::kClubs, 2 } },
    { 1920, { cards::kDiamonds, 3 } },
    { 2160, { cards::kHearts, 4 } },
    { 3480, { cards::kClubs, cards::kAce } },
    { 3720, { cards::kDiamonds, cards::kAce } },
    { 3960, { cards::kHearts, cards::kAce } },
    { 4200, { cards::kSpades, cards::kAce } },
};

// Each game's button (Command1, Command2, ...: the games' list in its order) at the foot of its
// panel: its left edge in twips. All stand at Top 1680.
constexpr int kButtonLefts[] = { 120, 1800, 3720 };
static_assert(std::size(kButtonLefts) == std::size(kGames), "a panel for every game");

} // namespace

Form1::Form1(QWidget *parent)
    : FixedDialog(Escape::Ignored, parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kCaption);
    setFixedSize(twips::size(kClientWidth, kClientHeight));

    // Each fan's right card lies over its left neighbour, so every covered card still shows its
    // corner index. Siblings made later lie higher: the lowest of each fan is made first.
    for (int n : { 2, 1, 3, 4, 5, 6, 7, 8, 9 }) {
        auto *image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(n));
        image->setGeometry(twips::rect(kSamples[n - 1].left, kSampleTop, 1065, 1440));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_Image[n - 1] = image;
    }

    for (std::size_t index = 0; index < m_Command.size(); ++index) {
        const GameEntry &game = kGames[index];
        auto *button = new QPushButton(game.name, this);
        button->setObjectName(QStringLiteral("Command%1").arg(index + 1));
        button->setFont(designFont(8.25, true));
        button->setGeometry(twips::rect(kButtonLefts[index], 1680, 1335, 495));
        connect(button, &QPushButton::clicked, this, [this, index] { Command_Click(index); });
        // The keys that switch to a game from a game's menu open it from here.
        shortcuts::bindButton(button, game.command);
        if (index > 0)
            setTabOrder(m_Command[index - 1], button);
        m_Command[index] = button;
    }
    m_Command.front()->setFocus();

    // The rules and the play history are offered before any game too: by their keys, and in
    // the window's context menu, which names the keys.
    const struct
    {
        const char *name;
        QString text;
        Command command;
    } helpers[] = {
        { "mnurules", QStringLiteral("วิธีเล่น"), Command::Rules },
        { "mnuhistory", QStringLiteral("ประวัติการเล่น"), Command::History },
        { "mnufriends", QStringLiteral("เล่นกับเพื่อน"), Command::PlayWithFriends },
    };
    auto *menu = new QMenu(this);
    for (const auto &helper : helpers) {
        auto *action = menu->addAction(helper.text);
        action->setObjectName(QString::fromLatin1(helper.name));
        shortcuts::bind(action, helper.command);
        addAction(action);
    }
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, menu,
            [this, menu](const QPoint &at) { menu->popup(mapToGlobal(at)); });
    connect(findChild<QAction *>(QStringLiteral("mnurules")), &QAction::triggered, this,
            [this] { Frmrules::showBeside(this); });
    connect(findChild<QAction *>(QStringLiteral("mnuhistory")), &QAction::triggered, this,
            [this] { PlayHistory::instance().showStatistics(this); });
    connect(findChild<QAction *>(QStringLiteral("mnufriends")), &QAction::triggered, this,
            [this] { runGameWindows(GameKind::WithFriends, this); });

    Form_Load();
}

void Form1::Form_Load()
{
    for (int n = 1; n <= 9; ++n) {
        const cards::Card &card = kSamples[n - 1].card;
        m_Image[n - 1]->setPixmap(CardLibrary::face(card.suit, card.rank));
        m_Image[n - 1]->setAccessibleName(QString::fromStdString(cards::cardName(card)));
    }
}

void Form1::Command_Click(std::size_t index)
{
    runGameWindows(kGames[index].kind, this);
}

void Form1::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    for (const Line &line : kLines)
        painter.drawLine(twips::point(line.x1, line.y1), twips::point(line.x2, line.y2));
}
