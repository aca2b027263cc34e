// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/result_label.h"

namespace quorvel {

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {}

void ResultLabel::SetCaption(const QString& caption) {
  setText(caption);
  setToolTip(caption);
}

}  // namespace quorvel
