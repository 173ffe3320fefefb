#include "windows/HelpersMenu.h"

#include "toolkit/CardLibrary.h"
#include "toolkit/CardPicture.h"
#include "toolkit/FocusRing.h"
#include "toolkit/GameSettings.h"
#include "toolkit/LiveRegion.h"
#include "toolkit/Shortcuts.h"
#include "windows/FrmpokTexts.h"
#include "windows/Frmrules.h"
#include "windows/OddsAdvisor.h"
#include "windows/PlayHistory.h"
#include "windows/TableControls.h"

#include <QMenu>
#include <QMenuBar>

using namespace frmpok_text;

HelpersMenu::HelpersMenu(QMenuBar *menuBar, TableControls &ui, QWidget *table)
    : QObject(table)
    , m_ui(ui)
    , m_table(table)
{
    QMenu *helpers = menuBar->addMenu(kHelpersMenu);
    helpers->setObjectName(QStringLiteral("mnuhelpers"));
    m_advisor = new OddsAdvisor(helpers, ui.Cmdreq, ui.cmdnoreq, table);
    helpers->addSeparator();

    QAction *history = helpers->addAction(kHistoryEntry);
    history->setObjectName(QStringLiteral("mnuhistory"));
    shortcuts::bind(history, Command::History);
    connect(history, &QAction::triggered, this,
            [this] { PlayHistory::instance().showStatistics(m_table); });
    QAction *rules = helpers->addAction(kRulesEntry);
    rules->setObjectName(QStringLiteral("mnurules"));
    shortcuts::bind(rules, Command::Rules);
    connect(rules, &QAction::triggered, this, [this] { Frmrules::showBeside(m_table); });
    helpers->addSeparator();

    QAction *contrast = helpers->addAction(kHighContrastEntry);
    contrast->setObjectName(QStringLiteral("mnucontrast"));
    contrast->setCheckable(true);
    shortcuts::bind(contrast, Command::HighContrast);
    contrast->setChecked(GameSettings().highContrast());
    showHighContrast(contrast->isChecked());
    connect(contrast, &QAction::toggled, this, [this](bool on) {
        GameSettings().setHighContrast(on);
        showHighContrast(on);
        LiveRegion::say(m_table, (on ? kTurnedOn : kTurnedOff) + kHighContrastEntry);
    });

    // The faces in the four-colour deck: every card on the table is drawn again.
    QAction *deck = helpers->addAction(kFourColourEntry);
    deck->setObjectName(QStringLiteral("mnudeck"));
    deck->setCheckable(true);
    shortcuts::bind(deck, Command::FourColourDeck);
    deck->setChecked(GameSettings().fourColourDeck());
    showFourColourDeck(deck->isChecked());
    connect(deck, &QAction::toggled, this, [this](bool on) {
        GameSettings().setFourColourDeck(on);
        showFourColourDeck(on);
        LiveRegion::say(m_table, (on ? kTurnedOn : kTurnedOff) + kFourColourEntry);
    });

    // The table asks the settings before each card it turns over.
    QAction *flip = helpers->addAction(kCardFlipEntry);
    flip->setObjectName(QStringLiteral("mnuflip"));
    flip->setCheckable(true);
    shortcuts::bind(flip, Command::CardFlip);
    flip->setChecked(GameSettings().cardFlip());
    connect(flip, &QAction::toggled, this, [this](bool on) {
        GameSettings().setCardFlip(on);
        LiveRegion::say(m_table, (on ? kTurnedOn : kTurnedOff) + kCardFlipEntry);
    });

    // The toolkit asks the settings before each sound, so switching is all the entry does.
    QAction *sound = helpers->addAction(kSoundEntry);
    sound->setObjectName(QStringLiteral("mnusound"));
    sound->setCheckable(true);
    shortcuts::bind(sound, Command::Sound);
    sound->setChecked(GameSettings().sound());
    connect(sound, &QAction::toggled, this, [this](bool on) {
        GameSettings().setSound(on);
        LiveRegion::say(m_table, (on ? kTurnedOn : kTurnedOff) + kSoundEntry);
    });
}

void HelpersMenu::showFourColourDeck(bool on)
{
    CardLibrary::setDeck(on ? CardLibrary::Deck::FourColour : CardLibrary::Deck::Design);
    for (CardPicture *card : m_table->findChildren<CardPicture *>())
        card->redraw();
}

void HelpersMenu::showHighContrast(bool on)
{
    m_ui.setHighContrast(on);
    FocusRing::setStrong(m_table, on);
}
