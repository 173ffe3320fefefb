// The money chart drawn from any input: whatever the money (past the spacing of doubles, not a
// number, endless) and wherever tables are said to start, drawing ends, and only numbers within
// the chart's bounds reach its painter and its words for screen readers. The first two bytes
// choose the size, the third how many table starts follow (one byte each); the rest is money,
// eight bytes a value.
#include "windows/MoneyChart.h"

#include <QApplication>
#include <QImage>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void fault(const char *what)
{
    std::fprintf(stderr, "money chart: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "money_chart_fuzzer";
    static char *argv[] = { name, nullptr };
    static QApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const int width = 40 + data[0] * 4;
    const int height = 30 + data[1] * 2;
    std::size_t at = 3;
    std::vector<std::size_t> starts;
    for (int i = 0; i < data[2] % 9 && at < size; ++i)
        starts.push_back(data[at++]);
    std::vector<double> money;
    for (; at + sizeof(double) <= size; at += sizeof(double)) {
        double value;
        std::memcpy(&value, data + at, sizeof value);
        money.push_back(value);
    }

    MoneyChart chart;
    chart.resize(width, height);
    chart.setSeries(money, starts);
    if (chart.series().size() != money.size())
        fault("points lost");
    for (const double value : chart.series()) {
        if (!std::isfinite(value) || std::abs(value) > MoneyChart::kMostMoney)
            fault("money out of bounds reaches the painter");
    }
    for (const std::size_t start : chart.tableStarts()) {
        if (start == 0 || start >= money.size())
            fault("a table starts outside the series");
    }
    const QString said = chart.accessibleDescription().toLower();
    if (said.contains(QLatin1String("nan")) || said.contains(QLatin1String("inf")))
        fault("the description says what is no number");
    QImage picture(chart.size(), QImage::Format_ARGB32_Premultiplied);
    chart.render(&picture);
    return 0;
}
