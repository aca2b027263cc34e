// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's single error report. Every event procedure runs through
// RunEventProcedure: a run-time error that leaves the procedure ends it there, is named
// in a modal message box, and the program goes on with its window as it was.

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace quorvel {

// The Spanish name of the run-time error held by `error`, as the report shows it.
QString RunTimeErrorName(const std::exception_ptr& error);

// Shows the report for one run-time error: an application-modal critical message box
// titled "Quorvel" with a single "Aceptar" button, announced to assistive technology
// as an alert. Returns when the user closes it.
void ShowErrorReport(QWidget* window, const QString& errorName);

// Runs one event procedure. Any exception it throws is caught here and reported;
// nothing ever crosses Qt's event loop.
void RunEventProcedure(QWidget* window, const std::function<void()>& procedure) noexcept;

}  // namespace quorvel
