// SPDX-License-Identifier: GPL-3.0-or-later
// Form1's event procedures against a front end of plain fields, with no window at all: the
// same assertions hold whichever toolkit draws the controls.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/drag_coefficient.h"
#include "runtime/arithmetic_fault.h"
#include "runtime/conversions.h"
#include "tests/worked_example.h"
#include "ui/form1_design.h"
#include "ui/form1_frontend.h"
#include "ui/procedure_runner.h"

namespace quorvel::ui {
namespace {

// Every control's text or caption and enabled state, as the table opens them.
class FakeFrontend : public Form1Frontend {
 public:
  struct Control {
    std::string text;
    bool enabled = true;
    bool operator==(const Control&) const = default;
    friend void PrintTo(const Control& c, std::ostream* os) {
      *os << '"' << c.text << (c.enabled ? "\" enabled" : "\" disabled");
    }
  };

  FakeFrontend() {
    for (const ControlDesign& c : kForm1Controls) controls[c.id] = {c.text, true};
  }

  std::string Text(ControlId id) const override { return controls.at(id).text; }
  void SetText(ControlId id, std::string_view text) override { controls[id].text = text; }
  void SetEnabled(ControlId id, bool enabled) override { controls[id].enabled = enabled; }
  void SetCaption(ControlId id, std::string_view caption) override { controls[id].text = caption; }
  std::string DecimalSeparator() const override { return separator; }
  void End() override { ++ends; }
  void ReportRunTimeError(std::string_view name) override { reports.emplace_back(name); }

  std::map<ControlId, Control> controls;
  std::string separator = ".";
  int ends = 0;
  std::vector<std::string> reports;
};

// The window as it opens: the table's texts, then Form_Load.
struct Opened : FakeFrontend {
  Opened() { kForm1.load(*this); }
  void Type(ControlId id, std::string text) { controls[id].text = std::move(text); }
  const std::string& Result() { return controls[ControlId::Label15].text; }
  void TypeWorkedExample() {
    Option1_Click(*this);
    Type(ControlId::Text5, "7");
    Type(ControlId::Text6, "20");
    Type(ControlId::Text7, "2");
    Type(ControlId::Text10, "1000");
  }
};

using Area = std::vector<FakeFrontend::Control>;  // Text7, Text8, Text9

Area AreaOf(Opened& form) {
  return {form.controls[ControlId::Text7], form.controls[ControlId::Text8],
          form.controls[ControlId::Text9]};
}

TEST(Form1Procedures, AreaFieldsFollowTheOptionsAndEmptyTheModeLeft) {
  const std::vector<std::pair<std::function<void(Opened&)>, Area>> cases = {
      {[](Opened&) {}, {{"", false}, {"", false}, {"", false}}},
      {[](Opened& f) { Option1_Click(f); }, {{"", true}, {"", false}, {"", false}}},
      {[](Opened& f) { Option2_Click(f); }, {{"", false}, {"", true}, {"", true}}},
      {[](Opened& f) {
         Option1_Click(f);
         f.Type(ControlId::Text7, "2");
         Option2_Click(f);
         f.Type(ControlId::Text8, "1.4");
         Option2_Click(f);
       },
       {{"", false}, {"1.4", true}, {"", true}}},
      {[](Opened& f) {
         Option2_Click(f);
         f.Type(ControlId::Text8, "1.4");
         f.Type(ControlId::Text9, "1.7");
         Option1_Click(f);
       },
       {{"", true}, {"", false}, {"", false}}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Opened form;
    cases[i].first(form);
    EXPECT_EQ(AreaOf(form), cases[i].second) << "case " << i;
  }
}

TEST(Form1Procedures, CalcularShowsCxWithTheUsersDecimalSeparator) {
  for (const char* separator : {".", ","}) {
    Opened form;
    form.separator = separator;
    form.TypeWorkedExample();
    Command1_Click(form);
    EXPECT_EQ(form.Result(), std::string("0") + separator + "414589706622123");
  }
}

TEST(Form1Procedures, CalcularReadsEachFieldAsItsNumber) {
  const std::vector<std::pair<std::function<void(Opened&)>, std::function<void(CoastDownInputs&)>>>
      cases = {
          {[](Opened& f) { f.Type(ControlId::Combo1, "m/sg"); },
           [](CoastDownInputs& in) { in.SpeedsInKmh = false; }},
          {[](Opened& f) { f.Type(ControlId::Combo1, "KM/H"); },
           [](CoastDownInputs& in) { in.SpeedsInKmh = false; }},
          {[](Opened& f) { f.Type(ControlId::Text12, "1,22"); },
           [](CoastDownInputs& in) { in.AirDensity = 1; }},
          // Disabled height and width are read: the height's text alone decides the area.
          {[](Opened& f) {
             f.Type(ControlId::Text8, "1.4");
             f.Type(ControlId::Text9, "1.7");
           },
           [](CoastDownInputs& in) {
             in.AreaFromHeightWidth = true;
             in.Height = 1.4;
             in.Width = 1.7;
           }},
          {[](Opened& f) {
             f.Type(ControlId::Text1, "95");
             f.Type(ControlId::Text2, "81");
             f.Type(ControlId::Text3, "25");
             f.Type(ControlId::Text4, "12");
             f.Type(ControlId::Text11, "1.1");
           },
           [](CoastDownInputs& in) {
             in.InitialSpeed1 = 95;
             in.FinalSpeed1 = 81;
             in.InitialSpeed2 = 25;
             in.FinalSpeed2 = 12;
             in.MassCoefficient = 1.1;
           }},
      };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Opened form;
    form.TypeWorkedExample();
    cases[i].first(form);
    CoastDownInputs in = WorkedExample();
    cases[i].second(in);
    Command1_Click(form);
    EXPECT_EQ(form.Result(), NumberToText(CalculateCx(in), ".")) << "case " << i;
  }
}

TEST(Form1Procedures, AFaultLeavesEveryControlAsItWas) {
  const std::vector<std::pair<std::function<void(Opened&)>, ArithmeticFault::Kind>> cases = {
      {[](Opened&) {}, ArithmeticFault::Kind::DivisionByZero},
      // A single blank in the height field means height times width, and no height.
      {[](Opened& f) {
         f.TypeWorkedExample();
         f.Type(ControlId::Text8, " ");
       },
       ArithmeticFault::Kind::DivisionByZero},
      {[](Opened& f) { f.Type(ControlId::Text2, "90"); }, ArithmeticFault::Kind::Overflow},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Opened form;
    cases[i].first(form);
    const auto before = form.controls;
    try {
      Command1_Click(form);
      ADD_FAILURE() << "case " << i << ": no fault";
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.kind(), cases[i].second) << "case " << i;
    }
    EXPECT_EQ(form.controls, before) << "case " << i;
  }
}

TEST(Form1Procedures, SalirEndsAndTouchesNothing) {
  Opened form;
  const auto before = form.controls;
  Command2_Click(form);
  EXPECT_EQ(form.ends, 1);
  EXPECT_EQ(form.controls, before);
}

// Whatever leaves a procedure is reported once, by its Spanish name, and goes no further; a
// procedure that returns shows no report.
TEST(ProcedureRunner, ReportsEachRunTimeErrorByItsSpanishName) {
  static int runs = 0;
  const std::vector<std::pair<EventProcedure, std::vector<std::string>>> cases = {
      {[](Form1Frontend&) { ++runs; }, {}},
      {[](Form1Frontend&) { RaiseArithmeticFault(ArithmeticFault::Kind::DivisionByZero); },
       {"División por cero"}},
      {[](Form1Frontend&) { RaiseArithmeticFault(ArithmeticFault::Kind::Overflow); },
       {"Desbordamiento"}},
      {[](Form1Frontend&) { throw std::bad_alloc(); }, {"Memoria insuficiente"}},
      {[](Form1Frontend&) { throw std::logic_error("internal"); },
       {"Error en tiempo de ejecución"}},
      {[](Form1Frontend&) { throw 42; }, {"Error en tiempo de ejecución"}},
      // Calcular on the window as it opens: no times, a division by zero.
      {Command1_Click, {"División por cero"}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Opened form;
    ProcedureRunner runner(form);
    runner.Run(cases[i].first);
    EXPECT_EQ(form.reports, cases[i].second) << "case " << i;
    EXPECT_FALSE(runner.Ended()) << "case " << i;
  }
  EXPECT_EQ(runs, 1);
}

TEST(ProcedureRunner, RunsNothingOnceAProcedureHasEnded) {
  Opened form;
  ProcedureRunner runner(form);
  form.TypeWorkedExample();
  runner.Run(Command2_Click);
  EXPECT_TRUE(runner.Ended());
  const auto before = form.controls;
  runner.Run(Command1_Click);
  runner.Run(Option2_Click);
  runner.Run(Command2_Click);
  EXPECT_EQ(form.ends, 1);
  EXPECT_EQ(form.controls, before);
}

}  // namespace
}  // namespace quorvel::ui
