// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/win32/error_report.h"

#include <algorithm>
#include <vector>

namespace quorvel::win32 {

namespace {

constexpr int kIconId = 100;
constexpr int kMessageId = 101;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

// A dialog template in memory: the header, then each item on a four-byte boundary.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, const wchar_t* title, WORD items) {
    Add(LOWORD(style), HIWORD(style), 0, 0, items, 0, 0, 0, 0);
    Add(0, 0);  // no menu, the standard dialog class
    AddText(title);
    Add(8);  // points
    AddText(L"MS Shell Dlg");
  }

  void AddItem(DWORD style, WORD windowClass, int id, const wchar_t* text) {
    if (words_.size() % 2) words_.push_back(0);
    style |= WS_CHILD | WS_VISIBLE;
    // Placed for real when the dialog knows its font.
    Add(LOWORD(style), HIWORD(style), 0, 0, 0, 0, 1, 1, static_cast<WORD>(id));
    Add(0xFFFF, windowClass);
    AddText(text);
    Add(0);  // no creation data
  }

  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  template <typename... Words>
  void Add(Words... words) {
    (words_.push_back(static_cast<WORD>(words)), ...);
  }
  void AddText(const wchar_t* text) {
    for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

// Icon and message side by side, the button centred below them, all with the margins of a
// standard message box; the dialog centred over its owner.
void LayOut(HWND dialog) {
  RECT units{7, 7, 50, 14};  // margin, gap, button width and height, in dialog units
  MapDialogRect(dialog, &units);
  const int margin = static_cast<int>(units.left);
  const int gap = static_cast<int>(units.top);
  const int buttonWidth = static_cast<int>(units.right);
  const int buttonHeight = static_cast<int>(units.bottom);

  HWND icon = GetDlgItem(dialog, kIconId);
  HWND message = GetDlgItem(dialog, kMessageId);
  HWND button = GetDlgItem(dialog, IDOK);
  const int iconSize = GetSystemMetrics(SM_CXICON);

  wchar_t text[256];
  GetWindowTextW(message, text, 256);
  RECT textBox{0, 0, 0, 0};
  HDC dc = GetDC(message);
  HGDIOBJ font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  DrawTextW(dc, text, -1, &textBox, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, font);
  ReleaseDC(message, dc);
  const int textWidth = static_cast<int>(textBox.right);
  const int textHeight = static_cast<int>(textBox.bottom);

  const int bodyHeight = std::max(iconSize, textHeight);
  const int width =
      std::max(margin + iconSize + gap + textWidth + 2 * margin, buttonWidth + 2 * margin);
  const int height = margin + bodyHeight + margin + buttonHeight + margin;
  SetWindowPos(icon, nullptr, margin, margin + (bodyHeight - iconSize) / 2, iconSize, iconSize,
               SWP_NOZORDER);
  SetWindowPos(message, nullptr, margin + iconSize + gap, margin + (bodyHeight - textHeight) / 2,
               textWidth + margin, textHeight, SWP_NOZORDER);
  SetWindowPos(button, nullptr, (width - buttonWidth) / 2, margin + bodyHeight + margin,
               buttonWidth, buttonHeight, SWP_NOZORDER);

  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  RECT owner;
  GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
  const int frameWidth = frame.right - frame.left;
  const int frameHeight = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, (owner.left + owner.right - frameWidth) / 2,
               (owner.top + owner.bottom - frameHeight) / 2, frameWidth, frameHeight, SWP_NOZORDER);
}

INT_PTR CALLBACK ReportProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetDlgItemTextW(dialog, kMessageId, reinterpret_cast<const wchar_t*>(lParam));
      SendDlgItemMessageW(dialog, kIconId, STM_SETICON,
                          reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_ERROR)), 0);
      LayOut(dialog);
      MessageBeep(MB_ICONERROR);
      NotifyWinEvent(EVENT_SYSTEM_ALERT, dialog, OBJID_CLIENT, CHILDID_SELF);
      return TRUE;  // the focus goes to "Aceptar"
    case WM_COMMAND:
      // "Aceptar" or Enter (IDOK), Escape or the close box (IDCANCEL).
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

void ShowErrorReport(HWND owner, const std::wstring& errorName) {
  DialogTemplate report(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, L"Quorvel",
                        3);
  report.AddItem(SS_ICON, kStaticClass, kIconId, L"");
  report.AddItem(SS_LEFT | SS_NOPREFIX, kStaticClass, kMessageId, L"");
  report.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, kButtonClass, IDOK, L"Aceptar");
  DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                          report.get(), owner, ReportProcedure,
                          reinterpret_cast<LPARAM>(errorName.c_str()));
}

}  // namespace quorvel::win32
