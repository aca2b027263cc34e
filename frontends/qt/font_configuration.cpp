// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/font_configuration.h"

#include <system_error>

#if defined(__unix__) && !defined(__APPLE__)
#include <dlfcn.h>
#define QUORVEL_FONTCONFIG_PRELOAD 1
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace quorvel::qt {

FontConfigurationPreload::FontConfigurationPreload() {
#ifdef QUORVEL_FONTCONFIG_PRELOAD
  // Where the toolkit takes its fonts from fontconfig, it has loaded the library with itself.
  // It is looked up there rather than linked: the program then names no library of its own
  // for the loader to search before the ones that define what the toolkit uses, and where
  // the toolkit has no fontconfig there is simply nothing to read ahead.
  using FcInitFunction = int (*)();
  const auto fcInit = reinterpret_cast<FcInitFunction>(dlsym(RTLD_DEFAULT, "FcInit"));
  if (!fcInit) return;
#ifdef __GLIBC__
  // One heap for every thread. The reader's passing allocations are then free for the
  // window to reuse, instead of staying in a second heap of their own; the program has no
  // threads that would contend for it.
  mallopt(M_ARENA_MAX, 1);
#endif
  try {
    // fontconfig keeps what FcInit reads as its current configuration, which the toolkit's
    // font database then takes as it is. FcInit is safe to call from any thread.
    reader_ = std::thread([fcInit] { fcInit(); });
  } catch (const std::system_error&) {
    // No thread: the toolkit reads the configuration when it first needs it.
  }
#endif
}

FontConfigurationPreload::~FontConfigurationPreload() { Wait(); }

void FontConfigurationPreload::Wait() {
  if (reader_.joinable()) reader_.join();
}

}  // namespace quorvel::qt
