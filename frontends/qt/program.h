// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Start and End: the program's life around its single window.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace quorvel {

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

// Closes every window and leaves the event loop with status 0 once the running event
// procedure returns; no further event procedure runs. Never calls std::exit.
void End();

}  // namespace quorvel
