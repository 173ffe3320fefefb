#pragma once

#include <QWidget>

#include <vector>

// A line of the user's money over the rounds, drawn by our own painter code at whatever size the
// widget has: a scale of round numbers below, a scale of baht on the left, light grid lines. A
// long history is drawn one pixel column at a time (the lowest and highest money of the rounds
// that fall in it), so 100,000 rounds cost no more to draw than the width in pixels.
class MoneyChart final : public QWidget
{
    Q_OBJECT
public:
    explicit MoneyChart(QWidget *parent = nullptr);

    // The money before the first round, then after each round; empty shows that nothing was
    // played yet. tableStarts: the places in series where a later table begins with its money
    // before its first round, drawn at the same round as the last table's end.
    void setSeries(std::vector<double> series, std::vector<std::size_t> tableStarts = {});
    // As drawn: within bounds, every value a number.
    const std::vector<double> &series() const { return m_series; }
    const std::vector<std::size_t> &tableStarts() const { return m_tableStarts; }

    // The most money either way the chart draws as it is.
    static constexpr double kMostMoney = 1e15;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The round at which series point i is drawn.
    double roundOf(std::size_t point) const;

    std::vector<double> m_series;
    std::vector<std::size_t> m_tableStarts;
};
