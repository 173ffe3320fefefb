#pragma once

#include <QString>

namespace net {

// A table's join code: six digits, easy to say aloud and to type on any keyboard layout. The
// join window takes exactly that many digits, so every table's code is one a friend can type.
inline constexpr int kJoinCodeLength = 6;

// A new random join code.
QString makeJoinCode();
// Whether code is a join code a friend can type: kJoinCodeLength digits 0-9, nothing else.
bool isJoinCode(const QString &code);

} // namespace net
