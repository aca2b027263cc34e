// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

namespace quorvel::win32 {

// Start: opens Form1 (running its Form_Load), shows it and delivers events, with the
// dialog keyboard (Tab, Shift+Tab, arrows) in the window, until End or the close box.
// Returns the program's exit status, 0.
int Start(HINSTANCE instance, int showCommand);

}  // namespace quorvel::win32
