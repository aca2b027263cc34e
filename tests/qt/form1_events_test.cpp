// SPDX-License-Identifier: GPL-3.0-or-later
// Form1's event procedures driven through the real widgets: area modes, "Calcular" from
// typed texts, the error report after which the window is as it was, and "Salir".
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLocale>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "calc/drag_coefficient.h"
#include "runtime/conversions.h"
#include "tests/worked_example.h"
#include "ui_test_support.h"

namespace quorvel::qt::testing {
namespace {

// What the three area fields hold and whether they can be edited.
struct AreaFields {
  QString text7, text8, text9;
  bool enabled7, enabled8, enabled9;
  bool operator==(const AreaFields&) const = default;
};

std::ostream& operator<<(std::ostream& os, const AreaFields& a) {
  return os << "Text7 '" << a.text7.toStdString() << "' " << a.enabled7 << ", Text8 '"
            << a.text8.toStdString() << "' " << a.enabled8 << ", Text9 '" << a.text9.toStdString()
            << "' " << a.enabled9;
}

class AreaMode : public OpenWindow {
 public:
  AreaFields Fields() {
    return {Field("Text7")->text(),      Field("Text8")->text(),      Field("Text9")->text(),
            Field("Text7")->isEnabled(), Field("Text8")->isEnabled(), Field("Text9")->isEnabled()};
  }
};

struct AreaCase {
  const char* what;
  std::function<void(AreaMode&)> steps;
  AreaFields expected;
};

TEST_F(AreaMode, OptionsSwitchAndEmptyTheAreaFields) {
  const std::vector<AreaCase> cases = {
      {"Area Frontal",
       [](AreaMode& t) { t.ClickOption("Option1"); },
       {"", "", "", true, false, false}},
      {"Alto x Ancho",
       [](AreaMode& t) { t.ClickOption("Option2"); },
       {"", "", "", false, true, true}},
      {"area typed, then Alto x Ancho, then Area Frontal again",
       [](AreaMode& t) {
         t.ClickOption("Option1");
         t.Type("Text7", "2");
         t.ClickOption("Option2");
         t.ClickOption("Option1");
       },
       {"", "", "", true, false, false}},
      {"height and width typed, then Area Frontal",
       [](AreaMode& t) {
         t.ClickOption("Option2");
         t.Type("Text8", "1.4");
         t.Type("Text9", "1.7");
         t.ClickOption("Option1");
       },
       {"", "", "", true, false, false}},
      {"area typed stays while Area Frontal is clicked again",
       [](AreaMode& t) {
         t.ClickOption("Option1");
         t.Type("Text7", "2");
         t.ClickOption("Option1");
       },
       {"2", "", "", true, false, false}},
      {"Alto x Ancho keeps what height and width hold",
       [](AreaMode& t) {
         t.ClickOption("Option2");
         t.Type("Text8", "1.4");
         t.ClickOption("Option2");
       },
       {"", "1.4", "", false, true, true}},
  };
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    c.steps(*this);
    EXPECT_EQ(Fields(), c.expected);
  }
}

TEST_F(AreaMode, OptionSelectedFromTheKeyboardRunsItsProcedure) {
  auto* option1 = Control<QRadioButton>("Option1");
  option1->setFocus();
  QTest::keyClick(option1, Qt::Key_Space);
  ASSERT_TRUE(option1->isChecked());
  EXPECT_EQ(Fields(), (AreaFields{"", "", "", true, false, false}));

  Type("Text7", "2");
  option1->setFocus();
  QTest::keyClick(option1, Qt::Key_Right);  // moves to "Alto x Ancho" and selects it
  EXPECT_TRUE(Control<QRadioButton>("Option2")->isChecked());
  EXPECT_EQ(Fields(), (AreaFields{"", "", "", false, true, true}));
}

// The arrow keys on an option button, as Qt's own buttons answer them: Left and Right move
// the focus to the other button beside it, and select it only when the button left was
// selected; Up and Down find no button above or below, and nothing happens; past either end
// nothing happens either.
TEST_F(AreaMode, ArrowKeysOnTheOptionButtons) {
  struct ArrowCase {
    const char* selected;  // before the key: "Option1", "Option2" or none
    const char* focused;
    Qt::Key key;
    const char* focusedAfter;
    const char* selectedAfter;
  };
  const std::vector<ArrowCase> cases = {
      {"", "Option1", Qt::Key_Right, "Option2", ""},
      {"", "Option1", Qt::Key_Down, "Option1", ""},
      {"Option2", "Option2", Qt::Key_Left, "Option1", "Option1"},
      {"Option1", "Option1", Qt::Key_Left, "Option1", "Option1"},
      {"Option2", "Option2", Qt::Key_Up, "Option2", "Option2"},
      {"Option1", "Option2", Qt::Key_Left, "Option1", "Option1"},
  };
  for (const ArrowCase& c : cases) {
    SCOPED_TRACE(std::string(c.selected) + " selected, key " + std::to_string(c.key) + " on " +
                 c.focused);
    TearDown();
    SetUp();
    if (*c.selected) ClickOption(c.selected);
    auto* focused = Control<QRadioButton>(c.focused);
    focused->setFocus();
    QTest::keyClick(focused, c.key);
    EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), c.focusedAfter);
    const bool first = Control<QRadioButton>("Option1")->isChecked();
    const bool second = Control<QRadioButton>("Option2")->isChecked();
    EXPECT_EQ(first ? "Option1" : second ? "Option2" : "", std::string(c.selectedAfter));
  }
}

// "Calcular" with texts typed by hand. The figures the label must show come from the
// calculation given the numbers those texts stand for.
class Calculate : public OpenWindow {
 public:
  // The worked example: runs 90 to 80 in 7 s and 20 to 10 in 20 s, a direct area of 2,
  // a mass of 1000, and the window's 1.06, 1.22 and "km/h".
  void TypeWorkedExample() {
    Type("Text5", "7");
    Type("Text6", "20");
    ClickOption("Option1");
    Type("Text7", "2");
    Type("Text10", "1000");
  }

  void TypeCombo(const QString& text) {
    auto* combo = Control<QComboBox>("Combo1");
    QLineEdit* edit = combo->lineEdit();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }

  // Presses "Calcular" with the report closer armed; returns what the report showed.
  std::optional<ReportSeen> PressCalcular() {
    ReportCloser closer;
    ClickButton("Command1");
    return closer.seen();
  }

  QString Result() { return Control<QLabel>("Label15")->text(); }

  static QString Printed(double cx) { return QString::fromStdString(NumberToText(cx, ".")); }

  // Every field's text and enabled state, and the result label's text.
  std::map<QString, std::pair<QString, bool>> WindowState() {
    std::map<QString, std::pair<QString, bool>> state;
    for (QLineEdit* field : form_->findChildren<QLineEdit*>()) {
      QString name = field->objectName();
      if (name.isEmpty()) name = field->parentWidget()->objectName();  // Combo1's text
      state[name] = {field->text(), field->isEnabled()};
    }
    state["Label15"] = {Result(), true};
    return state;
  }
};

// The decimal separator the result is written with: the user's. The CTest entries run
// this test under a C and under a Spanish locale and say which separator to expect.
TEST_F(Calculate, WorkedExampleShowsAllDigitsWithTheUsersDecimalSeparator) {
  const QString separator = qEnvironmentVariableIsSet("QUORVEL_TEST_DECIMAL_POINT")
                                ? qEnvironmentVariable("QUORVEL_TEST_DECIMAL_POINT")
                                : QStringLiteral(".");
  ASSERT_EQ(QLocale::system().decimalPoint(), separator) << "the test's locale did not apply";
  TypeWorkedExample();
  EXPECT_FALSE(PressCalcular().has_value());
  EXPECT_EQ(Result(), "0" + separator + "414589706622123");
  // The whole text reaches a sighted user through the tooltip and a screen reader as
  // the label's name.
  EXPECT_EQ(Control("Label15")->toolTip(), Result());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Control("Label15"))->text(QAccessible::Name),
            Result());
}

struct ResultCase {
  const char* what;
  std::function<void(Calculate&)> steps;
  std::function<void(CoastDownInputs&)> sameAs;  // changes to the worked example's numbers
};

TEST_F(Calculate, FieldsReachTheCalculationAsTheirNumbers) {
  const std::vector<ResultCase> cases = {
      {"m/sg chosen from the list",
       [](Calculate& t) {
         auto* combo = t.Control<QComboBox>("Combo1");
         combo->setFocus();
         QTest::keyClick(combo, Qt::Key_Down);
         ASSERT_EQ(combo->currentText(), "m/sg");
       },
       [](CoastDownInputs& in) { in.SpeedsInKmh = false; }},
      {"km/h in capitals", [](Calculate& t) { t.TypeCombo("KM/H"); },
       [](CoastDownInputs& in) { in.SpeedsInKmh = false; }},
      {"km/h after a blank", [](Calculate& t) { t.TypeCombo(" km/h"); },
       [](CoastDownInputs& in) { in.SpeedsInKmh = false; }},
      {"km/h typed exactly", [](Calculate& t) { t.TypeCombo("km/h"); }, [](CoastDownInputs&) {}},
      {"a comma ends the number", [](Calculate& t) { t.Type("Text12", "1,22"); },
       [](CoastDownInputs& in) { in.AirDensity = 1; }},
      {"blanks inside a number are skipped", [](Calculate& t) { t.Type("Text10", "1 000"); },
       [](CoastDownInputs&) {}},
      {"each speed field is its own run value",
       [](Calculate& t) {
         t.Type("Text1", "95");
         t.Type("Text2", "81");
         t.Type("Text3", "25");
         t.Type("Text4", "12");
         t.Type("Text11", "1.1");
       },
       [](CoastDownInputs& in) {
         in.InitialSpeed1 = 95;
         in.FinalSpeed1 = 81;
         in.InitialSpeed2 = 25;
         in.FinalSpeed2 = 12;
         in.MassCoefficient = 1.1;
       }},
      {"height times width when the height field holds text",
       [](Calculate& t) {
         t.ClickOption("Option2");
         t.Type("Text8", "1.4");
         t.Type("Text9", "1.7");
       },
       [](CoastDownInputs& in) {
         in.AreaFromHeightWidth = true;
         in.Height = 1.4;
         in.Width = 1.7;
       }},
      // Fields are read whether enabled or not: the height field alone decides the mode.
      {"disabled height and width still decide the area",
       [](Calculate& t) {
         t.Field("Text8")->setText("1.4");
         t.Field("Text9")->setText("1.7");
       },
       [](CoastDownInputs& in) {
         in.AreaFromHeightWidth = true;
         in.Height = 1.4;
         in.Width = 1.7;
       }},
  };
  for (const ResultCase& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    TypeWorkedExample();
    c.steps(*this);
    CoastDownInputs in = WorkedExample();
    c.sameAs(in);
    EXPECT_FALSE(PressCalcular().has_value());
    EXPECT_EQ(Result(), Printed(CalculateCx(in)));
  }
}

struct FaultCase {
  const char* what;
  std::function<void(Calculate&)> steps;
  const char* report;
};

TEST_F(Calculate, FaultIsReportedAndTheWindowStaysAsItWas) {
  const std::vector<FaultCase> cases = {
      {"right after start, times empty", [](Calculate&) {}, "División por cero"},
      {"Alto x Ancho with the height left empty: the emptied direct area is 0",
       [](Calculate& t) {
         t.Type("Text5", "7");
         t.Type("Text6", "20");
         t.Type("Text10", "1000");
         t.ClickOption("Option2");
       },
       "División por cero"},
      {"a single blank in the height field means height times width",
       [](Calculate& t) {
         t.TypeWorkedExample();
         t.Field("Text8")->setText(" ");
         t.Field("Text9")->setText("1.7");
       },
       "División por cero"},
      {"run 1 neither slows down nor takes time", [](Calculate& t) { t.Type("Text2", "90"); },
       "Desbordamiento"},
      {"a mass beyond the double range",
       [](Calculate& t) {
         t.TypeWorkedExample();
         t.Type("Text10", "1e308");
         t.Type("Text11", "10");
       },
       "Desbordamiento"},
      {"a number too large to read",
       [](Calculate& t) {
         t.TypeWorkedExample();
         t.Type("Text1", "1e999");
       },
       "Desbordamiento"},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    c.steps(*this);
    const auto before = WindowState();
    const std::optional<ReportSeen> report = PressCalcular();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->text, QString::fromUtf8(c.report));
    EXPECT_EQ(WindowState(), before);
    EXPECT_TRUE(form_->isVisible());
  }
}

TEST_F(Calculate, ReportIsAModalCriticalBoxWithOneAcceptButton) {
  const std::optional<ReportSeen> report = PressCalcular();
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(report->title, "Quorvel");
  EXPECT_EQ(report->icon, QMessageBox::Critical);
  EXPECT_EQ(report->modality, Qt::ApplicationModal);
  EXPECT_EQ(report->buttons, QStringList{"Aceptar"});
}

TEST_F(Calculate, ProgramGoesOnAfterAReport) {
  Type("Text5", "7");
  ASSERT_TRUE(PressCalcular().has_value());
  Type("Text6", "20");
  ClickOption("Option1");
  Type("Text7", "2");
  Type("Text10", "1000");
  EXPECT_FALSE(PressCalcular().has_value());
  EXPECT_EQ(Result(), Printed(CalculateCx(WorkedExample())));
}

using End = OpenWindow;

// "Salir" closes the window and leaves the event loop with status 0.
// Runs the application's event loop until something ends it; after five seconds a safety
// net ends it with status 99 instead.
int RunEventLoop() {
  QTimer safetyNet;
  safetyNet.setSingleShot(true);
  QObject::connect(&safetyNet, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  safetyNet.start(5000);
  return QApplication::exec();
}

TEST_F(End, SalirClosesTheWindowAndEndsTheLoopWithStatusZero) {
  QTimer::singleShot(0, form_.get(), [this] { ClickButton("Command2"); });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_FALSE(form_->isVisible());
}

TEST_F(End, ClosingTheWindowEndsTheLoopWithStatusZero) {
  QTimer::singleShot(0, form_.get(), [this] { form_->close(); });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_FALSE(form_->isVisible());
}

}  // namespace
}  // namespace quorvel::qt::testing
