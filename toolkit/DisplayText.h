#pragma once

#include <QString>

// The user's decimal separator; the game's numbers are otherwise plain digits.
QString localeDecimalPoint();

// A number as the windows show money and amounts: plain decimal digits, a minus sign when
// negative, the user's decimal separator before the fraction digits only when there are any.
QString displayDecimal(double value);
