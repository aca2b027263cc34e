// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "ui/form1_design.h"

namespace quorvel {

// Where "MS Sans Serif" and "Times New Roman" are missing, draw their metric look-alikes
// rather than whatever face the system picks (often a much wider one). The requested
// names stay as they are. Safe to call more than once.
void RegisterFontSubstitutes();

// A designed font as the toolkit's.
QFont FontFor(const ui::FontDesign& design);

// The window's default font: "MS Sans Serif" 8 pt.
QFont WindowFont();

}  // namespace quorvel
