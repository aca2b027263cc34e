// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/error_report.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>

#include "runtime/run_time_error.h"

namespace quorvel {

namespace {

// Where the toolkit draws title bars itself (a Wayland session), it centres the title on the
// whole bar in a 14-pixel face and cuts off whatever reaches the minimise, maximise and close
// buttons on the right. The report's text alone makes a box 155 pixels wide, whose bar shows
// "Quc" of "Quorvel", so such a box is widened until the centred title clears the buttons:
// the title's width plus the buttons' room on either side. The whole title shows from a
// room of 78 pixels on; 84 leaves a margin for faces that measure a little differently.
constexpr int kDrawnTitlePixelSize = 14;
constexpr int kDrawnTitleBarButtons = 84;

bool ToolkitDrawsTitleBars() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int DrawnTitleBarWidth(const QFont& font, const QString& title) {
  QFont titleFont = font;
  titleFont.setPixelSize(kDrawnTitlePixelSize);
  return QFontMetrics(titleFont).horizontalAdvance(title) + 2 * kDrawnTitleBarButtons;
}

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
    // The box sizes itself to its layout whenever it lays out, so the room for the title
    // is asked of the button row, which spans the box.
    auto* buttonRow = findChild<QDialogButtonBox*>();
    if (ToolkitDrawsTitleBars() && buttonRow && layout()) {
      const QMargins margins = layout()->contentsMargins();
      buttonRow->setMinimumWidth(DrawnTitleBarWidth(font(), windowTitle()) - margins.left() -
                                 margins.right());
    }
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
