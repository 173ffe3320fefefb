#pragma once

struct FriendsChoice;

// The whole program once the QApplication exists: the Thai fonts, the icon, the start window.
// Returns the exit code when the start window has closed (or the program was ended).
int runProgram();

// `pokdeng --join`: the same program, opened straight at the table of choice, as the join window
// would open it. Closing the table ends the program: it was started for that table, and closing
// a program's only window ends it. A game chosen from the table's เลือกเกม opens over the start
// window, which then stays as after any game. SIGTERM and SIGINT end the program as its menu's
// ออกจากเกม does (the table is left as a closed window leaves it).
int runProgramAtTable(const FriendsChoice &choice);
