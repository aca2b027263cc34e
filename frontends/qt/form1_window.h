// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "frontends/qt/form1_controls.h"
#include "ui/form1_frontend.h"
#include "ui/procedure_runner.h"

namespace quorvel::qt {

// The program's only window, drawn with Qt Widgets. Constructing it builds every control
// from the control table and runs Form_Load, so a constructed Form1 is the window as it
// opens (in an application prepared by PrepareApplication). All state lives in the controls;
// the event procedures reach them through the front-end interface this class implements, and
// every one of them runs through the runner, which hands its run-time errors to the report.
class Form1 : public QWidget, private ui::Form1Frontend {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

 private:
  // Form1Frontend, over the widgets.
  std::string Text(ui::ControlId control) const override;
  void SetText(ui::ControlId control, std::string_view utf8Text) override;
  void SetEnabled(ui::ControlId control, bool enabled) override;
  void SetCaption(ui::ControlId control, std::string_view utf8Caption) override;
  std::string DecimalSeparator() const override;
  void End() override;
  void ReportRunTimeError(std::string_view utf8ErrorName) override;

  void WireEvents();

  Form1Widgets controls_;
  ui::ProcedureRunner runner_;
};

}  // namespace quorvel::qt
