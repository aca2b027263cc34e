// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frontends/web/dom.h"
#include "ui/form1_frontend.h"
#include "ui/procedure_runner.h"

namespace quorvel::web {

// The program's only window as HTML controls: the element with id Form1, one element per
// row of the control table, each with the control's name as its id, at its designed place.
// The page carries them already as Form_Load leaves them (Form1Markup); constructing this
// takes them over and starts delivering their events to the event procedures, each one
// through the runner, which hands its run-time errors to the report.
class Form1Page final : private ui::Form1Frontend {
 public:
  Form1Page();

  // One event from the window (click, change, keydown), as the page delivers it.
  void HandleEvent(const val& event);

  // Whether End has taken the window off the page: then nothing more runs.
  bool Ended() const { return runner_.Ended(); }

  val& Window() { return window_; }

 private:
  // Form1Frontend, over the page's elements.
  std::string Text(ui::ControlId control) const override;
  void SetText(ui::ControlId control, std::string_view utf8Text) override;
  void SetEnabled(ui::ControlId control, bool enabled) override;
  void SetCaption(ui::ControlId control, std::string_view utf8Caption) override;
  std::string DecimalSeparator() const override;
  void End() override;
  void ReportRunTimeError(std::string_view utf8ErrorName) override;

  void SelectOption(ui::ControlId option);
  void OnOptionKey(const ui::ControlDesign& option, const val& event);
  void OnComboArrowOrList(const std::string& type, bool onArrow, const val& event);
  void ChooseComboEntry(const val& entry);
  void OnComboKey(const val& event);
  void ShowComboList(bool shown);

  val& Element(ui::ControlId control) { return elements_[ui::Index(control)]; }
  const val& Element(ui::ControlId control) const { return elements_[ui::Index(control)]; }

  val window_;
  // The element that holds each control's text or state: the input of a text box, combo box
  // or option button, the element itself for every other control.
  std::vector<val> elements_;
  val comboList_ = val::null();
  ui::ProcedureRunner runner_;
};

}  // namespace quorvel::web
