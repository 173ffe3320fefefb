#include "windows/MoneyChart.h"

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

const QColor kLine(24, 92, 168);
const QColor kFill(24, 92, 168, 40);
const QColor kGrid(0, 0, 0, 28);
const QColor kAxis(0, 0, 0, 110);

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
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MoneyChart::setSeries(std::vector<double> series)
{
    m_series = std::move(series);
    update();
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

    // The range of money shown, a little wider than what was held.
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
    const int rounds = static_cast<int>(m_series.size()) - 1;
    const double moneyStep = niceStep(top - bottom, std::max(3, height() / (lineHeight * 2)), 1);
    const double firstMark = std::ceil(bottom / moneyStep) * moneyStep;
    int labelWidth = metrics.horizontalAdvance(kMoneyCaption) / 2;
    for (double mark = firstMark; mark <= top; mark += moneyStep)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(markText(mark)));
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
    painter.setPen(QPen(kGrid, 1));
    const QColor text = palette().color(QPalette::Text);
    for (double mark = firstMark; mark <= top; mark += moneyStep) {
        const double y = crisp(yOf(mark));
        painter.setPen(QPen(kGrid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(0, y - lineHeight / 2.0, plot.left() - 6, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, markText(mark));
    }
    const double roundStep
        = niceStep(rounds, std::max(1, static_cast<int>(plot.width()) / (roundLabelWidth * 3)), 1);
    for (double mark = 0; mark <= rounds; mark += roundStep) {
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

    // The money. Up to two rounds a pixel column, a line through every round; more, and each
    // column draws one stroke from the lowest to the highest money of its rounds (reaching to
    // where the column before it ended, so the strokes join), which stays as quick to draw as
    // the chart is wide, however many rounds there are.
    painter.setRenderHint(QPainter::Antialiasing);
    const int columns = std::max(1, static_cast<int>(plot.width()));
    if (rounds <= 2 * columns) {
        QPolygonF line;
        line.reserve(rounds + 3);
        for (int round = 0; round <= rounds; ++round)
            line << QPointF(xOf(round), yOf(m_series[static_cast<std::size_t>(round)]));
        QPolygonF area = line;
        area << QPointF(line.last().x(), plot.bottom()) << QPointF(line.first().x(), plot.bottom());
        painter.setPen(Qt::NoPen);
        painter.setBrush(kFill);
        painter.drawPolygon(area);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kLine, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (rounds == 0)
            painter.drawEllipse(line.first(), 2.5, 2.5);
        else
            painter.drawPolyline(line);
        return;
    }

    QPolygonF tops; // the highest money of each column, the upper edge of the area below
    QVector<QLineF> strokes;
    tops.reserve(columns + 2);
    strokes.reserve(columns);
    const std::size_t count = m_series.size();
    double previousLast = m_series.front();
    for (int column = 0; column < columns; ++column) {
        const std::size_t from = count * static_cast<std::size_t>(column) / columns;
        const std::size_t to = count * static_cast<std::size_t>(column + 1) / columns;
        if (from >= to)
            continue;
        const auto [low, high] = std::minmax_element(m_series.begin() + static_cast<long>(from),
                                                     m_series.begin() + static_cast<long>(to));
        const double x = plot.left() + column + 0.5;
        tops << QPointF(x, yOf(*high));
        strokes << QLineF(x, yOf(std::min(*low, previousLast)), x,
                          yOf(std::max(*high, previousLast)));
        previousLast = m_series[to - 1];
    }
    tops << QPointF(tops.last().x(), plot.bottom()) << QPointF(tops.first().x(), plot.bottom());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFill);
    painter.drawPolygon(tops);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kLine, 1));
    painter.drawLines(strokes);
}
