// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include "frontends/qt/error_report.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/pictures.h"
#include "frontends/qt/program.h"
#include "frontends/qt/window_accessibility.h"

namespace quorvel {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(ui::kForm1.name));
  PresentForm1AsWindow();
  RegisterFontSubstitutes();
  // The window's default font is the whole program's: the error report and the tooltips
  // use it too, and the toolkit's own default face is never loaded, which shortens start-up.
  QApplication::setFont(WindowFont());
  setFont(WindowFont());
  setWindowTitle(QString::fromUtf8(ui::kForm1.caption));
  setWindowIcon(CarIcon());
  setFixedSize(ui::kForm1.clientWidth / ui::kTwipsPerPixel,
               ui::kForm1.clientHeight / ui::kTwipsPerPixel);
  c_ = BuildForm1Controls(*this);
  c_[ui::kForm1.firstFocus]->setFocus();
  WireEvents();
  Run(ui::kForm1.load);
}

void Form1::Run(ui::EventProcedure procedure) {
  RunEventProcedure(this, [this, procedure] { procedure(*this); });
}

// The only place where control events meet event procedures: each control the table gives
// a click procedure runs it when clicked, an option button when it becomes selected.
void Form1::WireEvents() {
  for (const ui::ControlDesign& design : ui::kForm1Controls) {
    if (!design.click) continue;
    const ui::EventProcedure procedure = design.click;
    if (auto* option = qobject_cast<QRadioButton*>(c_[design.id])) {
      connect(option, &QRadioButton::toggled, this, [this, procedure](bool selected) {
        if (selected) Run(procedure);
      });
    } else if (auto* button = qobject_cast<QPushButton*>(c_[design.id])) {
      connect(button, &QPushButton::clicked, this, [this, procedure] { Run(procedure); });
    }
  }
}

std::string Form1::Text(ui::ControlId control) const {
  if (auto* combo = qobject_cast<QComboBox*>(c_[control])) {
    return combo->currentText().toStdString();
  }
  return c_.As<QLineEdit>(control)->text().toStdString();
}

void Form1::SetText(ui::ControlId control, std::string_view utf8Text) {
  c_.As<QLineEdit>(control)->setText(FromUtf8(utf8Text));
}

void Form1::SetEnabled(ui::ControlId control, bool enabled) { c_[control]->setEnabled(enabled); }

void Form1::SetCaption(ui::ControlId control, std::string_view utf8Caption) {
  auto* label = c_.As<QLabel>(control);
  const QString caption = FromUtf8(utf8Caption);
  label->setText(caption);
  // The result label's box shows only the first characters; its tooltip, the whole text.
  if (ui::Design(control).showsResult) label->setToolTip(caption);
}

std::string Form1::DecimalSeparator() const {
  return QLocale::system().decimalPoint().toStdString();
}

void Form1::End() { quorvel::End(); }

}  // namespace quorvel
