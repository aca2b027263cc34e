// SPDX-License-Identifier: GPL-3.0-or-later
// Every caption and initial text fits its control at the scale factor this run was given
// (CTest runs it at 1, 1.5 and 2 through QT_SCALE_FACTOR).
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTextLayout>

#include <algorithm>

#include "art/pictures.h"
#include "ui_test_support.h"

namespace quorvel::qt::testing {
namespace {

// The scale factor the run was started with.
qreal RequestedScale() {
  bool ok = false;
  const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble(&ok);
  return ok ? scale : 1;
}

// The width of `text` on screen, in device pixels. Text is laid out at the logical size
// and drawn at the device size; either can be the wider, so the larger counts.
qreal DeviceTextWidth(const QFont& font, const QString& text, const QWidget* widget, qreal scale) {
  const qreal laidOut = QFontMetricsF(font, widget).horizontalAdvance(text) * scale;
  QFont deviceFont = font;
  deviceFont.setPointSizeF(font.pointSizeF() * scale);
  const qreal drawn = QFontMetricsF(deviceFont, widget).horizontalAdvance(text);
  return std::max(laidOut, drawn);
}

qreal DeviceTextHeight(const QFont& font, const QWidget* widget, qreal scale) {
  QFont deviceFont = font;
  deviceFont.setPointSizeF(font.pointSizeF() * scale);
  return std::max(QFontMetricsF(font, widget).height() * scale,
                  QFontMetricsF(deviceFont, widget).height());
}

// Where a line edit draws its text: its contents less the text margins and the two pixels
// it keeps clear on each side.
QRect LineEditTextRect(QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth = edit->hasFrame()
                         ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                         : 0;
  QRect r = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  r = r.marginsRemoved(edit->textMargins());
  return r.adjusted(2, 0, -2, 0);
}

QRect ButtonTextRect(QAbstractButton* button, QStyle::SubElement contents) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  return button->style()->subElementRect(contents, &option, button);
}

struct Fit {
  QString what;
  QFont font;
  QString text;
  QRect room;  // logical pixels available to the text
  const QWidget* widget;
};

class HighDpi : public OpenWindow {
 protected:
  std::vector<Fit> TextsAndTheirRoom() {
    std::vector<Fit> fits;
    for (QLabel* label : form_->findChildren<QLabel*>()) {
      if (label->objectName() == "Image1") continue;
      fits.push_back(
          {label->objectName(), label->font(), label->text(), label->contentsRect(), label});
    }
    for (QLineEdit* edit : form_->findChildren<QLineEdit*>()) {
      const QString name =
          edit->objectName().isEmpty() ? edit->parentWidget()->objectName() : edit->objectName();
      fits.push_back({name, edit->font(), edit->text(), LineEditTextRect(edit), edit});
    }
    for (QRadioButton* option : form_->findChildren<QRadioButton*>()) {
      fits.push_back({option->objectName(), option->font(), option->text(),
                      ButtonTextRect(option, QStyle::SE_RadioButtonContents), option});
    }
    for (QPushButton* button : form_->findChildren<QPushButton*>()) {
      fits.push_back({button->objectName(), button->font(), button->text(),
                      ButtonTextRect(button, QStyle::SE_PushButtonContents), button});
    }
    auto* frame = Control<QGroupBox>("Frame1");
    fits.push_back({"Frame1", frame->font(), frame->title(), frame->rect(), frame});
    return fits;
  }
};

TEST_F(HighDpi, RunsAtTheRequestedScale) {
  EXPECT_DOUBLE_EQ(form_->devicePixelRatioF(), RequestedScale());
}

TEST_F(HighDpi, EveryCaptionAndInitialTextFitsItsBox) {
  const qreal scale = form_->devicePixelRatioF();
  const std::vector<Fit> fits = TextsAndTheirRoom();
  ASSERT_GE(fits.size(), 33u);
  for (const Fit& f : fits) {
    SCOPED_TRACE(f.what.toStdString() + ": '" + f.text.toStdString() + "'");
    const qreal width = DeviceTextWidth(f.font, f.text, f.widget, scale);
    EXPECT_LE(width, f.room.width() * scale);
    EXPECT_LE(DeviceTextHeight(f.font, f.widget, scale), f.widget->height() * scale);
  }
}

// The emblem shows the drawing at the screen's density: at scale 1 from the pixels the
// program carries, at other scales drawn for that density.
TEST_F(HighDpi, EmblemIsTheDrawingAtTheScreensDensity) {
  const QPixmap emblem = Control<QLabel>("Image1")->pixmap();
  ASSERT_FALSE(emblem.isNull());
  const QImage shown = emblem.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(shown, art::EmblemPicture(emblem.size()));
}

}  // namespace
}  // namespace quorvel::qt::testing
