// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/form1_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include "art/pictures.h"
#include "frontends/qt/error_report.h"
#include "frontends/qt/fonts.h"

namespace quorvel::qt {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent), runner_(*this) {
  setObjectName(QString::fromLatin1(ui::kForm1.name));
  setFont(WindowFont());
  setWindowTitle(QString::fromUtf8(ui::kForm1.caption));
  setWindowIcon(art::CarIcon());
  setFixedSize(ui::kForm1.clientWidth / ui::kTwipsPerPixel,
               ui::kForm1.clientHeight / ui::kTwipsPerPixel);
  controls_ = BuildForm1Controls(*this);
  controls_[ui::kForm1.firstFocus]->setFocus();
  WireEvents();
  runner_.Run(ui::kForm1.load);
}

// The only place where control events meet event procedures: each control the table gives
// a click procedure runs it when clicked, an option button when it becomes selected.
void Form1::WireEvents() {
  for (const ui::ControlDesign& design : ui::kForm1Controls) {
    if (!design.click) continue;
    const ui::EventProcedure procedure = design.click;
    if (auto* option = qobject_cast<QRadioButton*>(controls_[design.id])) {
      connect(option, &QRadioButton::toggled, this, [this, procedure](bool selected) {
        if (selected) runner_.Run(procedure);
      });
    } else if (auto* button = qobject_cast<QPushButton*>(controls_[design.id])) {
      connect(button, &QPushButton::clicked, this, [this, procedure] { runner_.Run(procedure); });
    }
  }
}

std::string Form1::Text(ui::ControlId control) const {
  if (auto* combo = qobject_cast<QComboBox*>(controls_[control])) {
    return combo->currentText().toStdString();
  }
  return controls_.As<QLineEdit>(control)->text().toStdString();
}

void Form1::SetText(ui::ControlId control, std::string_view utf8Text) {
  controls_.As<QLineEdit>(control)->setText(FromUtf8(utf8Text));
}

void Form1::SetEnabled(ui::ControlId control, bool enabled) {
  controls_[control]->setEnabled(enabled);
}

void Form1::SetCaption(ui::ControlId control, std::string_view utf8Caption) {
  auto* label = controls_.As<QLabel>(control);
  const QString caption = FromUtf8(utf8Caption);
  label->setText(caption);
  // The result label's box shows only the first characters; its tooltip, the whole text.
  if (ui::Design(control).showsResult) label->setToolTip(caption);
}

std::string Form1::DecimalSeparator() const {
  return QLocale::system().decimalPoint().toStdString();
}

// End: every window closes and the event loop ends with status 0 once the running procedure
// returns; the runner lets no further procedure run. Never calls std::exit.
void Form1::End() {
  QApplication::closeAllWindows();
  QCoreApplication::exit(0);
}

void Form1::ReportRunTimeError(std::string_view utf8ErrorName) {
  ShowErrorReport(this, FromUtf8(utf8ErrorName));
}

}  // namespace quorvel::qt
