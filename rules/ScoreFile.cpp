#include "rules/ScoreFile.h"

#include "rules/CodePage874.h"
#include "rules/PlainDecimal.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cards {

namespace {

    bool isBlank(char c)
    {
        // The classic reader skips blanks, tabs and line feeds.
        return c == ' ' || c == '\t' || c == '\n';
    }

    bool isDigit(char c)
    {
        return c >= '0' && c <= '9';
    }

    bool isControlByte(unsigned char byte)
    {
        return byte < 0x20 || byte == 0x7F;
    }

} // namespace

std::string scrambleText(std::string_view text)
{
    std::string stored(text);
    for (char &c : stored)
        c = static_cast<char>(static_cast<unsigned char>(c) + kScoreShift);
    return stored;
}

std::string unscrambleText(std::string_view stored)
{
    std::string text(stored);
    for (char &c : text)
        c = static_cast<char>(static_cast<unsigned char>(c) - kScoreShift);
    return text;
}

std::string scoreMoneyText(double money)
{
    std::string amount = plainDecimal(money);
    // The table's text switches to an exponent from 1e15 on; the file keeps plain digits so
    // that the reader, which knows no exponent, reads the whole amount back.
    if (amount.find_first_of("eE") != std::string::npos) {
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", money);
        amount = buffer;
    }
    return amount.front() == '-' ? amount : " " + amount;
}

std::optional<std::string> scoreFileBytes(std::string_view nameUtf8, double money)
{
    std::optional<std::string> name = toCodePage874(nameUtf8);
    if (!name)
        return std::nullopt;
    // The separator and the money text are ASCII, the same bytes in the code page.
    return scrambleText(*name + kScoreSeparator + scoreMoneyText(money));
}

ScoreRecord parseScoreFile(std::string_view stored)
{
    const char storedSeparator
        = static_cast<char>(static_cast<unsigned char>(kScoreSeparator) + kScoreShift);
    const std::size_t separator = stored.find(storedSeparator);
    ScoreRecord record;
    record.name = fromCodePage874(unscrambleText(stored.substr(0, separator)));
    if (separator != std::string_view::npos) {
        // Digits, blanks, "-" and "." are ASCII, so the money is read from the code page's
        // bytes as they are; anything else ends the number anyway.
        record.money = readClassicNumber(unscrambleText(stored.substr(separator + 1)));
    }
    return record;
}

double readClassicNumber(std::string_view text)
{
    // Gathers the number without its blanks, then converts exactly that: only a minus, digits
    // and one point can reach the conversion.
    std::string number;
    bool seenPoint = false;
    bool seenDigit = false;
    for (const char c : text) {
        if (isBlank(c))
            continue;
        if (c == '-' && number.empty()) {
            number.push_back(c);
        } else if (isDigit(c)) {
            number.push_back(c);
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            number.push_back(c);
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0;

    // from_chars in fixed format wants a digit before the point: "-.5" becomes "-0.5".
    const bool negative = !number.empty() && number.front() == '-';
    std::string digits = number.substr(negative ? 1 : 0);
    if (digits.front() == '.')
        digits.insert(digits.begin(), '0');
    double value = 0;
    const std::from_chars_result result = std::from_chars(
        digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

NameProblem checkName(std::string_view nameUtf8)
{
    const std::optional<std::string> bytes = toCodePage874(nameUtf8);
    if (!bytes)
        return NameProblem::NotInCodePage;
    for (const char c : *bytes) {
        if (c == kScoreSeparator)
            return NameProblem::Separator;
        if (isControlByte(static_cast<unsigned char>(c)))
            return NameProblem::ControlCharacter;
    }
    // One byte per character in this code page, so the bytes count the characters.
    if (bytes->size() > kMaxNameLength)
        return NameProblem::TooLong;
    return NameProblem::None;
}

} // namespace cards
