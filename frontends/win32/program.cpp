// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/win32/program.h"

#include <commctrl.h>
#include <objbase.h>

#include "frontends/win32/form1_window.h"

namespace quorvel::win32 {

int Start(HINSTANCE instance, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // For the accessibility annotations.
  const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  int status = 0;
  {
    Form1Window form(instance);
    form.Show(showCommand);
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
      if (IsWindow(form.handle()) && IsDialogMessageW(form.handle(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    status = got == 0 ? static_cast<int>(message.wParam) : 1;
  }
  if (com) CoUninitialize();
  return status;
}

}  // namespace quorvel::win32
