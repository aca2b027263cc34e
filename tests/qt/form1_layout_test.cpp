// SPDX-License-Identifier: GPL-3.0-or-later
// Form1 as it opens: every control's kind, text, box, font, focus and accessible name.
#include <qpa/qplatformfontdatabase.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>

#include <functional>
#include <vector>

#include "frontends/qt/classic_metrics_style.h"
#include "ui_test_support.h"

namespace quorvel::qt::testing {
namespace {

enum class Face { Window, Title, Result };

struct Expected {
  const char* name;
  const char* qtClass;
  const char* parent;
  QString text;
  QRect box;  // pixels, from the parent's top-left corner
  Face face = Face::Window;
};

// The window as designed, converted by hand from twips (15 to a pixel).
const std::vector<Expected>& Design() {
  static const std::vector<Expected> design = {
      {"Label1", "QLabel", "Form1", "Velocidad Inicial", {24, 104, 105, 17}},
      {"Label2", "QLabel", "Form1", "Velocidad Final", {272, 104, 105, 17}},
      {"Text1", "QLineEdit", "Form1", "90", {120, 104, 57, 19}},
      {"Text2", "QLineEdit", "Form1", "80", {360, 104, 57, 19}},
      {"Label3", "QLabel", "Form1", "Velocidad Inicial", {24, 192, 105, 17}},
      {"Label4", "QLabel", "Form1", "Velocidad Final", {272, 192, 105, 17}},
      {"Text3", "QLineEdit", "Form1", "20", {120, 192, 57, 19}},
      {"Text4", "QLineEdit", "Form1", "10", {360, 192, 57, 19}},
      {"Combo1", "QComboBox", "Form1", "km/h", {408, 56, 49, 21}},
      {"Label5", "QLabel", "Form1", "Tiempo en Sg.", {184, 136, 105, 17}},
      {"Text5", "QLineEdit", "Form1", "", {280, 136, 57, 19}},
      {"Label6", "QLabel", "Form1", "Tiempo en Sg.", {184, 224, 105, 17}},
      {"Text6", "QLineEdit", "Form1", "", {280, 224, 57, 19}},
      {"Label7",
       "QLabel",
       "Form1",
       "Datos de Entrada (Utilizar sistema internacional de unidades)",
       {32, 264, 305, 17}},
      {"Option1", "QRadioButton", "Form1", "Area Frontal", {40, 296, 81, 17}},
      {"Option2", "QRadioButton", "Form1", "Alto x Ancho", {232, 296, 81, 17}},
      {"Text7", "QLineEdit", "Form1", "", {128, 296, 65, 19}},
      {"Text8", "QLineEdit", "Form1", "", {320, 296, 65, 19}},
      {"Text9", "QLineEdit", "Form1", "", {408, 296, 65, 19}},
      {"Label8", "QLabel", "Form1", "x", {392, 296, 9, 17}},
      {"Label9", "QLabel", "Form1", "Quorvel versión 1.0", {112, 24, 263, 29}, Face::Title},
      {"Label10", "QLabel", "Form1", "BRENZO", {112, 56, 297, 37}, Face::Title},
      {"Text10", "QLineEdit", "Form1", "", {128, 352, 65, 19}},
      {"Label11", "QLabel", "Form1", "Peso", {48, 352, 81, 17}},
      {"Text11", "QLineEdit", "Form1", "1.06", {128, 376, 65, 19}},
      {"Label12", "QLabel", "Form1", "Coef. Masas", {48, 376, 81, 17}},
      {"Text12", "QLineEdit", "Form1", "1.22", {128, 400, 65, 19}},
      {"Label13", "QLabel", "Form1", "Densidad Aire", {48, 400, 81, 17}},
      {"Frame1", "QGroupBox", "Form1", "Coef. Aerodinámico", {344, 344, 137, 73}},
      {"Label14", "QLabel", "Frame1", "Cx=", {8, 24, 57, 33}, Face::Result},
      {"Label15", "QLabel", "Frame1", "0.--", {64, 24, 57, 33}, Face::Result},
      {"Command1", "QPushButton", "Form1", "Calcular", {240, 344, 73, 33}},
      {"Command2", "QPushButton", "Form1", "Salir", {240, 392, 73, 33}},
      {"Label16", "QLabel", "Form1", "Unidades", {360, 64, 57, 17}},
      {"Image1", "QLabel", "Form1", "", {24, 8, 69, 77}},
  };
  return design;
}

QString TextOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->currentText();
  if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
  if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
  return QStringLiteral("<no text>");
}

using WindowAsItOpens = OpenWindow;

TEST_F(WindowAsItOpens, EveryControlHasItsKindTextAndBox) {
  for (const Expected& e : Design()) {
    SCOPED_TRACE(e.name);
    QWidget* w = Control(e.name);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->inherits(e.qtClass)) << w->metaObject()->className();
    EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(e.parent));
    EXPECT_EQ(TextOf(w), e.text);
    EXPECT_EQ(w->geometry(), e.box);
  }
}

TEST_F(WindowAsItOpens, FontsAreTheDesignedOnes) {
  EXPECT_EQ(form_->font().family(), "MS Sans Serif");
  EXPECT_EQ(form_->font().pointSizeF(), 8);
  for (const Expected& e : Design()) {
    SCOPED_TRACE(e.name);
    const QFont font = Control(e.name)->font();
    switch (e.face) {
      case Face::Window:
        EXPECT_EQ(font.family(), "MS Sans Serif");
        EXPECT_EQ(font.pointSizeF(), 8);
        EXPECT_FALSE(font.bold() || font.italic());
        break;
      case Face::Title:
        EXPECT_EQ(font.family(), "MS Sans Serif");
        EXPECT_EQ(font.pointSizeF(), 13.5);
        EXPECT_FALSE(font.bold() || font.italic());
        break;
      case Face::Result:
        EXPECT_EQ(font.family(), "Times New Roman");
        EXPECT_EQ(font.pointSizeF(), 21.75);
        EXPECT_TRUE(font.bold() && font.italic());
        break;
    }
  }
}

// Where the requested faces are missing, their metric look-alikes are drawn.
TEST_F(WindowAsItOpens, MissingFacesAreDrawnWithTheirLookAlikes) {
  const QString sans = QFontInfo(Control("Label1")->font()).family();
  const QString serif = QFontInfo(Control("Label15")->font()).family();
  EXPECT_TRUE(sans == "MS Sans Serif" || sans == "Liberation Sans") << sans.toStdString();
  EXPECT_TRUE(serif == "Times New Roman" || serif == "Liberation Serif") << serif.toStdString();
}

// ... also after the toolkit reloads its font list, as it does when fonts are installed or
// removed while the program runs.
TEST_F(WindowAsItOpens, LookAlikesOutliveAReloadOfTheFontList) {
  QPlatformFontDatabase::repopulateFontDatabase();
  const QString sans = QFontInfo(Control("Label1")->font()).family();
  const QString serif = QFontInfo(Control("Label15")->font()).family();
  EXPECT_TRUE(sans == "MS Sans Serif" || sans == "Liberation Sans") << sans.toStdString();
  EXPECT_TRUE(serif == "Times New Roman" || serif == "Liberation Serif") << serif.toStdString();
}

TEST_F(WindowAsItOpens, WindowHasItsCaptionIconAndFixedSize) {
  EXPECT_EQ(form_->objectName(), "Form1");
  EXPECT_EQ(form_->windowTitle(), " Quorvel V1.0 - Cx");
  EXPECT_FALSE(form_->windowIcon().pixmap(32, 32).isNull());
  EXPECT_EQ(form_->size(), QSize(495, 440));
  EXPECT_EQ(form_->minimumSize(), QSize(495, 440));
  EXPECT_EQ(form_->maximumSize(), QSize(495, 440));
}

TEST_F(WindowAsItOpens, AreaFieldsAreDisabledAndNoOptionIsSelected) {
  for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text10", "Text11",
                           "Text12", "Combo1", "Option1", "Option2", "Command1", "Command2"}) {
    EXPECT_TRUE(Control(name)->isEnabled()) << name;
  }
  for (const char* name : {"Text7", "Text8", "Text9"}) {
    EXPECT_FALSE(Control(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(Control<QRadioButton>("Option1")->isChecked());
  EXPECT_FALSE(Control<QRadioButton>("Option2")->isChecked());
}

TEST_F(WindowAsItOpens, ComboOffersBothUnitsAndTakesTypedText) {
  auto* combo = Control<QComboBox>("Combo1");
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), "km/h");
  EXPECT_EQ(combo->itemText(1), "m/sg");
  EXPECT_TRUE(combo->isEditable());
}

// What a combo box's drop-down list is once opened: the list's kind, item painter, scroll
// bar policy and rows, and where the pop-up opens and how large, from the box's corner.
struct OpenList {
  QString view, delegate;
  Qt::ScrollBarPolicy scrollBar;
  int rows;
  QRect popup;
  bool operator==(const OpenList&) const = default;
};

void PrintTo(const OpenList& l, std::ostream* os) {
  *os << l.view.toStdString() << ' ' << l.delegate.toStdString() << " scroll bar " << l.scrollBar
      << ", " << l.rows << " rows, pop-up at " << l.popup.x() << ',' << l.popup.y() << ' '
      << l.popup.width() << 'x' << l.popup.height();
}

OpenList OpenTheList(QComboBox* combo) {
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  const QWidget* popup = view->window();
  OpenList list{view->metaObject()->className(), view->itemDelegate()->metaObject()->className(),
                view->verticalScrollBarPolicy(), view->model()->rowCount(),
                popup->geometry().translated(-combo->mapToGlobal(QPoint(0, 0)))};
  combo->hidePopup();
  return list;
}

// Opened, Combo1's list is the one Qt's combo box has when made editable the usual way with
// the same style and items, whenever the box happens to build it; the box offers no
// completion as the user types.
TEST_F(WindowAsItOpens, ComboListOpensAsUsual) {
  auto* combo = Control<QComboBox>("Combo1");
  QComboBox usual(form_.get());
  SetClassicMetrics(usual);
  usual.setEditable(true);
  for (int i = 0; i < combo->count(); ++i) usual.addItem(combo->itemText(i));
  usual.setGeometry(combo->geometry());
  usual.show();
  EXPECT_EQ(OpenTheList(combo), OpenTheList(&usual));
  EXPECT_EQ(combo->completer(), nullptr);
}

// Stepped through or opened, by keys, wheel or mouse, Combo1 answers as a combo box made the
// usual way, which chose its first item when the items arrived: the same item, the same text
// and, opened, the same row marked in its list.
TEST_F(WindowAsItOpens, ComboAnswersTheFirstUseAsUsual) {
  struct Use {
    const char* name;
    std::function<void(QComboBox*)> act;
  };
  const auto key = [](Qt::Key k) { return [k](QComboBox* c) { QTest::keyClick(c, k); }; };
  const auto wheel = [](int steps) {
    return [steps](QComboBox* c) {
      const QPointF at(c->width() / 2.0, c->height() / 2.0);
      QWheelEvent event(at, c->mapToGlobal(at), {}, {0, -120 * steps}, Qt::NoButton, {},
                        Qt::NoScrollPhase, false);
      QCoreApplication::sendEvent(c, &event);
    };
  };
  const std::vector<Use> uses = {
      {"Down", key(Qt::Key_Down)},
      {"Up", key(Qt::Key_Up)},
      {"End", key(Qt::Key_End)},
      {"wheel down", wheel(1)},
      {"wheel up", wheel(-1)},
      {"tabbed into, then Down",
       [&](QComboBox* c) {
         QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
         QCoreApplication::sendEvent(c, &focus);
         key(Qt::Key_Down)(c);
       }},
      {"text typed that names no item, then Down",
       [&](QComboBox* c) {
         QTest::keyClick(c->lineEdit(), Qt::Key_A, Qt::ControlModifier);
         QTest::keyClicks(c->lineEdit(), "nudos");
         key(Qt::Key_Down)(c);
       }},
  };
  struct State {
    int item;
    QString text;
    int marked;  // the row marked in the opened list
  };
  const auto stateAfter = [](QComboBox* c, const Use& use) {
    use.act(c);
    State state{c->currentIndex(), c->currentText(), -1};
    c->showPopup();
    state.marked = c->view()->currentIndex().row();
    c->hidePopup();
    return state;
  };
  for (const Use& use : uses) {
    SCOPED_TRACE(use.name);
    SetUp();  // a window just opened for each use
    auto* combo = Control<QComboBox>("Combo1");
    QComboBox usual(form_.get());
    usual.setEditable(true);
    usual.setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < combo->count(); ++i) usual.addItem(combo->itemText(i));
    usual.setEditText(combo->currentText());
    usual.setGeometry(combo->geometry());
    usual.show();
    const State got = stateAfter(combo, use), wanted = stateAfter(&usual, use);
    EXPECT_EQ(got.item, wanted.item);
    EXPECT_EQ(got.text, wanted.text);
    EXPECT_EQ(got.marked, wanted.marked);
  }
}

TEST_F(WindowAsItOpens, NoButtonIsDefaultAndNoCaptionHasAShortcut) {
  for (const char* name : {"Command1", "Command2"}) {
    auto* button = Control<QPushButton>(name);
    EXPECT_FALSE(button->isDefault()) << name;
    EXPECT_FALSE(button->autoDefault()) << name;
  }
  for (const Expected& e : Design()) {
    EXPECT_FALSE(TextOf(Control(e.name)).contains('&')) << e.name;
  }
}

// Combo1 is drawn above Label10 and Label16 where their boxes meet; Label10 covers the
// left part of Label16's box.
TEST_F(WindowAsItOpens, ComboIsDrawnAboveTheLabelsItTouches) {
  QWidget* combo = Control("Combo1");
  for (QPoint p : {QPoint(408, 60), QPoint(412, 70)}) {
    QWidget* top = form_->childAt(p);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top == combo || combo->isAncestorOf(top)) << top->objectName().toStdString();
  }
  EXPECT_TRUE(Control("Label10")->geometry().intersects(Control("Label16")->geometry()));
}

TEST_F(WindowAsItOpens, LineUnderlinesTheInputHeading) {
  auto* line = Control<QFrame>("Line1");
  EXPECT_EQ(line->frameShape(), QFrame::HLine);
  EXPECT_EQ(line->frameShadow(), QFrame::Plain);
  EXPECT_EQ(line->geometry().topLeft(), QPoint(24, 280));
  EXPECT_EQ(line->geometry().left() + line->geometry().width(), 320);
  EXPECT_EQ(line->height(), 1);
}

TEST_F(WindowAsItOpens, EmblemIsStretchedToItsBoxAtScreenDensity) {
  auto* image = Control<QLabel>("Image1");
  EXPECT_TRUE(image->hasScaledContents());
  const QPixmap emblem = image->pixmap();
  ASSERT_FALSE(emblem.isNull());
  EXPECT_EQ(emblem.deviceIndependentSize().toSize(), QSize(84, 93));
  EXPECT_EQ(emblem.devicePixelRatio(), image->devicePixelRatioF());
}

// The widget that has the focus, named as the control it belongs to (the text part of
// Combo1 is a child of Combo1).
QString FocusedControl(QWidget* form) {
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (w->parentWidget() == form) return w->objectName();
  }
  return QStringLiteral("<none>");
}

// The focus chain holds every control that takes the focus, in the designed tab order.
TEST_F(WindowAsItOpens, FocusChainFollowsTheTabOrder) {
  const QStringList takesFocus = {"Text1",  "Text2",   "Text3",   "Text4",    "Combo1",  "Text5",
                                  "Text6",  "Option1", "Option2", "Text7",    "Text8",   "Text9",
                                  "Text10", "Text11",  "Text12",  "Command1", "Command2"};
  QStringList chain;
  QWidget* w = Control("Text1");
  do {
    if (takesFocus.contains(w->objectName()) && !chain.contains(w->objectName())) {
      chain << w->objectName();
    }
    w = w->nextInFocusChain();
  } while (w != Control("Text1"));
  EXPECT_EQ(chain, takesFocus);
}

// Tab walks that order from Text1, skipping the disabled area fields. The two option
// buttons form one group, which Tab enters and leaves as a single stop; the arrow keys
// move between them.
TEST_F(WindowAsItOpens, FocusStartsInText1AndTabSkipsDisabledFields) {
  EXPECT_EQ(FocusedControl(form_.get()), "Text1");
  const QStringList expected = {"Text2",    "Text3",    "Text4",  "Combo1", "Text5",
                                "Text6",    "Option1",  "Text10", "Text11", "Text12",
                                "Command1", "Command2", "Text1"};
  QStringList visited;
  for (int i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << FocusedControl(form_.get());
  }
  EXPECT_EQ(visited, expected);

  QStringList backwards;
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    backwards << FocusedControl(form_.get());
  }
  EXPECT_EQ(backwards, (QStringList{"Command2", "Command1", "Text12"}));
}

TEST_F(WindowAsItOpens, LabelsFramePictureAndLineNeverTakeTheFocus) {
  for (const char* name : {"Label1", "Label7", "Label9", "Label14", "Label15", "Label16", "Frame1",
                           "Image1", "Line1"}) {
    EXPECT_EQ(Control(name)->focusPolicy(), Qt::NoFocus) << name;
  }
}

QString AccessibleText(QWidget* w, QAccessible::Text which) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
  return iface ? iface->text(which) : QStringLiteral("<no interface>");
}

TEST_F(WindowAsItOpens, InputsTellAssistiveTechnologyWhatTheyTake) {
  const std::vector<std::pair<const char*, QString>> names = {
      {"Text1", "Velocidad inicial, ensayo 1"},
      {"Text2", "Velocidad final, ensayo 1"},
      {"Text5", "Tiempo, ensayo 1"},
      {"Text3", "Velocidad inicial, ensayo 2"},
      {"Text4", "Velocidad final, ensayo 2"},
      {"Text6", "Tiempo, ensayo 2"},
      {"Text7", "Área frontal"},
      {"Text8", "Alto"},
      {"Text9", "Ancho"},
      {"Text10", "Peso"},
      {"Text11", "Coeficiente de masas"},
      {"Text12", "Densidad del aire"},
      {"Command1", "Calcular"},
      {"Command2", "Salir"},
      {"Option1", "Area Frontal"},
      {"Option2", "Alto x Ancho"},
  };
  for (const auto& [control, name] : names) {
    EXPECT_EQ(AccessibleText(Control(control), QAccessible::Name), name) << control;
  }
  // The unit chooser: the combo box and its text part, which takes the focus.
  auto* combo = Control<QComboBox>("Combo1");
  EXPECT_EQ(combo->accessibleName(), "Unidades de velocidad");
  EXPECT_EQ(AccessibleText(combo->lineEdit(), QAccessible::Name), "Unidades de velocidad");
}

TEST_F(WindowAsItOpens, ResultLabelShowsItsTextToEveryone) {
  QWidget* result = Control("Label15");
  EXPECT_EQ(AccessibleText(result, QAccessible::Name), "0.--");
  EXPECT_FALSE(AccessibleText(result, QAccessible::Description).isEmpty());
  EXPECT_EQ(result->toolTip(), "0.--");
}

}  // namespace
}  // namespace quorvel::qt::testing
