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

namespace quorvel::qt {

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

// Assistive technology hears the report as an alert: a message box with this object name is
// presented in that role, named by its title and described by the error's name, which
// QMessageBox announces as an alert when it shows. Recognised by name, the plain QMessageBox
// needs no class of its own.
const QString kErrorReportName = QStringLiteral("ErrorReport");

QAccessibleInterface* ErrorReportAccessibleFactory(const QString& className, QObject* object) {
  if (object && className == QLatin1String("QMessageBox") &&
      object->objectName() == kErrorReportName) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
  }
  return nullptr;
}

// Where the toolkit draws the title bar, the box is made wide enough for its whole title.
// The box sizes itself to its layout whenever it lays out, so the room is asked of the
// button row, which spans the box.
void MakeRoomForTheTitle(QMessageBox& box) {
  auto* buttonRow = box.findChild<QDialogButtonBox*>();
  if (ToolkitDrawsTitleBars() && buttonRow && box.layout()) {
    const QMargins margins = box.layout()->contentsMargins();
    buttonRow->setMinimumWidth(DrawnTitleBarWidth(box.font(), box.windowTitle()) - margins.left() -
                               margins.right());
  }
}

}  // namespace

void ShowErrorReport(QWidget* window, const QString& errorName) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(ErrorReportAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;

  QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvel"), errorName,
                  QMessageBox::NoButton, window);
  box.setObjectName(kErrorReportName);
  box.setAccessibleName(box.windowTitle());
  box.setAccessibleDescription(errorName);
  box.setWindowModality(Qt::ApplicationModal);
  QPushButton* accept = box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole);
  box.setDefaultButton(accept);
  box.setEscapeButton(accept);
  MakeRoomForTheTitle(box);
  box.exec();
}

}  // namespace quorvel::qt
