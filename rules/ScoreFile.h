#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cards {

// The score file "point.pon" holds one record and nothing else: the name, "$", then the money
// text (a blank and the amount, or "-" in place of the blank when negative; a point and the
// fraction digits only when not whole), in Windows-874, with every byte shifted up by
// kScoreShift and no line end.

// Every byte is stored as its code plus this shift. The highest byte the Thai code page defines
// is 0xFB (the Thai sign ๛), and a shifted byte must stay within 255, so any shift from 1 to 4
// stores every character the name box accepts; we take 4, the largest of them. Files already
// written depend on it: never change it.
inline constexpr unsigned char kScoreShift = 4;

// The separator between the name and the money, before it is shifted.
inline constexpr char kScoreSeparator = '$';

// The longest name the record window can show on its one line, in characters.
inline constexpr std::size_t kMaxNameLength = 30;

// Each byte plus kScoreShift. Counted modulo 256, so the functions are total and each undoes
// the other for every byte; a storable name never comes near the wrap.
std::string scrambleText(std::string_view text);
// Each byte minus kScoreShift. A byte below the shift (a line end added by hand, say) wraps
// round to the top of the range, which the code page leaves undefined.
std::string unscrambleText(std::string_view stored);

// The record as the program holds it: the name in UTF-8 and the money in baht.
struct ScoreRecord
{
    std::string name;
    double money = 0;
};

// The money as the file writes it: " 10000", " 500.5", "-4000".
std::string scoreMoneyText(double money);

// The stored bytes of the record, ready to be written as the whole file. Empty when the name
// holds a character Windows-874 cannot store. The name is stored as given: a "$" in it is not
// refused here (the name box refuses it), and it would cut the name when read back.
std::optional<std::string> scoreFileBytes(std::string_view nameUtf8, double money);

// The record from the file's bytes. Never fails: the name is everything before the first stored
// separator (the whole text when there is none), bytes the code page leaves undefined become
// U+FFFD, and the money is what readClassicNumber makes of the rest (0 when it is no number).
ScoreRecord parseScoreFile(std::string_view stored);

// The number at the start of text, read as the classic number reader does: blanks, tabs and
// line feeds are skipped wherever they stand, then an optional minus and digits with at most
// one point; the first character that cannot continue the number ends it. No exponent, no
// hexadecimal, no "inf". 0 when the text does not begin with a number, or when the number is too
// large for a double.
double readClassicNumber(std::string_view text);

// Why a name cannot go into the record, if it cannot.
enum class NameProblem {
    None,
    Separator, // holds "$", which would cut the name when read back
    ControlCharacter, // a tab, a line end or another control character
    NotInCodePage, // a character Windows-874 has no byte for, or text that is not UTF-8
    TooLong, // more than kMaxNameLength characters
};

// What the name box allows: storable names of at most kMaxNameLength characters. Blanks only
// are a name; an empty text is no problem here (the save asks for a name separately).
NameProblem checkName(std::string_view nameUtf8);

} // namespace cards
