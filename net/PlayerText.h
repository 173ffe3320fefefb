#pragma once

#include <QString>

#include <optional>
#include <string>

// What a person may put in front of the others at a shared table, and how it is written where
// only the host's runner reads it. Names and chat lines reach every game at the table and the
// host's log: none of them may hold what changes how the text around it is shown (control
// characters, line breaks, bidirectional overrides and other format characters).
namespace net {

// Whether text is one plain line: no control character (C0, C1, DEL), no line or paragraph
// separator, no format character (bidirectional marks and overrides, invisible separators), and
// no lone half of a surrogate pair. The zero-width joiner is kept: emoji are joined with it and
// it moves nothing.
bool isPlainText(const QString &text);

// Why a name may not sit at a shared table, in Thai; nothing when it may. A name follows the
// score record's rules (cards::checkName: no "$", no control character, only what the Thai code
// page holds, at most 30 characters; bidirectional and other format characters are outside that
// page) and is more than blanks.
std::optional<std::string> nameRefusal(const std::string &name);

// A name as it is compared with the others at the table: compatibility-normalised (so "ำ" and
// "ํา" are one), case-folded, and with its blanks trimmed and run together. Two people whose
// names give the same key would pass for each other.
QString nameKey(const QString &name);

// Text a person sent, as it may be written to the host's log: every character that isPlainText
// refuses, and the backslash, written as \u{hex}, so nothing a person sends moves the terminal's
// cursor, colours it, or reorders the line around it.
QString loggable(const QString &text);
QString loggable(const std::string &utf8);

} // namespace net
