#pragma once

#include "windows/FriendsDialog.h"

#include <QString>
#include <QStringList>

// What the game was asked to do from the command line (`pokdeng --help` lists it):
//   pokdeng                                    the start window
//   pokdeng --host [--port N] [--code CODE] [--name NAME]
//                                              a table with no window (HeadlessHost)
//   pokdeng --join HOST:PORT --code CODE --name NAME
//                                              the game straight at that table
struct CommandLine
{
    enum class Mode { Game, Help, Host, Join, Error };
    Mode mode = Mode::Game;
    // Host: port (0: any free one), code (a new one when none was given) and name (the table's
    // name on the local network). Join: address, port, code and the person's name.
    FriendsChoice choice;
    // Help: the text to print; Error: what was wrong, in Thai, for the standard error.
    QString text;
    // Error only: every unknown option is one of Qt's own (-platform, -style...), which the
    // QApplication takes out of the arguments. The arguments it leaves are to be read again.
    bool leavesQtOptions = false;
};

// Reads the arguments (the first is the program's own name). Never fails: a wrong command line
// is Mode::Error with the reason.
CommandLine parseCommandLine(const QStringList &arguments);
