// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's single error report, as the Qt front end shows it: Form1 hands it the name
// of each run-time error that leaves an event procedure (ui/procedure_runner.h).

#include <QString>

class QWidget;

namespace quorvel::qt {

// Shows the report for one run-time error: an application-modal critical message box
// titled "Quorvel" with a single "Aceptar" button, announced to assistive technology
// as an alert. Returns when the user closes it.
void ShowErrorReport(QWidget* window, const QString& errorName);

}  // namespace quorvel::qt
