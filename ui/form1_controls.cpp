#include "ui/form1_controls.h"

#include <QPixmap>

#include <algorithm>
#include <cmath>

#include "ui/classic_metrics_style.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/twips.h"

namespace quorvel {

namespace {

enum class Kind {
  Label,
  ResultLabel,
  TextBox,
  ComboBox,
  OptionButton,
  PushButton,
  Frame,
  Picture,
  Line
};
enum class Font { Window, Title, Result };

// One control as designed. Boxes are in twips, from the client area's top-left corner, or
// from the frame's for the controls inside Frame1. Texts are UTF-8.
struct ControlDesign {
  const char* name;
  Kind kind;
  const char* text;
  TwipsBox box;
  bool inFrame = false;
  Font font = Font::Window;
  const char* accessibleName = nullptr;
};

// In tab order; the picture and the line, which have no tab index, come last.
// clang-format off
constexpr ControlDesign kControls[] = {
    {.name = "Label1", .kind = Kind::Label, .text = "Velocidad Inicial",
     .box = {360, 1560, 1575, 255}},
    {.name = "Label2", .kind = Kind::Label, .text = "Velocidad Final",
     .box = {4080, 1560, 1575, 255}},
    {.name = "Text1", .kind = Kind::TextBox, .text = "90",
     .box = {1800, 1560, 855, 285}, .accessibleName = "Velocidad inicial, ensayo 1"},
    {.name = "Text2", .kind = Kind::TextBox, .text = "80",
     .box = {5400, 1560, 855, 285}, .accessibleName = "Velocidad final, ensayo 1"},
    {.name = "Label3", .kind = Kind::Label, .text = "Velocidad Inicial",
     .box = {360, 2880, 1575, 255}},
    {.name = "Label4", .kind = Kind::Label, .text = "Velocidad Final",
     .box = {4080, 2880, 1575, 255}},
    {.name = "Text3", .kind = Kind::TextBox, .text = "20",
     .box = {1800, 2880, 855, 285}, .accessibleName = "Velocidad inicial, ensayo 2"},
    {.name = "Text4", .kind = Kind::TextBox, .text = "10",
     .box = {5400, 2880, 855, 285}, .accessibleName = "Velocidad final, ensayo 2"},
    {.name = "Combo1", .kind = Kind::ComboBox, .text = "km/h",
     .box = {6120, 840, 735, 315}, .accessibleName = "Unidades de velocidad"},
    {.name = "Label5", .kind = Kind::Label, .text = "Tiempo en Sg.",
     .box = {2760, 2040, 1575, 255}},
    {.name = "Text5", .kind = Kind::TextBox, .text = "",
     .box = {4200, 2040, 855, 285}, .accessibleName = "Tiempo, ensayo 1"},
    {.name = "Label6", .kind = Kind::Label, .text = "Tiempo en Sg.",
     .box = {2760, 3360, 1575, 255}},
    {.name = "Text6", .kind = Kind::TextBox, .text = "",
     .box = {4200, 3360, 855, 285}, .accessibleName = "Tiempo, ensayo 2"},
    {.name = "Label7", .kind = Kind::Label,
     .text = "Datos de Entrada (Utilizar sistema internacional de unidades)",
     .box = {480, 3960, 4575, 255}},
    {.name = "Option1", .kind = Kind::OptionButton, .text = "Area Frontal",
     .box = {600, 4440, 1215, 255}},
    {.name = "Option2", .kind = Kind::OptionButton, .text = "Alto x Ancho",
     .box = {3480, 4440, 1215, 255}},
    {.name = "Text7", .kind = Kind::TextBox, .text = "",
     .box = {1920, 4440, 975, 285}, .accessibleName = "Área frontal"},
    {.name = "Text8", .kind = Kind::TextBox, .text = "",
     .box = {4800, 4440, 975, 285}, .accessibleName = "Alto"},
    {.name = "Text9", .kind = Kind::TextBox, .text = "",
     .box = {6120, 4440, 975, 285}, .accessibleName = "Ancho"},
    {.name = "Label8", .kind = Kind::Label, .text = "x", .box = {5880, 4440, 135, 255}},
    {.name = "Label9", .kind = Kind::Label, .text = "Quorvel versión 1.0",
     .box = {1680, 360, 3945, 435}, .font = Font::Title},
    {.name = "Label10", .kind = Kind::Label, .text = "BRENZO",
     .box = {1680, 840, 4455, 555}, .font = Font::Title},
    {.name = "Text10", .kind = Kind::TextBox, .text = "",
     .box = {1920, 5280, 975, 285}, .accessibleName = "Peso"},
    {.name = "Label11", .kind = Kind::Label, .text = "Peso", .box = {720, 5280, 1215, 255}},
    {.name = "Text11", .kind = Kind::TextBox, .text = "1.06",
     .box = {1920, 5640, 975, 285}, .accessibleName = "Coeficiente de masas"},
    {.name = "Label12", .kind = Kind::Label, .text = "Coef. Masas", .box = {720, 5640, 1215, 255}},
    {.name = "Text12", .kind = Kind::TextBox, .text = "1.22",
     .box = {1920, 6000, 975, 285}, .accessibleName = "Densidad del aire"},
    {.name = "Label13", .kind = Kind::Label, .text = "Densidad Aire",
     .box = {720, 6000, 1215, 255}},
    {.name = "Frame1", .kind = Kind::Frame, .text = "Coef. Aerodinámico",
     .box = {5160, 5160, 2055, 1095}},
    {.name = "Label14", .kind = Kind::Label, .text = "Cx=",
     .box = {120, 360, 855, 495}, .inFrame = true, .font = Font::Result},
    {.name = "Label15", .kind = Kind::ResultLabel, .text = "0.--",
     .box = {960, 360, 855, 495}, .inFrame = true, .font = Font::Result},
    {.name = "Command1", .kind = Kind::PushButton, .text = "Calcular",
     .box = {3600, 5160, 1095, 495}},
    {.name = "Command2", .kind = Kind::PushButton, .text = "Salir", .box = {3600, 5880, 1095, 495}},
    {.name = "Label16", .kind = Kind::Label, .text = "Unidades", .box = {5400, 960, 855, 255}},
    {.name = "Image1", .kind = Kind::Picture, .text = "", .box = {360, 120, 1035, 1155}},
    // The line runs from (360, 4200) to (4800, 4200), one pixel high.
    {.name = "Line1", .kind = Kind::Line, .text = "", .box = {360, 4200, 4440, 15}},
};
// clang-format on

static_assert(std::all_of(std::begin(kControls), std::end(kControls),
                          [](const ControlDesign& c) { return c.box.IsWholePixels(); }),
              "every box must fall on whole pixels");

QFont FontFor(Font font) {
  switch (font) {
    case Font::Title:
      return TitleFont();
    case Font::Result:
      return ResultFont();
    case Font::Window:
      break;
  }
  return WindowFont();
}

// The emblem at its designed 84 by 93 pixels, rendered for the screen's pixel density so
// that it stays sharp when stretched into its box.
QPixmap EmblemPixmap(qreal devicePixelRatio) {
  const QSize pixels(static_cast<int>(std::ceil(kEmblemSize.width() * devicePixelRatio)),
                     static_cast<int>(std::ceil(kEmblemSize.height() * devicePixelRatio)));
  QPixmap pixmap = QPixmap::fromImage(EmblemPicture(pixels));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

QWidget* Create(const ControlDesign& design, QWidget* parent) {
  const QString text = QString::fromUtf8(design.text);
  switch (design.kind) {
    case Kind::Label: {
      auto* label = new QLabel(text, parent);
      // Text that does not fit is cut at the box's edge, never wrapped.
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case Kind::ResultLabel: {
      auto* label = new ResultLabel(parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->SetCaption(text);
      return label;
    }
    case Kind::TextBox:
      return new QLineEdit(text, parent);
    case Kind::ComboBox: {
      auto* combo = new QComboBox(parent);
      SetClassicMetrics(*combo);
      combo->setEditable(true);
      // A typed text is taken as it is: not completed, not added to the list.
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->setCompleter(nullptr);
      combo->addItems({QStringLiteral("km/h"), QStringLiteral("m/sg")});
      combo->setEditText(text);
      return combo;
    }
    case Kind::OptionButton: {
      auto* option = new QRadioButton(text, parent);
      SetClassicMetrics(*option);
      return option;
    }
    case Kind::PushButton: {
      auto* button = new QPushButton(text, parent);
      button->setAutoDefault(false);
      button->setDefault(false);
      return button;
    }
    case Kind::Frame: {
      auto* frame = new QGroupBox(text, parent);
      SetClassicMetrics(*frame);
      return frame;
    }
    case Kind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setScaledContents(true);
      picture->setPixmap(EmblemPixmap(parent->devicePixelRatioF()));
      return picture;
    }
    case Kind::Line: {
      auto* line = new QFrame(parent);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Plain);
      line->setLineWidth(1);
      return line;
    }
  }
  return nullptr;
}

bool TakesFocus(Kind kind) {
  return kind == Kind::TextBox || kind == Kind::ComboBox || kind == Kind::OptionButton ||
         kind == Kind::PushButton;
}

template <typename T>
T* Find(QWidget& form, const char* name) {
  return form.findChild<T*>(QString::fromLatin1(name));
}

}  // namespace

Form1Controls BuildForm1Controls(QWidget& form) {
  QWidget* frame = nullptr;
  QWidget* previousInTabOrder = nullptr;
  for (const ControlDesign& design : kControls) {
    QWidget* parent = design.inFrame ? frame : &form;
    QWidget* control = Create(design, parent);
    control->setObjectName(QString::fromLatin1(design.name));
    control->setGeometry(design.box.ToPixels());
    if (design.font != Font::Window) control->setFont(FontFor(design.font));
    if (design.accessibleName) {
      const QString name = QString::fromUtf8(design.accessibleName);
      control->setAccessibleName(name);
      // Some platforms name a combo box after its current text; its text part, which is
      // what takes the focus, carries the name too.
      if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->lineEdit()->setAccessibleName(name);
    }
    if (design.kind == Kind::Frame) frame = control;
    if (TakesFocus(design.kind)) {
      if (previousInTabOrder) QWidget::setTabOrder(previousInTabOrder, control);
      previousInTabOrder = control;
    }
  }

  Form1Controls c;
  c.Label1 = Find<QLabel>(form, "Label1");
  c.Label2 = Find<QLabel>(form, "Label2");
  c.Label3 = Find<QLabel>(form, "Label3");
  c.Label4 = Find<QLabel>(form, "Label4");
  c.Label5 = Find<QLabel>(form, "Label5");
  c.Label6 = Find<QLabel>(form, "Label6");
  c.Label7 = Find<QLabel>(form, "Label7");
  c.Label8 = Find<QLabel>(form, "Label8");
  c.Label9 = Find<QLabel>(form, "Label9");
  c.Label10 = Find<QLabel>(form, "Label10");
  c.Label11 = Find<QLabel>(form, "Label11");
  c.Label12 = Find<QLabel>(form, "Label12");
  c.Label13 = Find<QLabel>(form, "Label13");
  c.Label14 = Find<QLabel>(form, "Label14");
  c.Label15 = Find<ResultLabel>(form, "Label15");
  c.Label16 = Find<QLabel>(form, "Label16");
  c.Text1 = Find<QLineEdit>(form, "Text1");
  c.Text2 = Find<QLineEdit>(form, "Text2");
  c.Text3 = Find<QLineEdit>(form, "Text3");
  c.Text4 = Find<QLineEdit>(form, "Text4");
  c.Text5 = Find<QLineEdit>(form, "Text5");
  c.Text6 = Find<QLineEdit>(form, "Text6");
  c.Text7 = Find<QLineEdit>(form, "Text7");
  c.Text8 = Find<QLineEdit>(form, "Text8");
  c.Text9 = Find<QLineEdit>(form, "Text9");
  c.Text10 = Find<QLineEdit>(form, "Text10");
  c.Text11 = Find<QLineEdit>(form, "Text11");
  c.Text12 = Find<QLineEdit>(form, "Text12");
  c.Combo1 = Find<QComboBox>(form, "Combo1");
  c.Option1 = Find<QRadioButton>(form, "Option1");
  c.Option2 = Find<QRadioButton>(form, "Option2");
  c.Command1 = Find<QPushButton>(form, "Command1");
  c.Command2 = Find<QPushButton>(form, "Command2");
  c.Frame1 = Find<QGroupBox>(form, "Frame1");
  c.Image1 = Find<QLabel>(form, "Image1");
  c.Line1 = Find<QFrame>(form, "Line1");

  // Combo1 is drawn above Label10 and Label16, whose boxes it touches.
  c.Combo1->raise();
  return c;
}

}  // namespace quorvel
