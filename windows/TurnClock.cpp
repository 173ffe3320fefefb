#include "windows/TurnClock.h"

#include "toolkit/LiveRegion.h"

#include <algorithm>

namespace {

const QString kLine = QStringLiteral("%1: เหลือ %2 วินาที");
// Whose turn it is, or what is to be chosen, with the time: said once, it is whole.
const QString kGiven = QStringLiteral("%1 มีเวลา %2 วินาที");
const QString kLeft = QStringLiteral("เหลือเวลา %1 วินาที");

} // namespace

TurnClock::TurnClock(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("turnClock"));
    hide();
    m_ticks.setInterval(1000);
    connect(&m_ticks, &QTimer::timeout, this, &TurnClock::tick);
}

void TurnClock::start(const QString &whose, int limitMs, bool own)
{
    stop();
    if (limitMs <= 0)
        return;
    m_whose = whose;
    m_limitMs = limitMs;
    m_own = own;
    m_warned = false;
    m_since.start();
    m_ticks.start();
    tick();
    show();
    if (own)
        LiveRegion::say(window(), kGiven.arg(m_whose).arg(secondsLeft()));
}

void TurnClock::stop()
{
    m_ticks.stop();
    m_limitMs = 0;
    hide();
}

int TurnClock::secondsLeft() const
{
    if (m_limitMs <= 0)
        return 0;
    // Rounded up: the last second shows as 1 until it is over.
    const qint64 left = std::max<qint64>(0, m_limitMs - m_since.elapsed());
    return static_cast<int>((left + 999) / 1000);
}

void TurnClock::tick()
{
    const int left = secondsLeft();
    const QString line = kLine.arg(m_whose).arg(left);
    setText(line);
    setAccessibleName(line);
    if (m_own && !m_warned && left <= kWarnAtSeconds && m_since.elapsed() > 0
        && m_limitMs > kWarnAtSeconds * 1000) {
        m_warned = true;
        LiveRegion::say(window(), kLeft.arg(left));
    }
    if (left == 0)
        m_ticks.stop();
}
