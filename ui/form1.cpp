#include "ui/form1.h"

#include <QApplication>
#include <QLocale>

#include <string>

#include "calc/drag_coefficient.h"
#include "runtime/conversions.h"
#include "runtime/error_report.h"
#include "runtime/program.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

namespace quorvel {

namespace {

double FieldNumber(const QLineEdit& field) { return TextToNumber(field.text().toStdString()); }

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form1"));
  RegisterFontSubstitutes();
  // The window's default font is the whole program's: the error report and the tooltips
  // use it too, and the toolkit's own default face is never loaded, which shortens start-up.
  QApplication::setFont(WindowFont());
  setFont(WindowFont());
  setWindowTitle(QStringLiteral(" Quorvel V1.0 - Cx"));
  setWindowIcon(CarIcon());
  setFixedSize(495, 440);
  c_ = BuildForm1Controls(*this);
  c_.Text1->setFocus();
  WireEvents();
  RunEventProcedure(this, [this] { Form_Load(); });
}

// The only place where control events meet event procedures. Each runs through the
// runtime's error report.
void Form1::WireEvents() {
  const auto throughReport = [this](void (Form1::*procedure)()) {
    return
        [this, procedure] { RunEventProcedure(this, [this, procedure] { (this->*procedure)(); }); };
  };
  const auto onSelected = [throughReport](void (Form1::*procedure)()) {
    return [run = throughReport(procedure)](bool selected) {
      if (selected) run();
    };
  };
  connect(c_.Option1, &QRadioButton::toggled, this, onSelected(&Form1::Option1_Click));
  connect(c_.Option2, &QRadioButton::toggled, this, onSelected(&Form1::Option2_Click));
  connect(c_.Command1, &QPushButton::clicked, this, throughReport(&Form1::Command1_Click));
  connect(c_.Command2, &QPushButton::clicked, this, throughReport(&Form1::Command2_Click));
}

void Form1::Form_Load() {
  c_.Text8->setEnabled(false);
  c_.Text9->setEnabled(false);
  c_.Text7->setEnabled(false);
}

// "Area Frontal": the area is typed directly.
void Form1::Option1_Click() {
  c_.Text8->setEnabled(false);
  c_.Text9->setEnabled(false);
  c_.Text8->setText(QString());
  c_.Text9->setText(QString());
  c_.Text7->setEnabled(true);
}

// "Alto x Ancho": the area comes from height and width.
void Form1::Option2_Click() {
  c_.Text7->setEnabled(false);
  c_.Text7->setText(QString());
  c_.Text8->setEnabled(true);
  c_.Text9->setEnabled(true);
}

// "Calcular". The area mode is decided by whether the height field holds any text at all
// (a single blank counts), never by the option buttons; disabled fields are read too.
void Form1::Command1_Click() {
  CoastDownInputs in;
  in.SpeedsInKmh = c_.Combo1->currentText() == QStringLiteral("km/h");
  in.InitialSpeed1 = FieldNumber(*c_.Text1);
  in.FinalSpeed1 = FieldNumber(*c_.Text2);
  in.InitialSpeed2 = FieldNumber(*c_.Text3);
  in.FinalSpeed2 = FieldNumber(*c_.Text4);
  in.Time1 = FieldNumber(*c_.Text5);
  in.Time2 = FieldNumber(*c_.Text6);
  in.AreaFromHeightWidth = !c_.Text8->text().isEmpty();
  if (in.AreaFromHeightWidth) {
    in.Height = FieldNumber(*c_.Text8);
    in.Width = FieldNumber(*c_.Text9);
  } else {
    in.FrontalArea = FieldNumber(*c_.Text7);
  }
  in.Weight = FieldNumber(*c_.Text10);
  in.MassCoefficient = FieldNumber(*c_.Text11);
  in.AirDensity = FieldNumber(*c_.Text12);

  const double cx = CalculateCx(in);

  const std::string decimalPoint = QLocale::system().decimalPoint().toStdString();
  c_.Label15->SetCaption(QString::fromStdString(NumberToText(cx, decimalPoint)));
}

// "Salir".
void Form1::Command2_Click() { End(); }

}  // namespace quorvel
