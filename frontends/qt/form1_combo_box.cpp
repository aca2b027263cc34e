// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/form1_combo_box.h"

#include <QCompleter>
#include <QEvent>
#include <QLineEdit>
#include <QStringList>

#include "frontends/qt/classic_metrics_style.h"

namespace quorvel::qt {

namespace {

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

}  // namespace

QComboBox* NewUnitComboBox(const ui::ControlDesign& design, QWidget* parent) {
  EditableComboBox* combo = NewEditableComboBox(parent);
  // A typed text is taken as it is: not completed, not added to the list.
  combo->setInsertPolicy(QComboBox::NoInsert);
  QStringList items;
  for (const char* item : design.items) items.append(QString::fromUtf8(item));
  combo->AddItemsUnchosen(items);
  combo->setEditText(QString::fromUtf8(design.text));
  return combo;
}

}  // namespace quorvel::qt
