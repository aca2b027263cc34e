// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace quorvel::qt {

// The application's style with the tighter metrics of the classic controls this window was
// designed around: a narrower drop-down button on a combo box (so "km/h" fits its small
// box), less space between an option button's circle and its caption, and a frame drawn
// as a plain etched line rather than from a picture (which would load the image readers at
// start-up). Everything else is the application's style.
//
// One instance per control, owned by that control: SetClassicMetrics(control).
class ClassicMetricsStyle : public QProxyStyle {
 public:
  ClassicMetricsStyle();

  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget = nullptr) const override;
};

// Gives `control` the classic metrics; the style lives as long as the control.
void SetClassicMetrics(QWidget& control);

}  // namespace quorvel::qt
