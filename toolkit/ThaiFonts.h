#pragma once

// The designs name "MS Sans Serif" with the Thai character set. Where that font is missing
// (everywhere but old Windows) it is mapped to a Thai UI font: Tahoma on Windows, the TLWG
// faces (Loma first) on Linux. Call once after the QApplication exists, before any window.
void installThaiFontSubstitutions();

// The designs' font: "MS Sans Serif" at pointSize, bold when asked.
class QFont;
QFont designFont(double pointSize, bool bold = false);
