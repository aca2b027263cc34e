// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/form1_controls.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <bit>
#include <cmath>
#include <cstdint>
#include <span>

#include "frontends/qt/classic_metrics_style.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/pictures.h"

namespace quorvel {

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
    return QPixmap::fromImage(QImage(bgra.data(), kEmblemSize.width(), kEmblemSize.height(),
                                     kEmblemSize.width() * 4, QImage::Format_ARGB32_Premultiplied));
  }
  const QSize pixels(static_cast<int>(std::ceil(kEmblemSize.width() * devicePixelRatio)),
                     static_cast<int>(std::ceil(kEmblemSize.height() * devicePixelRatio)));
  QPixmap pixmap = QPixmap::fromImage(EmblemPicture(pixels));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

// Keeps the events of one type from an object while it is installed as its filter.
class EventStop final : public QObject {
 public:
  explicit EventStop(QEvent::Type type) : type_(type) {}

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override { return event->type() == type_; }

 private:
  QEvent::Type type_;
};

// An editable combo box that chooses its current item when the user first reaches it (the
// focus, the mouse or the wheel comes to it, or its list is asked for) rather than as its items
// arrive. Choosing one builds the drop-down list (a list view in a pop-up window) on Qt
// versions that keep the list's selection in step with the current item, and most users never
// touch the unit; the window opens without it. By the time anything can use the current item,
// it is the item the text names, as in a combo box that chose it at once.
class EditableComboBox final : public QComboBox {
 public:
  using QComboBox::QComboBox;

  // Adds the items without choosing one. A placeholder, which an editable combo box never
  // shows (its text box covers it), keeps the box from choosing its first item.
  void AddItemsUnchosen(const QStringList& items) {
    setPlaceholderText(QStringLiteral(" "));
    addItems(items);
    unchosen_ = true;
  }

  void showPopup() override {
    ChooseCurrentItem();
    QComboBox::showPopup();
  }

 protected:
  bool event(QEvent* event) override {
    if (ReachesTheBox(event->type())) ChooseCurrentItem();
    return QComboBox::event(event);
  }
  // The text box inside (NewEditableComboBox makes the box watch it).
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == lineEdit() && ReachesTheBox(event->type())) ChooseCurrentItem();
    return QComboBox::eventFilter(watched, event);
  }

 private:
  static bool ReachesTheBox(QEvent::Type type) {
    switch (type) {
      case QEvent::FocusIn:
      case QEvent::KeyPress:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
        return true;
      default:
        return false;
    }
  }

  // The item the text names becomes the current one; a text that names none is kept as it is.
  void ChooseCurrentItem() {
    if (!unchosen_) return;
    unchosen_ = false;
    const QString text = currentText();
    const int item = findText(text);
    if (item >= 0) setCurrentIndex(item);
    // With no placeholder and no current item, the box would choose its first item.
    setPlaceholderText(QString());
    if (item < 0) setEditText(text);
  }

  bool unchosen_ = false;
};

// An editable combo box with the classic metrics and no completer, as Qt's is when given
// the style, made editable with setEditable and its completer removed, but without what
// those steps build only to drop or to leave unused until the list is first opened: the
// drop-down list, which a combo box builds as soon as it takes a style of its own or is made
// editable, and the completer it gives a text box that has none.
EditableComboBox* NewEditableComboBox(QWidget* parent) {
  auto* combo = new EditableComboBox(parent);
  {
    // A combo box answers a new style by building its list to choose the list's item
    // painter, and by updating its size hints and text box. Just made, it has neither
    // list, nor size hints, nor text box; the list chooses its painter when it is built.
    EventStop styleChange(QEvent::StyleChange);
    combo->installEventFilter(&styleChange);
    SetClassicMetrics(*combo);
    combo->removeEventFilter(&styleChange);
  }
  auto* edit = new QLineEdit(combo);
  edit->setPalette(combo->palette());
  // Given a text box that already has a completer, the combo box makes none; this one never
  // completes and goes at once, leaving the text box with none.
  QCompleter placeholder;
  placeholder.setCompletionMode(QCompleter::InlineCompletion);
  edit->setCompleter(&placeholder);
  combo->setLineEdit(edit);
  combo->setCompleter(nullptr);
  edit->installEventFilter(combo);
  return combo;
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
    case ControlKind::ComboBox: {
      EditableComboBox* combo = NewEditableComboBox(parent);
      // A typed text is taken as it is: not completed, not added to the list.
      combo->setInsertPolicy(QComboBox::NoInsert);
      QStringList items;
      for (const char* item : design.items) items.append(QString::fromUtf8(item));
      combo->AddItemsUnchosen(items);
      combo->setEditText(text);
      return combo;
    }
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

}  // namespace quorvel
