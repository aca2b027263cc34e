// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "frontends/qt/form1_controls.h"
#include "ui/form1_frontend.h"

namespace quorvel {

// The program's only window, drawn with Qt Widgets. Constructing it builds every control
// from the control table and runs Form_Load, so a constructed Form1 is the window as it
// opens. All state lives in the controls; the event procedures reach them through the
// front-end interface this class implements.
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

  // Runs an event procedure through the runtime's error report.
  void Run(ui::EventProcedure procedure);
  void WireEvents();

  Form1Widgets c_;
};

}  // namespace quorvel
