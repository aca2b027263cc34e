#include "ui/result_label.h"

namespace quorvel {

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {
  setAccessibleDescription(QStringLiteral("Coeficiente aerodinámico Cx"));
}

void ResultLabel::SetCaption(const QString& caption) {
  setText(caption);
  setToolTip(caption);
}

}  // namespace quorvel
