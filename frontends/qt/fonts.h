// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "ui/form1_design.h"

namespace quorvel::qt {

// Resolves the designed families, "MS Sans Serif" and "Times New Roman", before any text is
// measured: one that is installed is drawn as it is; where one is missing, its metric
// look-alike (Liberation Sans, Liberation Serif) is drawn rather than whatever face the
// system picks (often a much wider one), and found at once, without a search for the
// missing family first. Fonts keep the designed names as their families. Call on the GUI
// thread once the application exists; safe to call more than once.
void RegisterFontSubstitutes();

// A designed font as the toolkit's.
QFont FontFor(const ui::FontDesign& design);

// The window's default font: "MS Sans Serif" 8 pt.
QFont WindowFont();

}  // namespace quorvel::qt
