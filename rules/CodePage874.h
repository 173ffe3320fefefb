#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cards {

// The Thai code page Windows-874, in which the score file holds its text. The conversion is
// glibc's iconv ("CP874"), so the table of characters is the library's, not ours.

// The UTF-8 text as Windows-874 bytes, one byte per character. Empty when the text is not
// valid UTF-8 or holds a character the code page has no byte for (an emoji, a Chinese letter,
// a Unicode tag character): the bytes, read back, always give the same text.
std::optional<std::string> toCodePage874(std::string_view utf8);

// Windows-874 bytes as UTF-8 text. Never fails: a byte the code page leaves undefined
// (0x81, 0xDB to 0xDE, 0xFC to 0xFF, ...) becomes U+FFFD, the replacement character.
std::string fromCodePage874(std::string_view bytes);

} // namespace cards
