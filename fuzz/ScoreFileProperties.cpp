#include "fuzz/ScoreFileProperties.h"

#include "rules/CodePage874.h"
#include "rules/ScoreFile.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace cards::fuzz {

namespace {

    // Shows a text in a failure message byte by byte, so that what is not printable shows too.
    std::string hex(std::string_view bytes)
    {
        static constexpr char digits[] = "0123456789abcdef";
        std::string out;
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            out += "\\x";
            out += digits[byte >> 4];
            out += digits[byte & 0xF];
        }
        return out;
    }

    std::string money(double value)
    {
        return std::to_string(value);
    }

} // namespace

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        char32_t lowest = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
            lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
            lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
            lowest = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string checkReadsAnyBytes(std::string_view bytes)
{
    const ScoreRecord record = parseScoreFile(bytes);
    if (!isValidUtf8(record.name))
        return "the name read is not valid UTF-8: " + hex(record.name);
    if (!std::isfinite(record.money))
        return "the money read is not finite";

    const std::string decoded = fromCodePage874(bytes);
    if (!isValidUtf8(decoded))
        return "the code page gave text that is not valid UTF-8: " + hex(decoded);
    if (!std::isfinite(readClassicNumber(bytes)))
        return "the classic number reader gave a number that is not finite";
    const std::string unscrambled = unscrambleText(bytes);
    if (unscrambled.size() != bytes.size() || scrambleText(unscrambled) != bytes)
        return "scrambling does not undo unscrambling";
    return {};
}

RoundTripCase roundTripCase(std::string_view input)
{
    const std::size_t moneyBytes = input.size() < 8 ? input.size() : 8;
    std::uint64_t raw = 0;
    for (std::size_t k = 0; k < moneyBytes; ++k)
        raw |= std::uint64_t { static_cast<unsigned char>(input[k]) } << (8 * k);
    // Every half from -limit to +limit, each about equally often.
    constexpr auto halvesToLimit = static_cast<std::int64_t>(2 * kExactMoneyLimit);
    const std::int64_t halves
        = static_cast<std::int64_t>(raw % static_cast<std::uint64_t>(2 * halvesToLimit + 1))
        - halvesToLimit;
    return { input.substr(moneyBytes), static_cast<double>(halves) / 2 };
}

std::string checkNameRoundTrip(std::string_view input)
{
    const RoundTripCase c = roundTripCase(input);
    if (c.name.empty() || checkName(c.name) != NameProblem::None)
        return {};
    const std::optional<std::string> bytes = scoreFileBytes(c.name, c.money);
    if (!bytes)
        return "an accepted name cannot be stored: " + hex(c.name);
    const std::optional<std::string> codePage = toCodePage874(c.name);
    if (!codePage || bytes->size() != codePage->size() + 1 + scoreMoneyText(c.money).size())
        return "the stored record is not name, separator and money text: " + hex(*bytes);
    const ScoreRecord back = parseScoreFile(*bytes);
    if (back.name != c.name)
        return "the name " + hex(c.name) + " came back as " + hex(back.name);
    if (back.money != c.money)
        return "the money " + money(c.money) + " came back as " + money(back.money);
    return {};
}

} // namespace cards::fuzz
