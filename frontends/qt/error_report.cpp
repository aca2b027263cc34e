// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/error_report.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMessageBox>
#include <QPushButton>

#include "runtime/run_time_error.h"

namespace quorvel {

namespace {

// The report's message box. Assistive technology sees it as an alert: its role says so,
// and QMessageBox announces a critical box as an alert when it shows.
class ErrorReportBox : public QMessageBox {
  Q_OBJECT

 public:
  ErrorReportBox(QWidget* window, const QString& errorName)
      : QMessageBox(QMessageBox::Critical, QStringLiteral("Quorvel"), errorName,
                    QMessageBox::NoButton, window) {
    setObjectName(QStringLiteral("ErrorReport"));
    setWindowModality(Qt::ApplicationModal);
    QPushButton* accept = addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
    setDefaultButton(accept);
    setEscapeButton(accept);
  }
};

class AccessibleErrorReport : public QAccessibleWidget {
 public:
  explicit AccessibleErrorReport(QWidget* box)
      : QAccessibleWidget(box, QAccessible::AlertMessage) {}

  QString text(QAccessible::Text t) const override {
    const auto* box = static_cast<const QMessageBox*>(widget());
    switch (t) {
      case QAccessible::Name:
        return box->windowTitle();
      case QAccessible::Description:
        return box->text();
      default:
        return QAccessibleWidget::text(t);
    }
  }
};

QAccessibleInterface* ErrorReportAccessibleFactory(const QString& className, QObject* object) {
  if (object && object->isWidgetType() && className == QLatin1String("quorvel::ErrorReportBox")) {
    return new AccessibleErrorReport(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

QString RunTimeErrorName(const std::exception_ptr& error) {
  return QString::fromStdString(NameOfRunTimeError(error));
}

void ShowErrorReport(QWidget* window, const QString& errorName) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(ErrorReportAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;

  ErrorReportBox box(window, errorName);
  box.exec();
}

void RunEventProcedure(QWidget* window, const std::function<void()>& procedure) noexcept {
  try {
    procedure();
  } catch (...) {
    ShowErrorReport(window, RunTimeErrorName(std::current_exception()));
  }
}

}  // namespace quorvel

#include "error_report.moc"
