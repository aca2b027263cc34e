// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/procedure_runner.h"

#include <exception>

#include "runtime/run_time_error.h"

namespace quorvel::ui {

namespace {

// The window as a procedure sees it: the front end itself, except that End is noted on its
// way there, so that the runner knows the program has ended whichever procedure ended it.
class EndNoting final : public Form1Frontend {
 public:
  EndNoting(Form1Frontend& form, bool& ended) : form_(form), ended_(ended) {}

  std::string Text(ControlId control) const override { return form_.Text(control); }
  void SetText(ControlId control, std::string_view utf8Text) override {
    form_.SetText(control, utf8Text);
  }
  void SetEnabled(ControlId control, bool enabled) override { form_.SetEnabled(control, enabled); }
  void SetCaption(ControlId control, std::string_view utf8Caption) override {
    form_.SetCaption(control, utf8Caption);
  }
  std::string DecimalSeparator() const override { return form_.DecimalSeparator(); }
  void End() override {
    ended_ = true;
    form_.End();
  }
  void ReportRunTimeError(std::string_view utf8ErrorName) override {
    form_.ReportRunTimeError(utf8ErrorName);
  }

 private:
  Form1Frontend& form_;
  bool& ended_;
};

}  // namespace

void ProcedureRunner::Run(EventProcedure procedure) noexcept {
  if (ended_) return;
  EndNoting window(form_, ended_);
  try {
    procedure(window);
  } catch (...) {
    form_.ReportRunTimeError(NameOfRunTimeError(std::current_exception()));
  }
}

}  // namespace quorvel::ui
