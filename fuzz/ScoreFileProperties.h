#pragma once

#include <string>
#include <string_view>

// What must hold for the score file whatever its bytes are. The fuzz targets abort when a check
// answers; the regression test replays the inputs they found through the same checks.
namespace cards::fuzz {

// Amounts in halves of a baht within this size round-trip exactly through the file: the money
// text keeps 15 significant digits, and 1e12 with its half needs 14.
inline constexpr double kExactMoneyLimit = 1e12;

// Any bytes read as a score file: no crash, and the reader gives a name in valid UTF-8 and a
// finite money. Checks unscrambleText, readClassicNumber and the code page on the raw bytes too.
// Returns what went wrong, or an empty text when all holds.
std::string checkReadsAnyBytes(std::string_view bytes);

// The round-trip input: its first eight bytes (fewer when shorter) choose the money, the rest is
// the name in UTF-8.
struct RoundTripCase
{
    std::string_view name;
    double money = 0;
};
RoundTripCase roundTripCase(std::string_view input);

// A non-empty name that checkName accepts, written with scoreFileBytes and read back with
// parseScoreFile, gives the identical name and money. Names checkName refuses, and the empty
// name, are not stored and pass. Returns what went wrong, or an empty text.
std::string checkNameRoundTrip(std::string_view input);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

} // namespace cards::fuzz
