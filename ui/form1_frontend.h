// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What an event procedure may do with the window, whichever toolkit draws it. Each front end
// implements this over its own controls and hands itself to the procedures, which see
// nothing else of it: they read and write texts, enabled states and captions, ask for the
// user's decimal separator, and end the program. The seventh call is the runner's
// (ui/procedure_runner.h): it shows the error report.

#include <string>
#include <string_view>

#include "ui/form1_design.h"

namespace quorvel::ui {

class Form1Frontend {
 public:
  // The Text of a text box or of the combo box, in UTF-8.
  virtual std::string Text(ControlId control) const = 0;
  // Replaces the Text of a text box.
  virtual void SetText(ControlId control, std::string_view utf8Text) = 0;
  virtual void SetEnabled(ControlId control, bool enabled) = 0;
  // Replaces the Caption of a label.
  virtual void SetCaption(ControlId control, std::string_view utf8Caption) = 0;
  // The decimal separator of the user's locale, read afresh at each call, in UTF-8.
  virtual std::string DecimalSeparator() const = 0;
  // End: the window closes and no further event procedure runs once the running one
  // returns; the program leaves with status 0.
  virtual void End() = 0;
  // Shows the program's error report for one run-time error, named in Spanish (UTF-8), and
  // returns once the user has dismissed it or, where the toolkit cannot wait, at once.
  virtual void ReportRunTimeError(std::string_view utf8ErrorName) = 0;

 protected:
  ~Form1Frontend() = default;
};

}  // namespace quorvel::ui
