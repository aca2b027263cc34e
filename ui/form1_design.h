// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window Form1 as its designer laid it out, free of any toolkit: every control once,
// with its kind, name, caption or initial text, box in twips, font, tab index, the label
// that names it on screen, its accessible name and the event procedure its click runs.
// Each front end builds its controls from this table and nothing else, so a caption or a
// box changes here and shows in every program.

#include <array>
#include <optional>
#include <span>

#include "ui/form1_procedures.h"
#include "ui/twips.h"

namespace quorvel::ui {

enum class ControlKind { Label, TextBox, ComboBox, OptionButton, PushButton, Frame, Picture, Line };

enum class FontRole { Window, Title, Result };

struct FontDesign {
  const char* family;
  double points;
  bool bold;
  bool italic;
  // The face drawn where the family is missing, with its widths: Liberation Serif has those
  // of Times New Roman; Liberation Sans runs close to MS Sans Serif, where the usual default
  // sans face runs much wider than the boxes allow.
  const char* standIn;
};

// The window's default font, the title lines' and the result line's.
inline constexpr FontDesign kWindowFont{"MS Sans Serif", 8, false, false, "Liberation Sans"};
inline constexpr FontDesign kTitleFont{"MS Sans Serif", 13.5, false, false, "Liberation Sans"};
inline constexpr FontDesign kResultFont{"Times New Roman", 21.75, true, true, "Liberation Serif"};

constexpr const FontDesign& Font(FontRole role) {
  switch (role) {
    case FontRole::Title:
      return kTitleFont;
    case FontRole::Result:
      return kResultFont;
    case FontRole::Window:
      break;
  }
  return kWindowFont;
}

// Every control, in tab order; Image1 and Line1, which have no tab index, come last.
// clang-format off
enum class ControlId : int {
  Label1, Label2, Text1, Text2, Label3, Label4, Text3, Text4, Combo1, Label5, Text5, Label6,
  Text6, Label7, Option1, Option2, Text7, Text8, Text9, Label8, Label9, Label10, Text10,
  Label11, Text11, Label12, Text12, Label13, Frame1, Label14, Label15, Command1, Command2,
  Label16, Image1, Line1
};
// clang-format on
inline constexpr int kControlCount = static_cast<int>(ControlId::Line1) + 1;

constexpr int Index(ControlId id) { return static_cast<int>(id); }

inline constexpr std::array<const char*, 2> kSpeedUnits = {"km/h", "m/sg"};

// The width of a drop-down combo box's arrow button, in pixels at 96 dpi, as the classic
// look draws it; a front end that sizes the arrow itself keeps to it.
inline constexpr int kDropDownArrowPixels = 15;

struct ControlDesign {
  ControlId id;
  const char* name;
  ControlKind kind;
  const char* text;  // caption or initial text, UTF-8
  // From the client area's top-left corner, or from Frame1's for the controls inside it.
  TwipsBox box;
  int tabIndex = -1;  // -1: none (the picture and the line)
  bool inFrame = false;
  FontRole font = FontRole::Window;
  // The label that names this input on screen, where one does.
  std::optional<ControlId> label = std::nullopt;
  // What assistive technology announces for an input, in words fuller than its label's.
  const char* accessibleName = nullptr;
  // What assistive technology says a control holds, beside its name.
  const char* accessibleDescription = nullptr;
  // The list of a combo box.
  std::span<const char* const> items = {};
  // The procedure a click runs (for an option button, its selection).
  EventProcedure click = nullptr;
  // The label the program writes its result into; its whole text also goes to its tooltip.
  bool showsResult = false;
};

// clang-format off
inline constexpr std::array<ControlDesign, kControlCount> kForm1Controls = {{
    {.id = ControlId::Label1, .name = "Label1", .kind = ControlKind::Label,
     .text = "Velocidad Inicial", .box = {360, 1560, 1575, 255}, .tabIndex = 0},
    {.id = ControlId::Label2, .name = "Label2", .kind = ControlKind::Label,
     .text = "Velocidad Final", .box = {4080, 1560, 1575, 255}, .tabIndex = 1},
    {.id = ControlId::Text1, .name = "Text1", .kind = ControlKind::TextBox, .text = "90",
     .box = {1800, 1560, 855, 285}, .tabIndex = 2, .label = ControlId::Label1,
     .accessibleName = "Velocidad inicial, ensayo 1"},
    {.id = ControlId::Text2, .name = "Text2", .kind = ControlKind::TextBox, .text = "80",
     .box = {5400, 1560, 855, 285}, .tabIndex = 3, .label = ControlId::Label2,
     .accessibleName = "Velocidad final, ensayo 1"},
    {.id = ControlId::Label3, .name = "Label3", .kind = ControlKind::Label,
     .text = "Velocidad Inicial", .box = {360, 2880, 1575, 255}, .tabIndex = 4},
    {.id = ControlId::Label4, .name = "Label4", .kind = ControlKind::Label,
     .text = "Velocidad Final", .box = {4080, 2880, 1575, 255}, .tabIndex = 5},
    {.id = ControlId::Text3, .name = "Text3", .kind = ControlKind::TextBox, .text = "20",
     .box = {1800, 2880, 855, 285}, .tabIndex = 6, .label = ControlId::Label3,
     .accessibleName = "Velocidad inicial, ensayo 2"},
    {.id = ControlId::Text4, .name = "Text4", .kind = ControlKind::TextBox, .text = "10",
     .box = {5400, 2880, 855, 285}, .tabIndex = 7, .label = ControlId::Label4,
     .accessibleName = "Velocidad final, ensayo 2"},
    {.id = ControlId::Combo1, .name = "Combo1", .kind = ControlKind::ComboBox, .text = "km/h",
     .box = {6120, 840, 735, 315}, .tabIndex = 8, .label = ControlId::Label16,
     .accessibleName = "Unidades de velocidad", .items = kSpeedUnits},
    {.id = ControlId::Label5, .name = "Label5", .kind = ControlKind::Label,
     .text = "Tiempo en Sg.", .box = {2760, 2040, 1575, 255}, .tabIndex = 9},
    {.id = ControlId::Text5, .name = "Text5", .kind = ControlKind::TextBox, .text = "",
     .box = {4200, 2040, 855, 285}, .tabIndex = 10, .label = ControlId::Label5,
     .accessibleName = "Tiempo, ensayo 1"},
    {.id = ControlId::Label6, .name = "Label6", .kind = ControlKind::Label,
     .text = "Tiempo en Sg.", .box = {2760, 3360, 1575, 255}, .tabIndex = 11},
    {.id = ControlId::Text6, .name = "Text6", .kind = ControlKind::TextBox, .text = "",
     .box = {4200, 3360, 855, 285}, .tabIndex = 12, .label = ControlId::Label6,
     .accessibleName = "Tiempo, ensayo 2"},
    {.id = ControlId::Label7, .name = "Label7", .kind = ControlKind::Label,
     .text = "Datos de Entrada (Utilizar sistema internacional de unidades)",
     .box = {480, 3960, 4575, 255}, .tabIndex = 13},
    {.id = ControlId::Option1, .name = "Option1", .kind = ControlKind::OptionButton,
     .text = "Area Frontal", .box = {600, 4440, 1215, 255}, .tabIndex = 14,
     .click = Option1_Click},
    {.id = ControlId::Option2, .name = "Option2", .kind = ControlKind::OptionButton,
     .text = "Alto x Ancho", .box = {3480, 4440, 1215, 255}, .tabIndex = 15,
     .click = Option2_Click},
    {.id = ControlId::Text7, .name = "Text7", .kind = ControlKind::TextBox, .text = "",
     .box = {1920, 4440, 975, 285}, .tabIndex = 16, .accessibleName = "Área frontal"},
    {.id = ControlId::Text8, .name = "Text8", .kind = ControlKind::TextBox, .text = "",
     .box = {4800, 4440, 975, 285}, .tabIndex = 17, .accessibleName = "Alto"},
    {.id = ControlId::Text9, .name = "Text9", .kind = ControlKind::TextBox, .text = "",
     .box = {6120, 4440, 975, 285}, .tabIndex = 18, .accessibleName = "Ancho"},
    {.id = ControlId::Label8, .name = "Label8", .kind = ControlKind::Label, .text = "x",
     .box = {5880, 4440, 135, 255}, .tabIndex = 19},
    {.id = ControlId::Label9, .name = "Label9", .kind = ControlKind::Label,
     .text = "Quorvel versión 1.0", .box = {1680, 360, 3945, 435}, .tabIndex = 20,
     .font = FontRole::Title},
    {.id = ControlId::Label10, .name = "Label10", .kind = ControlKind::Label, .text = "BRENZO",
     .box = {1680, 840, 4455, 555}, .tabIndex = 21, .font = FontRole::Title},
    {.id = ControlId::Text10, .name = "Text10", .kind = ControlKind::TextBox, .text = "",
     .box = {1920, 5280, 975, 285}, .tabIndex = 22, .label = ControlId::Label11,
     .accessibleName = "Peso"},
    {.id = ControlId::Label11, .name = "Label11", .kind = ControlKind::Label, .text = "Peso",
     .box = {720, 5280, 1215, 255}, .tabIndex = 23},
    {.id = ControlId::Text11, .name = "Text11", .kind = ControlKind::TextBox, .text = "1.06",
     .box = {1920, 5640, 975, 285}, .tabIndex = 24, .label = ControlId::Label12,
     .accessibleName = "Coeficiente de masas"},
    {.id = ControlId::Label12, .name = "Label12", .kind = ControlKind::Label,
     .text = "Coef. Masas", .box = {720, 5640, 1215, 255}, .tabIndex = 25},
    {.id = ControlId::Text12, .name = "Text12", .kind = ControlKind::TextBox, .text = "1.22",
     .box = {1920, 6000, 975, 285}, .tabIndex = 26, .label = ControlId::Label13,
     .accessibleName = "Densidad del aire"},
    {.id = ControlId::Label13, .name = "Label13", .kind = ControlKind::Label,
     .text = "Densidad Aire", .box = {720, 6000, 1215, 255}, .tabIndex = 27},
    {.id = ControlId::Frame1, .name = "Frame1", .kind = ControlKind::Frame,
     .text = "Coef. Aerodinámico", .box = {5160, 5160, 2055, 1095}, .tabIndex = 28},
    {.id = ControlId::Label14, .name = "Label14", .kind = ControlKind::Label, .text = "Cx=",
     .box = {120, 360, 855, 495}, .tabIndex = 29, .inFrame = true, .font = FontRole::Result},
    {.id = ControlId::Label15, .name = "Label15", .kind = ControlKind::Label, .text = "0.--",
     .box = {960, 360, 855, 495}, .tabIndex = 30, .inFrame = true, .font = FontRole::Result,
     .accessibleDescription = "Coeficiente aerodinámico Cx", .showsResult = true},
    {.id = ControlId::Command1, .name = "Command1", .kind = ControlKind::PushButton,
     .text = "Calcular", .box = {3600, 5160, 1095, 495}, .tabIndex = 31,
     .click = Command1_Click},
    {.id = ControlId::Command2, .name = "Command2", .kind = ControlKind::PushButton,
     .text = "Salir", .box = {3600, 5880, 1095, 495}, .tabIndex = 32, .click = Command2_Click},
    {.id = ControlId::Label16, .name = "Label16", .kind = ControlKind::Label, .text = "Unidades",
     .box = {5400, 960, 855, 255}, .tabIndex = 33},
    {.id = ControlId::Image1, .name = "Image1", .kind = ControlKind::Picture, .text = "",
     .box = {360, 120, 1035, 1155}},
    // The line runs from (360, 4200) to (4800, 4200), one pixel high.
    {.id = ControlId::Line1, .name = "Line1", .kind = ControlKind::Line, .text = "",
     .box = {360, 4200, 4440, 15}},
}};
// clang-format on

constexpr const ControlDesign& Design(ControlId id) { return kForm1Controls[Index(id)]; }

// True for the controls that can take the focus; labels, the frame, the picture and the
// line never do.
constexpr bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::ComboBox ||
         kind == ControlKind::OptionButton || kind == ControlKind::PushButton;
}

// The window itself. Every front end lets the windowing system place it on the screen.
struct WindowDesign {
  const char* name;
  const char* caption;  // UTF-8; it begins with a space
  int clientWidth;      // twips
  int clientHeight;     // twips
  EventProcedure load;  // runs once, when the window and its controls exist, before it shows
  ControlId firstFocus;
};

inline constexpr WindowDesign kForm1{
    .name = "Form1",
    .caption = " Quorvel V1.0 - Cx",
    .clientWidth = 7425,
    .clientHeight = 6600,
    .load = Form_Load,
    .firstFocus = ControlId::Text1,
};

}  // namespace quorvel::ui

namespace quorvel::ui::detail {

constexpr bool RowsAreInTabOrder() {
  for (int i = 0; i < kControlCount; ++i) {
    const ControlDesign& c = kForm1Controls[i];
    if (Index(c.id) != i) return false;
    const bool hasTabIndex = c.kind != ControlKind::Picture && c.kind != ControlKind::Line;
    if (c.tabIndex != (hasTabIndex ? i : -1)) return false;
  }
  return true;
}

constexpr bool BoxesFallOnWholePixels() {
  for (const ControlDesign& c : kForm1Controls) {
    if (!c.box.IsWholePixels()) return false;
  }
  return kForm1.clientWidth % kTwipsPerPixel == 0 && kForm1.clientHeight % kTwipsPerPixel == 0;
}

static_assert(RowsAreInTabOrder(), "each row sits at its ControlId, and that is its tab index");
static_assert(BoxesFallOnWholePixels(), "every box must fall on whole pixels at 96 dpi");

}  // namespace quorvel::ui::detail
