// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/form1_controls.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "art/pictures.h"
#include "frontends/qt/classic_metrics_style.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/form1_combo_box.h"

namespace quorvel::qt {

namespace {

using ui::ControlDesign;
using ui::ControlId;
using ui::ControlKind;

QRect ToPixels(const ui::TwipsBox& box) {
  return QRect(box.left / ui::kTwipsPerPixel, box.top / ui::kTwipsPerPixel,
               box.width / ui::kTwipsPerPixel, box.height / ui::kTwipsPerPixel);
}

// The emblem at its designed 84 by 93 pixels, rendered for the screen's pixel density so
// that it stays sharp when stretched into its box. At one device pixel to the pixel the
// program carries it ready-made, so nothing is drawn while the window opens.
QPixmap EmblemPixmap(qreal devicePixelRatio) {
  if (devicePixelRatio == 1 && std::endian::native == std::endian::little) {
    // On a little-endian machine the embedded bytes are premultiplied 32-bit pixels in
    // the image's own order; the image reads them in place.
    const std::span<const std::uint8_t> bgra = ui::EmblemBgra();
    return QPixmap::fromImage(QImage(bgra.data(), art::kEmblemSize.width(),
                                     art::kEmblemSize.height(), art::kEmblemSize.width() * 4,
                                     QImage::Format_ARGB32_Premultiplied));
  }
  const QSize pixels(static_cast<int>(std::ceil(art::kEmblemSize.width() * devicePixelRatio)),
                     static_cast<int>(std::ceil(art::kEmblemSize.height() * devicePixelRatio)));
  QPixmap pixmap = QPixmap::fromImage(art::EmblemPicture(pixels));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

QWidget* Create(const ControlDesign& design, QWidget* parent) {
  const QString text = QString::fromUtf8(design.text);
  switch (design.kind) {
    case ControlKind::Label: {
      auto* label = new QLabel(text, parent);
      // Text that does not fit is cut at the box's edge, never wrapped.
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      // The result's box shows only its first characters by design; the tooltip carries the
      // whole text (Form1 keeps it in step with the caption).
      if (design.showsResult) label->setToolTip(text);
      return label;
    }
    case ControlKind::TextBox:
      return new QLineEdit(text, parent);
    case ControlKind::ComboBox:
      return NewUnitComboBox(design, parent);
    case ControlKind::OptionButton: {
      auto* option = new QRadioButton(text, parent);
      SetClassicMetrics(*option);
      return option;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, parent);
      button->setAutoDefault(false);
      button->setDefault(false);
      return button;
    }
    case ControlKind::Frame: {
      auto* frame = new QGroupBox(text, parent);
      SetClassicMetrics(*frame);
      return frame;
    }
    case ControlKind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setScaledContents(true);
      picture->setPixmap(EmblemPixmap(parent->devicePixelRatioF()));
      return picture;
    }
    case ControlKind::Line: {
      auto* line = new QFrame(parent);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Plain);
      line->setLineWidth(1);
      return line;
    }
  }
  return nullptr;
}

}  // namespace

Form1Widgets BuildForm1Controls(QWidget& form) {
  Form1Widgets widgets;
  QWidget* frame = nullptr;
  QWidget* previousInTabOrder = nullptr;
  for (const ControlDesign& design : ui::kForm1Controls) {
    QWidget* parent = design.inFrame ? frame : &form;
    QWidget* control = Create(design, parent);
    control->setObjectName(QString::fromLatin1(design.name));
    control->setGeometry(ToPixels(design.box));
    if (design.font != ui::FontRole::Window) control->setFont(FontFor(ui::Font(design.font)));
    if (design.accessibleName) {
      const QString name = QString::fromUtf8(design.accessibleName);
      control->setAccessibleName(name);
      // Some platforms name a combo box after its current text; its text part, which is
      // what takes the focus, carries the name too.
      if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->lineEdit()->setAccessibleName(name);
    }
    if (design.accessibleDescription) {
      control->setAccessibleDescription(QString::fromUtf8(design.accessibleDescription));
    }
    if (design.kind == ControlKind::Frame) frame = control;
    if (ui::TakesFocus(design.kind)) {
      if (previousInTabOrder) QWidget::setTabOrder(previousInTabOrder, control);
      previousInTabOrder = control;
    }
    widgets.widgets_[ui::Index(design.id)] = control;
  }

  // Combo1 is drawn above Label10 and Label16, whose boxes it touches.
  widgets[ControlId::Combo1]->raise();
  return widgets;
}

}  // namespace quorvel::qt
