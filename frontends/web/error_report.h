// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <emscripten/val.h>

#include <string_view>

namespace quorvel::web {

// Shows the program's error report for one run-time error: a modal dialog over the page
// titled "Quorvel", with the critical icon, the error's Spanish name and a single "Aceptar"
// button, which has the focus. Enter, Escape or "Aceptar" close it; the window underneath
// takes no input meanwhile and is left as it was. Returns at once: the page goes on with
// its events when the dialog closes.
void ShowErrorReport(std::string_view errorName);

// What the dialog's button, a press of the mouse on the dialog and its closing run.
void AcceptErrorReport();
void ErrorReportPressed(const emscripten::val& event);
void ErrorReportClosed();

}  // namespace quorvel::web
