// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Start: the program's life around its single window.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace quorvel::qt {

// What the entry hands to the runtime: the program's identity and the start-up form.
struct ProjectDescription {
  QString applicationName;
  QString applicationVersion;
  // The application id its desktop entry is installed under, so that the desktop shows
  // the window with that entry's name and icon.
  QString desktopFileName;
  // Builds the start-up form; building it runs its Form_Load.
  std::function<std::unique_ptr<QWidget>()> createStartupForm;
};

// Creates the application, builds the start-up form, shows it and delivers events until
// the window is closed or End is called. Returns the exit status of the event loop.
// Command-line arguments are passed to Qt only; the program has none of its own.
int Start(int& argc, char** argv, const ProjectDescription& project);

// What the application needs before Form1 is built: the window's default font as the whole
// program's (the error report and the tooltips use it too, and the toolkit's own default face
// is never loaded, which shortens start-up), the designed families' stand-ins, and Form1 shown
// to assistive technology as a window. Start calls it; so does anything else that shows Form1
// in an application of its own (the snapshot, the window's tests). Call once the application
// exists.
void PrepareApplication();

}  // namespace quorvel::qt
