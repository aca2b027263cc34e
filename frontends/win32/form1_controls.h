// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form1's controls as Win32 standard controls, built from the shared control table: each
// row becomes a Static, Edit, ComboBox or Button window, with the ID 1000 + its tab index
// (Image1 and Line1, which have none, 1100 and 1101), placed at twips x DPI / 1440 and
// given its font with WM_SETFONT.

#include <windows.h>

#include <array>
#include <string>

#include "ui/form1_design.h"

struct IAccPropServices;

namespace quorvel::win32 {

inline constexpr int kFirstControlId = 1000;
inline constexpr int kPictureControlId = 1100;
inline constexpr int kLineControlId = 1101;

// The window ID a control carries, so that tests and assistive tools can find it.
constexpr int ControlWindowId(const ui::ControlDesign& design) {
  if (design.kind == ui::ControlKind::Picture) return kPictureControlId;
  if (design.kind == ui::ControlKind::Line) return kLineControlId;
  return kFirstControlId + design.tabIndex;
}

// The order the controls are created in, which is also their order among their siblings:
// the table's, except that a label naming an input is created just before that input.
// Windows names an input after the label that precedes it, and labels never take the
// focus, so the focusable controls keep the table's tab order.
std::array<ui::ControlId, ui::kControlCount> CreationOrder();

// Twips to pixels at `dpi` dots per inch, rounded to the nearest pixel.
int TwipsToPixels(int twips, UINT dpi);

// A box's edges in pixels at `dpi`; boxes that meet in twips meet in pixels.
RECT PixelBox(const ui::TwipsBox& box, UINT dpi);

// The face a font of the window is asked for in at `dpi`. "MS Sans Serif" is a bitmap face
// drawn for 96 dpi: at a higher density it comes out narrower than its boxes have grown, so
// there the window asks for "Microsoft Sans Serif", the TrueType face drawn to match it.
std::wstring FaceName(const ui::FontDesign& font, UINT dpi);

class Form1Controls {
 public:
  Form1Controls() = default;
  Form1Controls(const Form1Controls&) = delete;
  Form1Controls& operator=(const Form1Controls&) = delete;
  ~Form1Controls();

  // Creates every control of the table as a child of `form` (the controls in Frame1 as
  // children of the frame), then gives them their places and fonts for `dpi`.
  void Create(HWND form, UINT dpi);

  // Places every control and sets its font, and the result tooltip's, for `dpi`, as when
  // the window moves to a screen of another pixel density.
  void Layout(UINT dpi);

  // Draws the emblem afresh onto the current dialog background colour.
  void RenderEmblem();

  // Updates the result label's tooltip, which carries its whole text.
  void SetResultTip(ui::ControlId control, const wchar_t* text);

  // Takes back the annotations, as the window is destroyed.
  void ForgetAccessibleNames();

  HWND operator[](ui::ControlId id) const { return windows_[ui::Index(id)]; }

  // The control a child window ID names, or nullptr.
  const ui::ControlDesign* DesignOf(int windowId) const;

 private:
  void CreateResultTip(HWND label, const char* text, HINSTANCE instance);
  void CreateFonts(UINT dpi);
  void SetTooltipFont(UINT dpi);
  void FitComboBox(HWND combo, const RECT& box, UINT dpi);
  void ClipOverlappedLabels();
  void SetAccessibleNames();

  HWND form_ = nullptr;
  std::array<HWND, ui::kControlCount> windows_{};
  std::array<HFONT, 3> fonts_{};  // by ui::FontRole
  HBITMAP emblem_ = nullptr;
  HWND tooltip_ = nullptr;
  HFONT tooltipFont_ = nullptr;
  IAccPropServices* accessibility_ = nullptr;
};

}  // namespace quorvel::win32
