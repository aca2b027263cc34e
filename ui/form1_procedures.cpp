// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1_procedures.h"

#include "calc/drag_coefficient.h"
#include "runtime/conversions.h"
#include "ui/form1_frontend.h"

namespace quorvel::ui {

namespace {

double FieldNumber(const Form1Frontend& form, ControlId field) {
  return TextToNumber(form.Text(field));
}

}  // namespace

void Form_Load(Form1Frontend& form) {
  form.SetEnabled(ControlId::Text8, false);
  form.SetEnabled(ControlId::Text9, false);
  form.SetEnabled(ControlId::Text7, false);
}

void Option1_Click(Form1Frontend& form) {
  form.SetEnabled(ControlId::Text8, false);
  form.SetEnabled(ControlId::Text9, false);
  form.SetText(ControlId::Text8, "");
  form.SetText(ControlId::Text9, "");
  form.SetEnabled(ControlId::Text7, true);
}

void Option2_Click(Form1Frontend& form) {
  form.SetEnabled(ControlId::Text7, false);
  form.SetText(ControlId::Text7, "");
  form.SetEnabled(ControlId::Text8, true);
  form.SetEnabled(ControlId::Text9, true);
}

// The area mode is decided by whether the height field holds any text at all (a single
// blank counts), never by the option buttons; disabled fields are read too.
void Command1_Click(Form1Frontend& form) {
  CoastDownInputs in;
  // Exact and case-sensitive: "KM/H" or " km/h" mean m/s.
  in.SpeedsInKmh = form.Text(ControlId::Combo1) == "km/h";
  in.InitialSpeed1 = FieldNumber(form, ControlId::Text1);
  in.FinalSpeed1 = FieldNumber(form, ControlId::Text2);
  in.InitialSpeed2 = FieldNumber(form, ControlId::Text3);
  in.FinalSpeed2 = FieldNumber(form, ControlId::Text4);
  in.Time1 = FieldNumber(form, ControlId::Text5);
  in.Time2 = FieldNumber(form, ControlId::Text6);
  in.AreaFromHeightWidth = !form.Text(ControlId::Text8).empty();
  if (in.AreaFromHeightWidth) {
    in.Height = FieldNumber(form, ControlId::Text8);
    in.Width = FieldNumber(form, ControlId::Text9);
  } else {
    in.FrontalArea = FieldNumber(form, ControlId::Text7);
  }
  in.Weight = FieldNumber(form, ControlId::Text10);
  in.MassCoefficient = FieldNumber(form, ControlId::Text11);
  in.AirDensity = FieldNumber(form, ControlId::Text12);

  const double cx = CalculateCx(in);

  form.SetCaption(ControlId::Label15, NumberToText(cx, form.DecimalSeparator()));
}

void Command2_Click(Form1Frontend& form) { form.End(); }

}  // namespace quorvel::ui
