// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/window_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace quorvel::qt {

namespace {

// A plain QWidget is a client area to the toolkit, even when it is a top-level window;
// a screen reader would not announce it as a window. QAccessibleWidget already names a
// window by its title.
QAccessibleInterface* Form1AccessibleFactory(const QString& className, QObject* object) {
  if (object && object->isWidgetType() && className == QLatin1String("quorvel::qt::Form1")) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void PresentForm1AsWindow() {
  static const bool installed = [] {
    QAccessible::installFactory(Form1AccessibleFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace quorvel::qt
