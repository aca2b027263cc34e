// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's single error report: a modal dialog of the program's own, owned by the
// window (which stays disabled while it shows), titled "Quorvel", with the error icon, the
// Spanish name of the run-time error and one button, "Aceptar", whatever the language of
// Windows. Enter, Escape and the close box dismiss it.

#include <windows.h>

#include <string>

namespace quorvel::win32 {

// Shows the report and returns when the user has dismissed it.
void ShowErrorReport(HWND owner, const std::wstring& errorName);

}  // namespace quorvel::win32
