#pragma once

// The whole program once the QApplication exists: the Thai fonts, the icon, the start window.
// Returns the exit code when the start window has closed (or the program was ended).
int runProgram();
