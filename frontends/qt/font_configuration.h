// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The system's font configuration, read ahead of time.
//
// Reading it (every configuration file, then the font caches) is the longest single step
// of opening the window, and it needs nothing from the toolkit. Start has it read on a
// thread of its own while the toolkit connects to the display, and waits for it before the
// window is built, the first moment text is measured. Where the toolkit does not take its
// fonts from fontconfig, there is nothing to read ahead and this does nothing.

#include <thread>

namespace quorvel::qt {

class FontConfigurationPreload {
 public:
  // Begins reading the configuration. If no thread can be started, the toolkit reads it
  // itself later, as it would without this.
  FontConfigurationPreload();
  // Waits for the reading to end.
  ~FontConfigurationPreload();

  FontConfigurationPreload(const FontConfigurationPreload&) = delete;
  FontConfigurationPreload& operator=(const FontConfigurationPreload&) = delete;

  // Returns once the configuration has been read; at once if it already has been.
  void Wait();

 private:
  std::thread reader_;
};

}  // namespace quorvel::qt
