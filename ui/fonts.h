#pragma once

#include <QFont>

namespace quorvel {

// Where "MS Sans Serif" and "Times New Roman" are missing, draw their metric look-alikes
// rather than whatever face the system picks (often a much wider one). The requested
// names stay as they are. Safe to call more than once.
void RegisterFontSubstitutes();

// The window's default font: "MS Sans Serif" 8 pt.
QFont WindowFont();

// The title lines ("Quorvel versión 1.0", "BRENZO"): "MS Sans Serif" 13.5 pt.
QFont TitleFont();

// The result line ("Cx=" and the value): "Times New Roman" 21.75 pt, bold italic.
QFont ResultFont();

}  // namespace quorvel
