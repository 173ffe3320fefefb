#include "rules/PlainDecimal.h"

#include <cmath>
#include <cstdio>

namespace cards {

namespace {

    std::string withDecimalPoint(std::string text, const std::string &decimalPoint)
    {
        const auto point = text.find('.');
        if (point != std::string::npos)
            text.replace(point, 1, decimalPoint);
        return text;
    }

} // namespace

std::string plainDecimal(double value, const std::string &decimalPoint)
{
    if (!std::isfinite(value))
        return "0";

    constexpr int significantDigits = 15;
    char buffer[64];
    if (std::fabs(value) >= 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
        return withDecimalPoint(buffer, decimalPoint);
    }

    // Fraction digits so that 15 significant digits are kept in all, counting from the
    // first non-zero digit (0.000123 keeps its leading zeros as fraction digits).
    int integerDigits
        = value == 0 ? 1 : static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
    int fractionDigits = significantDigits - integerDigits;
    if (fractionDigits < 0)
        fractionDigits = 0;
    if (fractionDigits > 30)
        fractionDigits = 30;
    std::snprintf(buffer, sizeof buffer, "%.*f", fractionDigits, value);

    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return withDecimalPoint(text, decimalPoint);
}

} // namespace cards
