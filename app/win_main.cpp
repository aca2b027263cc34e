// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel.exe's entry: hands over to the Win32 front end, which opens Form1.
#include <windows.h>

#include "frontends/win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return quorvel::win32::Start(instance, showCommand);
}
