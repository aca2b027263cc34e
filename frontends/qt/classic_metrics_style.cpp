// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/classic_metrics_style.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QStyleOption>
#include <QStyleOptionComplex>
#include <QWidget>

#include <algorithm>

#include "ui/form1_design.h"

namespace quorvel::qt {

namespace {
constexpr int kDropDownButtonWidth = ui::kDropDownArrowPixels;
constexpr int kOptionCaptionSpacing = 4;
constexpr int kFrameTitleGap = 4;
}  // namespace

ClassicMetricsStyle::ClassicMetricsStyle() : QProxyStyle(QApplication::style()->name()) {}

int ClassicMetricsStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                     const QWidget* widget) const {
  if (metric == PM_RadioButtonLabelSpacing) {
    return std::min(kOptionCaptionSpacing, QProxyStyle::pixelMetric(metric, option, widget));
  }
  return QProxyStyle::pixelMetric(metric, option, widget);
}

void ClassicMetricsStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                        QPainter* painter, const QWidget* widget) const {
  if (element == PE_FrameGroupBox) {
    // Below the title line, where the application's style puts its own frame.
    const int titleHeight =
        std::max(QProxyStyle::pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                 option->fontMetrics.height());
    const QRect frame = option->rect.adjusted(0, titleHeight + kFrameTitleGap, 0, 0);
    qDrawShadeRect(painter, frame, option->palette, /*sunken=*/true, /*lineWidth=*/1);
    return;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QRect ClassicMetricsStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                          SubControl sub, const QWidget* widget) const {
  QRect rect = QProxyStyle::subControlRect(control, option, sub, widget);
  if (control != CC_ComboBox || (sub != SC_ComboBoxArrow && sub != SC_ComboBoxEditField)) {
    return rect;
  }
  const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
  if (arrow.width() <= kDropDownButtonWidth) return rect;
  const int narrowing = arrow.width() - kDropDownButtonWidth;
  if (sub == SC_ComboBoxArrow) return rect.adjusted(narrowing, 0, 0, 0);
  return rect.adjusted(0, 0, narrowing, 0);
}

void SetClassicMetrics(QWidget& control) {
  auto* style = new ClassicMetricsStyle;
  style->setParent(&control);
  control.setStyle(style);
}

}  // namespace quorvel::qt
