// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/win32/form1_controls.h"

#include <commctrl.h>
#include <initguid.h>
#include <oleacc.h>

#include <cmath>

#include "frontends/win32/text.h"
#include "ui/emblem.h"

namespace quorvel::win32 {

namespace {

using ui::ControlDesign;
using ui::ControlId;
using ui::ControlKind;

bool NamesAnInput(ControlId id) {
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (design.label == id) return true;
  }
  return false;
}

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

WindowKind KindOf(const ControlDesign& design) {
  switch (design.kind) {
    case ControlKind::Label:
      // Text that does not fit is cut at the box's edge, never wrapped; an ampersand is
      // shown as it is, for no caption has a keyboard shortcut. Where boxes overlap, a label
      // never paints over the siblings created before it (Label10 over Label16).
      return {
          WC_STATICW,
          WS_CLIPSIBLINGS | SS_LEFTNOWORDWRAP | SS_NOPREFIX | (design.showsResult ? SS_NOTIFY : 0u),
          0};
    case ControlKind::TextBox:
      return {WC_EDITW, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case ControlKind::OptionButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
    case ControlKind::PushButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Frame:
      return {WC_BUTTONW, BS_GROUPBOX, 0};
    case ControlKind::Picture:
      // The bitmap is stretched to the box, whatever its own size.
      return {WC_STATICW, SS_BITMAP | SS_REALSIZECONTROL, 0};
    case ControlKind::Line:
      // A plain line in the window frame's colour, exactly as long as designed.
      return {WC_STATICW, SS_BLACKRECT, 0};
  }
  return {WC_STATICW, 0, 0};
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != 0;
}

}  // namespace

std::array<ControlId, ui::kControlCount> CreationOrder() {
  std::array<ControlId, ui::kControlCount> order{};
  size_t next = 0;
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (NamesAnInput(design.id)) continue;
    if (design.label) order[next++] = *design.label;
    order[next++] = design.id;
  }
  return order;
}

int TwipsToPixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), ui::kTwipsPerInch);
}

RECT PixelBox(const ui::TwipsBox& box, UINT dpi) {
  return {TwipsToPixels(box.left, dpi), TwipsToPixels(box.top, dpi),
          TwipsToPixels(box.right(), dpi), TwipsToPixels(box.bottom(), dpi)};
}

std::wstring FaceName(const ui::FontDesign& font, UINT dpi) {
  const std::wstring family = Utf16(font.family);
  if (dpi > USER_DEFAULT_SCREEN_DPI && family == L"MS Sans Serif") return L"Microsoft Sans Serif";
  return family;
}

// The controls are gone by now, with the window; what they used goes after them.
Form1Controls::~Form1Controls() {
  if (accessibility_) accessibility_->Release();
  for (HFONT font : fonts_) {
    if (font) DeleteObject(font);
  }
  if (tooltipFont_) DeleteObject(tooltipFont_);
  if (emblem_) DeleteObject(emblem_);
}

void Form1Controls::ForgetAccessibleNames() {
  if (!accessibility_) return;
  const MSAAPROPID props[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (design.accessibleName || design.accessibleDescription) {
      accessibility_->ClearHwndProps(windows_[ui::Index(design.id)], OBJID_CLIENT, CHILDID_SELF,
                                     props, 2);
    }
  }
}

void Form1Controls::Create(HWND form, UINT dpi) {
  form_ = form;
  const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(form, GWLP_HINSTANCE));
  HWND frame = nullptr;
  bool previousWasOption = false;
  for (ControlId id : CreationOrder()) {
    const ControlDesign& design = ui::Design(id);
    WindowKind kind = KindOf(design);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    // Every focusable control starts a group of its own, except that the option buttons
    // together make one: the arrow keys move between them.
    if (ui::TakesFocus(design.kind)) {
      const bool isOption = design.kind == ControlKind::OptionButton;
      if (!(isOption && previousWasOption)) style |= WS_GROUP;
      previousWasOption = isOption;
    }
    HWND parent = design.inFrame ? frame : form;
    HWND window = CreateWindowExW(
        kind.extendedStyle, kind.className, Utf16(design.text).c_str(), style, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlWindowId(design))), instance, nullptr);
    windows_[ui::Index(id)] = window;
    if (design.kind == ControlKind::Frame) frame = window;
    if (design.kind == ControlKind::ComboBox) {
      for (const char* item : design.items) {
        SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(item).c_str()));
      }
      SetWindowTextW(window, Utf16(design.text).c_str());
      // The narrow box shows its whole unit only without the text part's inner margins.
      COMBOBOXINFO info{};
      info.cbSize = sizeof(info);
      if (GetComboBoxInfo(window, &info) && info.hwndItem) {
        SendMessageW(info.hwndItem, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
      }
    }
    if (design.showsResult) CreateResultTip(window, design.text, instance);
  }
  RenderEmblem();
  Layout(dpi);
  SetAccessibleNames();
}

// The result label's box shows only its first characters by design; a tooltip carries its
// whole text.
void Form1Controls::CreateResultTip(HWND label, const char* text, HINSTANCE instance) {
  tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0, 0,
                             form_, nullptr, instance, nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form_;
  tool.uId = reinterpret_cast<UINT_PTR>(label);
  std::wstring tip = Utf16(text);
  tool.lpszText = tip.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form1Controls::CreateFonts(UINT dpi) {
  for (ui::FontRole role : {ui::FontRole::Window, ui::FontRole::Title, ui::FontRole::Result}) {
    const ui::FontDesign& design = ui::Font(role);
    const int height = -static_cast<int>(std::lround(design.points * dpi / 72.0));
    HFONT font =
        CreateFontW(height, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, design.italic, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, FaceName(design, dpi).c_str());
    HFONT& slot = fonts_[static_cast<size_t>(role)];
    if (slot) DeleteObject(slot);
    slot = font;
  }
}

void Form1Controls::Layout(UINT dpi) {
  // The controls keep the old fonts until they have the new ones.
  const std::array<HFONT, 3> oldFonts = fonts_;
  fonts_ = {};
  CreateFonts(dpi);
  for (const ControlDesign& design : ui::kForm1Controls) {
    HWND window = windows_[ui::Index(design.id)];
    SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_[static_cast<size_t>(design.font)]), FALSE);
    const RECT box = PixelBox(design.box, dpi);
    if (design.kind == ControlKind::ComboBox) {
      FitComboBox(window, box, dpi);
    } else {
      SetWindowPos(window, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  for (HFONT font : oldFonts) {
    if (font) DeleteObject(font);
  }
  SetTooltipFont(dpi);
  ClipOverlappedLabels();
  InvalidateRect(form_, nullptr, TRUE);
}

// A tooltip draws in the system's status font, which it takes once, at the density the
// program started on; it is given that font at the window's own density.
void Form1Controls::SetTooltipFont(UINT dpi) {
  if (!tooltip_) return;
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) {
    return;
  }
  HFONT font = CreateFontIndirectW(&metrics.lfStatusFont);
  if (!font) return;
  SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (tooltipFont_) DeleteObject(tooltipFont_);
  tooltipFont_ = font;
}

// A drop-down combo box is as high as its selection field, which its font decides; the
// field is made as high as the box, and the window, which also holds the list when it
// drops down, high enough for every entry.
void Form1Controls::FitComboBox(HWND combo, const RECT& box, UINT dpi) {
  const int width = box.right - box.left;
  const int wanted = box.bottom - box.top;
  const auto item = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  const int list = static_cast<int>(item * count) + 2 * GetSystemMetricsForDpi(SM_CYBORDER, dpi);
  // The field's height follows from its item height and the control's own edges; the
  // system may round on the way, so this settles in a step or two.
  auto setting = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  for (int step = 0; step < 3; ++step) {
    SetWindowPos(combo, nullptr, box.left, box.top, width, wanted + list,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT now;
    GetWindowRect(combo, &now);
    const int height = now.bottom - now.top;
    if (height == wanted) break;
    setting += wanted - height;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), setting);
  }
}

// A label created before a focusable control lies above it among the siblings; where their
// boxes meet (Label10 and Label16 with Combo1), the label gives way, so the control is
// drawn whole and takes the clicks there.
void Form1Controls::ClipOverlappedLabels() {
  for (const ControlDesign& label : ui::kForm1Controls) {
    if (label.kind != ControlKind::Label || label.inFrame) continue;
    HWND labelWindow = windows_[ui::Index(label.id)];
    RECT labelBox;
    GetWindowRect(labelWindow, &labelBox);
    HRGN visible = nullptr;
    for (const ControlDesign& control : ui::kForm1Controls) {
      if (!ui::TakesFocus(control.kind) || control.inFrame) continue;
      // A closed drop-down combo box is as high as its selection field.
      RECT controlBox;
      GetWindowRect(windows_[ui::Index(control.id)], &controlBox);
      if (!Overlap(labelBox, controlBox)) continue;
      if (!visible) {
        visible =
            CreateRectRgn(0, 0, labelBox.right - labelBox.left, labelBox.bottom - labelBox.top);
      }
      HRGN covered =
          CreateRectRgn(controlBox.left - labelBox.left, controlBox.top - labelBox.top,
                        controlBox.right - labelBox.left, controlBox.bottom - labelBox.top);
      CombineRgn(visible, visible, covered, RGN_DIFF);
      DeleteObject(covered);
    }
    // The window owns the region from here on; nullptr lifts an earlier one.
    SetWindowRgn(labelWindow, visible, TRUE);
  }
}

void Form1Controls::RenderEmblem() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = ui::kEmblemWidth;
  info.bmiHeader.biHeight = -ui::kEmblemHeight;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return;
  // The static control draws a bitmap without its alpha channel, so the emblem's
  // premultiplied pixels are laid over the dialog background here: c + bg x (1 - alpha).
  const COLORREF background = GetSysColor(COLOR_BTNFACE);
  const unsigned back[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
  const auto source = ui::EmblemBgra();
  auto* out = static_cast<std::uint8_t*>(bits);
  for (size_t i = 0; i < source.size(); i += 4) {
    const unsigned alpha = source[i + 3];
    for (size_t c = 0; c < 3; ++c) {
      out[i + c] = static_cast<std::uint8_t>(source[i + c] + (back[c] * (255 - alpha) + 127) / 255);
    }
    out[i + 3] = 255;
  }
  HWND picture = windows_[ui::Index(ControlId::Image1)];
  const RECT before = [&] {
    RECT r;
    GetWindowRect(picture, &r);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }();
  auto previous = reinterpret_cast<HBITMAP>(
      SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (previous && previous != emblem_) DeleteObject(previous);
  if (emblem_) DeleteObject(emblem_);
  emblem_ = bitmap;
  // Keep the box, whatever size the control took for the picture.
  SetWindowPos(picture, nullptr, before.left, before.top, before.right - before.left,
               before.bottom - before.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1Controls::SetResultTip(ControlId control, const wchar_t* text) {
  if (!tooltip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = form_;
  tool.uId = reinterpret_cast<UINT_PTR>(windows_[ui::Index(control)]);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

const ControlDesign* Form1Controls::DesignOf(int windowId) const {
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (ControlWindowId(design) == windowId) return &design;
  }
  return nullptr;
}

// The fuller Spanish names the Linux program gives its inputs, where Windows lets a program
// annotate its controls; without that service the labels still name them.
void Form1Controls::SetAccessibleNames() {
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&accessibility_)))) {
    accessibility_ = nullptr;
    return;
  }
  for (const ControlDesign& design : ui::kForm1Controls) {
    HWND window = windows_[ui::Index(design.id)];
    if (design.accessibleName) {
      const std::wstring name = Utf16(design.accessibleName);
      if (accessibility_->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                         name.c_str()) == E_NOTIMPL) {
        // Wine has the service but does not keep annotations.
        accessibility_->Release();
        accessibility_ = nullptr;
        return;
      }
    }
    if (design.accessibleDescription) {
      accessibility_->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                     Utf16(design.accessibleDescription).c_str());
    }
  }
}

}  // namespace quorvel::win32
