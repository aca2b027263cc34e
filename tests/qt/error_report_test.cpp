// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt front end's error report: how it looks, and that assistive technology hears it as
// an alert. What it names, and that nothing escapes a procedure, the core suite tests
// (ProcedureRunner); the window's own report, form1_events_test.cpp.
#include <QAccessible>
#include <QMessageBox>

#include <functional>
#include <vector>

#include "frontends/qt/error_report.h"
#include "ui_test_support.h"

namespace quorvel::qt::testing {
namespace {

// Opens the report, reads what `inspect` wants from the box while it shows, and closes it.
void ShowAndClose(const std::function<void(QMessageBox*)>& inspect) {
  QTimer probe;
  probe.setInterval(10);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      probe.stop();
      inspect(box);
      QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
    }
  });
  probe.start();
  ShowErrorReport(nullptr, QStringLiteral("División por cero"));
}

TEST(ErrorReport, IsAnAlertToAssistiveTechnology) {
  QAccessible::Role role = QAccessible::NoRole;
  QString name, description;
  ShowAndClose([&](QMessageBox* box) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
    role = iface->role();
    name = iface->text(QAccessible::Name);
    description = iface->text(QAccessible::Description);
  });
  EXPECT_EQ(role, QAccessible::AlertMessage);
  EXPECT_EQ(name, "Quorvel");
  EXPECT_EQ(description, "División por cero");
}

std::vector<std::pair<QAccessible::Event, QObject*>>* g_events = nullptr;

void RecordEvent(QAccessibleEvent* event) {
  g_events->emplace_back(event->type(), event->object());
}

// Screen readers announce the report as soon as it shows. Accessibility events flow only
// while an accessibility bus listens: CTest runs this test on one (ui.error_report_alert);
// run by hand without a bus it is skipped.
TEST(ErrorReport, IsAnnouncedAsAnAlertWhenItShows) {
  const bool busExpected = qEnvironmentVariableIsSet("QUORVEL_TEST_ACCESSIBILITY_BUS");
  for (int waited = 0; !QAccessible::isActive() && busExpected && waited < 5000; waited += 50) {
    QTest::qWait(50);
  }
  if (!QAccessible::isActive()) {
    if (busExpected) FAIL() << "accessibility did not become active on the bus";
    GTEST_SKIP() << "no accessibility bus here";
  }
  std::vector<std::pair<QAccessible::Event, QObject*>> events;
  g_events = &events;
  QAccessible::installUpdateHandler(RecordEvent);
  QObject* shown = nullptr;
  ShowAndClose([&](QMessageBox* box) { shown = box; });
  QAccessible::installUpdateHandler(nullptr);
  g_events = nullptr;

  ASSERT_NE(shown, nullptr);
  EXPECT_NE(std::find(events.begin(), events.end(), std::make_pair(QAccessible::Alert, shown)),
            events.end());
}

}  // namespace
}  // namespace quorvel::qt::testing
