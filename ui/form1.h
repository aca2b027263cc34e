#pragma once

#include <QWidget>

#include "ui/form1_controls.h"

namespace quorvel {

// The program's only window. Constructing it builds every control and runs Form_Load, so
// a constructed Form1 is the window as it opens. All state lives in the controls.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  // The event procedures. Like any run-time error, an ArithmeticFault leaves them
  // unhandled; the events reach them through the runtime's error report, which catches it.
  void Form_Load();
  void Option1_Click();
  void Option2_Click();
  void Command1_Click();
  void Command2_Click();

 private:
  void WireEvents();

  Form1Controls c_;
};

}  // namespace quorvel
