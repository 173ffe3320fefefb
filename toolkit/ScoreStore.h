#pragma once

#include "rules/ScoreFile.h"

#include <QString>

// "point.pon", the score file, in the current directory.
QString scoreFilePath();

// Reads the record from the score file. A missing file is created empty. An empty or unreadable
// file reads as an empty name and 0; bytes that make no sense give some name, and a money of 0
// when no number follows the separator. Never fails.
pokdeng::ScoreRecord readScoreFile();

// Replaces the score file with the record (the name exactly as given, not trimmed) atomically:
// afterwards the file holds either the old record or the new one, whole. A missing file is
// created. On failure returns false, leaves the old file as it was and, when errorString is
// given, puts the reason there.
bool writeScoreFile(const QString &name, double money, QString *errorString = nullptr);
bool writeScoreFileAt(const QString &path, const QString &name, double money,
                      QString *errorString = nullptr);
