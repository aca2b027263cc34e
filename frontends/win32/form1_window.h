// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include "frontends/win32/form1_controls.h"
#include "ui/form1_frontend.h"
#include "ui/procedure_runner.h"

namespace quorvel::win32 {

// The program's only window as a Win32 top-level window. Constructing it creates the window
// and every control from the control table and runs Form_Load, so a constructed Form1Window
// is the window as it opens, not yet shown. All state lives in the controls; the event
// procedures reach them through the front-end interface this class implements, and every
// one of them runs through the runner, which hands its run-time errors to the report.
class Form1Window final : private ui::Form1Frontend {
 public:
  explicit Form1Window(HINSTANCE instance);
  Form1Window(const Form1Window&) = delete;
  Form1Window& operator=(const Form1Window&) = delete;
  ~Form1Window();

  // Shows the window with the focus in the designed first field.
  void Show(int showCommand);

  HWND handle() const { return window_; }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Form1Frontend, over the controls.
  std::string Text(ui::ControlId control) const override;
  void SetText(ui::ControlId control, std::string_view utf8Text) override;
  void SetEnabled(ui::ControlId control, bool enabled) override;
  void SetCaption(ui::ControlId control, std::string_view utf8Caption) override;
  std::string DecimalSeparator() const override;
  void End() override;
  void ReportRunTimeError(std::string_view utf8ErrorName) override;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int controlId, int notification);
  void FitClientArea(UINT dpi, const RECT* suggested);
  // Gives the window the car at the icon sizes of `dpi`.
  void SetIcons(UINT dpi);

  HWND window_ = nullptr;
  HINSTANCE instance_ = nullptr;
  HICON icons_[2] = {};  // ICON_SMALL, ICON_BIG
  Form1Controls controls_;
  HWND focus_ = nullptr;  // the control that had the focus when the window was deactivated
  const ui::ControlDesign* selectedOption_ = nullptr;
  ui::ProcedureRunner runner_;
};

}  // namespace quorvel::win32
