#include "windows/MoneyChart.h"

#include "toolkit/DisplayText.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QString kNothingYet = QStringLiteral("ยังไม่มีตาที่เล่น");
const QString kMoneyCaption = QStringLiteral("เงิน (บาท)");
const QString kRoundCaption = QStringLiteral("ตาที่");
const QString kAccessibleName = QStringLiteral("กราฟเงินตามตาที่เล่น");
const QString kDescription
    = QStringLiteral("เงินตอนเริ่ม %1 บาท ล่าสุด %2 บาท สูงสุด %3 บาท ต่ำสุด %4 บาท ใน %5 ตา");
const QString kTablesDescription = QStringLiteral(" จาก %1 โต๊ะ");

const QColor kLine(24, 92, 168);
const QColor kFill(24, 92, 168, 40);
const QColor kGrid(0, 0, 0, 28);
const QColor kAxis(0, 0, 0, 110);
const QColor kTableMark(0, 0, 0, 90);

// How many marks from first, step apart, up to last: counted, not stepped through, and never
// more than a scale has room for.
int markCount(double first, double last, double step)
{
    const double count = std::floor((last - first) / step) + 1;
    return count >= 1 ? static_cast<int>(std::min(count, 1000.0)) : 0;
}

// A step for the scale's marks: 1, 2 or 5 times a power of ten, giving about `wanted` steps
// over span, and never below `least`.
double niceStep(double span, int wanted, double least)
{
    if (span <= 0 || wanted < 1)
        return least;
    const double raw = span / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (const double factor : { 1.0, 2.0, 5.0 }) {
        if (raw <= factor * power) {
            step = factor * power;
            break;
        }
    }
    return std::max(step, least);
}

QString markText(double value)
{
    return QString::number(value, 'f', 0);
}

// A line on a pixel's middle, so that a one-pixel line stays one pixel wide and sharp.
double crisp(double position)
{
    return std::floor(position) + 0.5;
}

} // namespace

MoneyChart::MoneyChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MoneyChart"));
    setAccessibleName(kAccessibleName);
    setAccessibleDescription(kNothingYet);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MoneyChart::setSeries(std::vector<double> series, std::vector<std::size_t> tableStarts)
{
    double last = 0;
    for (double &money : series) {
        if (std::isnan(money))
            money = last;
        money = std::clamp(money, -kMostMoney, kMostMoney);
        last = money;
    }
    std::sort(tableStarts.begin(), tableStarts.end());
    tableStarts.erase(std::unique(tableStarts.begin(), tableStarts.end()), tableStarts.end());
    std::erase_if(tableStarts, [&](std::size_t at) { return at == 0 || at >= series.size(); });
    m_series = std::move(series);
    m_tableStarts = std::move(tableStarts);

    // What the picture shows, for those who cannot see it.
    if (m_series.empty()) {
        setAccessibleDescription(kNothingYet);
    } else {
        const auto [lowest, highest] = std::minmax_element(m_series.begin(), m_series.end());
        const qsizetype rounds = static_cast<qsizetype>(m_series.size() - 1 - m_tableStarts.size());
        QString text = kDescription
                           .arg(displayDecimal(m_series.front()), displayDecimal(m_series.back()),
                                displayDecimal(*highest), displayDecimal(*lowest))
                           .arg(rounds);
        if (!m_tableStarts.empty())
            text += kTablesDescription.arg(m_tableStarts.size() + 1);
        setAccessibleDescription(text);
    }
    update();
}

double MoneyChart::roundOf(std::size_t point) const
{
    const auto startsUpToPoint = std::upper_bound(m_tableStarts.begin(), m_tableStarts.end(), point)
        - m_tableStarts.begin();
    return static_cast<double>(point) - static_cast<double>(startsUpToPoint);
}

QSize MoneyChart::sizeHint() const
{
    return { 560, 220 };
}

QSize MoneyChart::minimumSizeHint() const
{
    return { 240, 120 };
}

void MoneyChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    if (m_series.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, kNothingYet);
        return;
    }

    // The range of money shown, a little wider than what was held. Within the chart's bounds
    // the spacing of doubles stays far below a baht, so the marks always step on.
    const auto [lowest, highest] = std::minmax_element(m_series.begin(), m_series.end());
    double bottom = *lowest;
    double top = *highest;
    if (top - bottom < 1) {
        bottom -= 1000;
        top += 1000;
    }
    const double margin = (top - bottom) * 0.05;
    bottom -= margin;
    top += margin;

    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.height();
    const int rounds = static_cast<int>(m_series.size() - 1 - m_tableStarts.size());
    const double moneyStep = niceStep(top - bottom, std::max(3, height() / (lineHeight * 2)), 1);
    const double firstMark = std::ceil(bottom / moneyStep) * moneyStep;
    const int moneyMarks = markCount(firstMark, top, moneyStep);
    int labelWidth = metrics.horizontalAdvance(kMoneyCaption) / 2;
    for (int i = 0; i < moneyMarks; ++i)
        labelWidth
            = std::max(labelWidth, metrics.horizontalAdvance(markText(firstMark + i * moneyStep)));
    const int roundLabelWidth = metrics.horizontalAdvance(markText(std::max(rounds, 1)));

    const QRectF plot = QRectF(rect()).adjusted(labelWidth + 10, lineHeight + 6,
                                                -(roundLabelWidth / 2 + 8), -(lineHeight + 8));
    if (plot.width() < 4 || plot.height() < 4)
        return;
    const auto xOf = [&](double round) {
        return rounds == 0 ? plot.center().x() : plot.left() + plot.width() * round / rounds;
    };
    const auto yOf = [&](double money) {
        return plot.bottom() - plot.height() * (money - bottom) / (top - bottom);
    };

    // The scales and the grid.
    const QColor text = palette().color(QPalette::Text);
    for (int i = 0; i < moneyMarks; ++i) {
        const double mark = firstMark + i * moneyStep;
        const double y = crisp(yOf(mark));
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(0, y - lineHeight / 2.0, plot.left() - 6, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, markText(mark));
    }
    const double roundStep
        = niceStep(rounds, std::max(1, static_cast<int>(plot.width()) / (roundLabelWidth * 3)), 1);
    const int roundMarks = markCount(0, rounds, roundStep);
    for (int i = 0; i < roundMarks; ++i) {
        const double mark = i * roundStep;
        const double x = crisp(xOf(mark));
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        painter.drawText(QRectF(x - 50, plot.bottom() + 4, 100, lineHeight), Qt::AlignCenter,
                         markText(mark));
    }
    painter.drawText(QRectF(0, 0, plot.left() + 100, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                     kMoneyCaption);
    painter.drawText(QRectF(0, plot.bottom() + 4, plot.left() - 6, lineHeight),
                     Qt::AlignRight | Qt::AlignVCenter, kRoundCaption);
    painter.setPen(QPen(kAxis, 1));
    painter.drawLine(QPointF(crisp(plot.left()), plot.top()),
                     QPointF(crisp(plot.left()), crisp(plot.bottom())));
    painter.drawLine(QPointF(crisp(plot.left()), crisp(plot.bottom())),
                     QPointF(plot.right(), crisp(plot.bottom())));

    // Where each later table began, while the marks stay apart.
    const int columns = std::max(1, static_cast<int>(plot.width()));
    if (!m_tableStarts.empty() && m_tableStarts.size() * 4 <= static_cast<std::size_t>(columns)) {
        painter.setPen(QPen(kTableMark, 1, Qt::DashLine));
        for (const std::size_t start : m_tableStarts) {
            const double x = crisp(xOf(roundOf(start)));
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
    }

    // The money, a line a table. Up to two rounds a pixel column, a line through every round;
    // more, and each column draws one stroke from the lowest to the highest money of its rounds
    // (reaching to where the column before it ended, within a table, so the strokes join), which
    // stays as quick to draw as the chart is wide, however many rounds there are.
    painter.setRenderHint(QPainter::Antialiasing);
    if (rounds <= 2 * columns) {
        std::size_t from = 0;
        for (std::size_t table = 0; table <= m_tableStarts.size(); ++table) {
            const std::size_t to
                = table < m_tableStarts.size() ? m_tableStarts[table] : m_series.size();
            QPolygonF line;
            line.reserve(static_cast<qsizetype>(to - from) + 2);
            for (std::size_t point = from; point < to; ++point)
                line << QPointF(xOf(roundOf(point)), yOf(m_series[point]));
            from = to;
            QPolygonF area = line;
            area << QPointF(line.last().x(), plot.bottom())
                 << QPointF(line.first().x(), plot.bottom());
            painter.setPen(Qt::NoPen);
            painter.setBrush(kFill);
            painter.drawPolygon(area);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(kLine, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            if (line.size() == 1)
                painter.drawEllipse(line.first(), 2.5, 2.5);
            else
                painter.drawPolyline(line);
        }
        return;
    }

    QPolygonF tops; // the highest money of each column, the upper edge of the area below
    QVector<QLineF> strokes;
    tops.reserve(columns + 2);
    strokes.reserve(columns
                    + static_cast<qsizetype>(std::min<std::size_t>(m_tableStarts.size(), columns)));
    std::size_t nextStart = 0; // the next table start not yet passed
    std::size_t point = 0;
    // Where the column before ended, while it was of this table.
    double previousLast = 0;
    bool joins = false;
    while (point < m_series.size()) {
        const int column
            = std::min(columns - 1, static_cast<int>(roundOf(point) * columns / rounds));
        // This column's points, up to the next table's start.
        double low = m_series[point];
        double high = low;
        std::size_t end = point + 1;
        const std::size_t tableEnd
            = nextStart < m_tableStarts.size() ? m_tableStarts[nextStart] : m_series.size();
        while (end < tableEnd
               && std::min(columns - 1, static_cast<int>(roundOf(end) * columns / rounds))
                   == column) {
            low = std::min(low, m_series[end]);
            high = std::max(high, m_series[end]);
            ++end;
        }
        const double x = plot.left() + column + 0.5;
        tops << QPointF(x, yOf(high));
        const double joinLow = joins ? std::min(low, previousLast) : low;
        const double joinHigh = joins ? std::max(high, previousLast) : high;
        strokes << QLineF(x, yOf(joinLow), x, yOf(joinHigh));
        previousLast = m_series[end - 1];
        joins = true;
        if (end == tableEnd && nextStart < m_tableStarts.size()) {
            ++nextStart;
            joins = false;
        }
        point = end;
    }
    tops << QPointF(tops.last().x(), plot.bottom()) << QPointF(tops.first().x(), plot.bottom());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFill);
    painter.drawPolygon(tops);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kLine, 1));
    painter.drawLines(strokes);
}
