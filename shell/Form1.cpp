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

// The design's panels take 5430 x 2325 twips; the row of the other entries lies below them.
constexpr int kClientWidth = 5430, kClientHeight = 3105; // twips

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

// The row below the panels, in twips: one button each for เล่นกับเพื่อน, วิธีเล่น and
// ประวัติการเล่น, as wide as the game buttons' row allows and two lines high (name, then key).
constexpr int kHelperTop = 2400;
constexpr int kHelperHeight = 615;
constexpr int kHelperWidth = 1680;
constexpr int kHelperLefts[] = { 120, 1875, 3630 };

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

    // Below the games, what else the program offers, each with its key: playing with friends,
    // the rules and the play history. The window's context menu offers them too.
    const struct
    {
        const char *name;
        const char *buttonName;
        QString text;
        Command command;
    } helpers[] = {
        { "mnufriends", "cmdfriends", QStringLiteral("เล่นกับเพื่อน"), Command::PlayWithFriends },
        { "mnurules", "cmdrules", QStringLiteral("วิธีเล่น"), Command::Rules },
        { "mnuhistory", "cmdhistory", QStringLiteral("ประวัติการเล่น"), Command::History },
    };
    static_assert(std::size(helpers) == std::size(kHelperLefts), "a place for every entry");
    auto *menu = new QMenu(this);
    QWidget *previous = m_Command.back();
    for (std::size_t index = 0; index < std::size(helpers); ++index) {
        const auto &helper = helpers[index];
        auto *action = menu->addAction(helper.text);
        action->setObjectName(QString::fromLatin1(helper.name));
        shortcuts::bind(action, helper.command);
        addAction(action);

        // The key on a second line: the name and the key do not both fit across a panel.
        auto *button = new QPushButton(
            helper.text + QLatin1Char('\n') + shortcuts::keyText(helper.command), this);
        button->setObjectName(QString::fromLatin1(helper.buttonName));
        button->setGeometry(
            twips::rect(kHelperLefts[index], kHelperTop, kHelperWidth, kHelperHeight));
        button->setAccessibleName(helper.text);
        button->setAccessibleDescription(shortcuts::keyHint(helper.command));
        button->setToolTip(shortcuts::keyHint(helper.command));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        setTabOrder(previous, button);
        previous = button;
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
