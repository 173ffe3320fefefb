#pragma once

#include <string>

namespace cards {

// A number as the table shows money and amounts: decimal digits, a minus sign when negative,
// no leading blank, no grouping, and a point with the fraction digits only when the number is
// not whole ("10000", "500.5", "0.25", "-4000"). Rounded to 15 significant digits, and never
// written with an exponent below 1e15 in size. Not-a-number and infinities give "0".
// decimalPoint stands in place of the point: the windows pass the user's own separator, the
// score file always writes a point.
std::string plainDecimal(double value, const std::string &decimalPoint = ".");

} // namespace cards
