#pragma once

#include <QLabel>

namespace quorvel {

// The label that shows Cx. Its box shows only the first characters of the result by
// design; the tooltip carries the whole text, and the label tells assistive technology
// what it holds through its description (a name would hide the text itself).
class ResultLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ResultLabel(QWidget* parent = nullptr);

  // Sets the caption and keeps the tooltip in step with it.
  void SetCaption(const QString& caption);
};

}  // namespace quorvel
