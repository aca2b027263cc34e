// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Form1's controls as Qt widgets, built from the window's control table.

#include <QWidget>

#include <array>

#include "ui/form1_design.h"

namespace quorvel::qt {

// Every control of Form1, by its ControlId. The window owns them all (Qt parent-child).
class Form1Widgets {
 public:
  QWidget* operator[](ui::ControlId id) const { return widgets_[ui::Index(id)]; }

  template <typename T>
  T* As(ui::ControlId id) const {
    return static_cast<T*>(widgets_[ui::Index(id)]);
  }

 private:
  friend Form1Widgets BuildForm1Controls(QWidget& form);
  std::array<QWidget*, ui::kControlCount> widgets_{};
};

// Creates every control of Form1 inside `form`: kind, name, caption or initial text,
// place, font, accessible name and tab order; the combo box is drawn above the labels
// its box touches. Runs no event procedure.
Form1Widgets BuildForm1Controls(QWidget& form);

}  // namespace quorvel::qt
