#pragma once

#include "rules/ScoreFile.h"

#include <QString>

// "point.pon", the score file, in the current directory.
QString scoreFilePath();

// Reads the record from the score file. A missing file is created empty. An empty or unreadable
// file reads as an empty name and 0; bytes that make no sense give some name, and a money of 0
// when no number follows the separator. Never fails.
cards::ScoreRecord readScoreFile();

// Whether the score file holds a record: it is a file, and not an empty one.
bool hasScoreRecord();

// What stopped a save, as far as the file system tells.
enum class SaveProblem {
    NameNotStorable, // a character of the name has no place in the file's code page
    NoRoom, // the disk, or the user's share of it, is full
    NoPermission, // the user may not write in the folder
    FolderInTheWay, // a folder stands where the file should be
    ReadOnly, // the file system is mounted read-only
    Other,
};

// Replaces the score file with the record (the name exactly as given, not trimmed) atomically:
// afterwards the file holds either the old record or the new one, whole. A missing file is
// created. On failure returns false, leaves the old file as it was and, when problem is given,
// says there what stopped it.
bool writeScoreFile(const QString &name, double money, SaveProblem *problem = nullptr);
bool writeScoreFileAt(const QString &path, const QString &name, double money,
                      SaveProblem *problem = nullptr);
