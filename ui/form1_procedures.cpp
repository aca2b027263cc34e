// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1_procedures.h"

#include "calc/drag_coefficient.h"
#include "runtime/conversions.h"
#include "ui/form1_frontend.h"

namespace quorvel::ui {

namespace {

// The area fields, by what they hold.
constexpr ControlId kFrontalAreaField = ControlId::Text7;
constexpr ControlId kHeightField = ControlId::Text8;
constexpr ControlId kWidthField = ControlId::Text9;

double FieldNumber(const Form1Frontend& form, ControlId field) {
  return TextToNumber(form.Text(field));
}

}  // namespace

void Form_Load(Form1Frontend& form) {
  form.SetEnabled(kHeightField, false);
  form.SetEnabled(kWidthField, false);
  form.SetEnabled(kFrontalAreaField, false);
}

void Option1_Click(Form1Frontend& form) {
  form.SetEnabled(kHeightField, false);
  form.SetEnabled(kWidthField, false);
  form.SetText(kHeightField, "");
  form.SetText(kWidthField, "");
  form.SetEnabled(kFrontalAreaField, true);
}

void Option2_Click(Form1Frontend& form) {
  form.SetEnabled(kFrontalAreaField, false);
  form.SetText(kFrontalAreaField, "");
  form.SetEnabled(kHeightField, true);
  form.SetEnabled(kWidthField, true);
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
  in.AreaFromHeightWidth = !form.Text(kHeightField).empty();
  if (in.AreaFromHeightWidth) {
    in.Height = FieldNumber(form, kHeightField);
    in.Width = FieldNumber(form, kWidthField);
  } else {
    in.FrontalArea = FieldNumber(form, kFrontalAreaField);
  }
  in.Weight = FieldNumber(form, ControlId::Text10);
  in.MassCoefficient = FieldNumber(form, ControlId::Text11);
  in.AirDensity = FieldNumber(form, ControlId::Text12);

  const double cx = CalculateCx(in);

  form.SetCaption(ControlId::Label15, NumberToText(cx, form.DecimalSeparator()));
}

void Command2_Click(Form1Frontend& form) { form.End(); }

}  // namespace quorvel::ui
