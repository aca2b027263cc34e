// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace quorvel {

// The label that shows Cx. Its box shows only the first characters of the result by
// design; the tooltip carries the whole text. What it holds reaches assistive technology
// through its description, which the control table gives (a name would hide the text).
class ResultLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ResultLabel(QWidget* parent = nullptr);

  // Sets the caption and keeps the tooltip in step with it.
  void SetCaption(const QString& caption);
};

}  // namespace quorvel
