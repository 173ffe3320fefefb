#include "windows/OddsAdvisor.h"

#include "rules/pokdeng/Odds.h"
#include "toolkit/DisplayText.h"
#include "toolkit/GameSettings.h"
#include "toolkit/LiveRegion.h"
#include "toolkit/Shortcuts.h"
#include "windows/FrmpokTexts.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QVBoxLayout>

#include <cmath>

using namespace frmpok_text;
using namespace pokdeng;
using namespace cards;

namespace {

// One decimal with the user's separator, without a sign; a value that rounds to nothing is 0.0.
QString oneDecimal(double value)
{
    const double rounded = std::round(value * 10) / 10;
    QString text = QString::number(rounded == 0 ? 0.0 : std::abs(value), 'f', 1);
    text.replace(QLatin1Char('.'), localeDecimalPoint());
    return text;
}

} // namespace

QString OddsAdvisor::averageText(double money)
{
    const double rounded = std::round(money * 10) / 10;
    if (rounded == 0)
        return kAdviceEven;
    return (rounded > 0 ? kAdviceGains : kAdviceLoses).arg(oneDecimal(money));
}

namespace {

// "จั่วไพ่: ชนะ 41.6% เสมอ 9.5% แพ้ 49.0% เฉลี่ยเสีย 209.0 บาท ต่อตา", and "(ดีกว่า)" after the
// better one.
QString choiceText(const QString &caption, const OptionOdds &odds, bool better)
{
    const auto percent = [](double chance) { return oneDecimal(100 * chance) + QLatin1Char('%'); };
    QString text = caption + QStringLiteral(": ") + kAdviceWin + QLatin1Char(' ')
        + percent(odds.win) + QLatin1Char(' ') + kAdviceTie + QLatin1Char(' ') + percent(odds.tie)
        + QLatin1Char(' ') + kAdviceLoss + QLatin1Char(' ') + percent(odds.loss) + QLatin1Char(' ')
        + OddsAdvisor::averageText(odds.expectedMoney);
    if (better)
        text += QLatin1Char(' ') + kAdviceBetter;
    return text;
}

// A turn button's tooltip: its advice, if any, above its key.
QString tooltip(const QString &advice, Command command)
{
    const QString key = shortcuts::keyHint(command);
    return advice.isEmpty() ? key : advice + QLatin1Char('\n') + key;
}

} // namespace

OddsAdvisor::OddsAdvisor(QMenu *menu, QPushButton *draw, QPushButton *stand, QWidget *window)
    : QObject(window)
    , m_entry(menu->addAction(kAdvisorEntry))
    , m_bar(new QStatusBar(window))
    , m_line(new QLabel(m_bar))
    , m_draw(draw)
    , m_stand(stand)
{
    m_entry->setObjectName(QStringLiteral("mnuodds"));
    m_entry->setCheckable(true);
    shortcuts::bind(m_entry, Command::Calculator);
    m_entry->setToolTip(shortcuts::keyHint(Command::Calculator));
    m_bar->setObjectName(QStringLiteral("sbrodds"));
    m_bar->setSizeGripEnabled(false);
    m_line->setObjectName(QStringLiteral("lblodds"));
    // Room for both choices' lines at all times, so the window keeps one height while it is on;
    // the line itself is hidden while it has nothing to say, in a holder that keeps the room.
    auto *holder = new QWidget(m_bar);
    auto *box = new QVBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    m_line->setParent(holder);
    box->addWidget(m_line);
    holder->setMinimumHeight(2 * m_line->fontMetrics().lineSpacing());
    m_bar->addWidget(holder, 1);
    // Screen readers speak the advice as it comes, as they do the table's status line.
    LiveRegion::expose(m_line);

    const bool on = GameSettings().oddsAdvisor();
    m_entry->setChecked(on);
    m_bar->setVisible(on);
    connect(m_entry, &QAction::toggled, this, &OddsAdvisor::setOn);
}

bool OddsAdvisor::isOn() const
{
    return m_entry->isChecked();
}

void OddsAdvisor::setOn(bool on)
{
    GameSettings().setOddsAdvisor(on);
    m_bar->setVisible(on);
    updateAdvice();
    LiveRegion::say(m_bar->window(), (on ? kTurnedOn : kTurnedOff) + kAdvisorEntry);
}

void OddsAdvisor::startTurn(const Card &first, const Card &second, double stake,
                            const QString &standCaption)
{
    m_turn = Turn { first, second, stake, standCaption };
    updateAdvice();
}

void OddsAdvisor::endTurn()
{
    m_turn.reset();
    updateAdvice();
}

// The line and the tooltips for the turn under way, or nothing when there is none or the advisor
// is off. The odds take well under a millisecond, so they are counted here, when asked.
void OddsAdvisor::updateAdvice()
{
    QString drawText, standText;
    if (m_turn && isOn()) {
        const TurnOdds odds = oddsAtUsersTurn(m_turn->first, m_turn->second, m_turn->stake);
        const bool both = odds.draw.offered && odds.stand.offered;
        if (odds.draw.offered)
            drawText = choiceText(kDraw, odds.draw, both && odds.better == TurnChoice::Draw);
        if (odds.stand.offered)
            standText = choiceText(m_turn->standCaption, odds.stand,
                                   both && odds.better == TurnChoice::Stand);
    }
    QStringList lines;
    for (const QString &text : { drawText, standText })
        if (!text.isEmpty())
            lines << text;
    const QString advice = lines.join(QLatin1Char('\n'));
    if (advice != m_line->text()) {
        m_line->setText(advice);
        LiveRegion::announce(m_line);
    }
    m_draw->setToolTip(tooltip(drawText, Command::Draw));
    m_stand->setToolTip(tooltip(standText, Command::Stand));
}
