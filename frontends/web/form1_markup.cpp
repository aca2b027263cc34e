// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/web/form1_markup.h"

#include <array>
#include <cstring>
#include <string_view>

#include "runtime/conversions.h"
#include "ui/form1_frontend.h"

namespace quorvel::web {

namespace {

using ui::ControlDesign;
using ui::ControlId;
using ui::ControlKind;

// The window as Form_Load leaves it: the texts and enabled states it set.
class InitialState final : public ui::Form1Frontend {
 public:
  InitialState() {
    for (const ControlDesign& design : ui::kForm1Controls)
      texts_[ui::Index(design.id)] = design.text;
    enabled_.fill(true);
  }

  std::string Text(ControlId control) const override { return texts_[ui::Index(control)]; }
  void SetText(ControlId control, std::string_view text) override {
    texts_[ui::Index(control)] = std::string(text);
  }
  void SetEnabled(ControlId control, bool enabled) override {
    enabled_[ui::Index(control)] = enabled;
  }
  void SetCaption(ControlId control, std::string_view caption) override {
    texts_[ui::Index(control)] = std::string(caption);
  }
  std::string DecimalSeparator() const override { return "."; }
  void End() override {}
  // Form_Load raises no run-time error.
  void ReportRunTimeError(std::string_view) override {}

  bool Enabled(ControlId control) const { return enabled_[ui::Index(control)]; }

 private:
  std::array<std::string, ui::kControlCount> texts_;
  std::array<bool, ui::kControlCount> enabled_{};
};

// Text as HTML text or attribute value: never markup.
std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Pixels(int twips) { return std::to_string(twips / ui::kTwipsPerPixel) + "px"; }

std::string Place(const ui::TwipsBox& box) {
  return "left:" + Pixels(box.left) + ";top:" + Pixels(box.top) + ";width:" + Pixels(box.width) +
         ";height:" + Pixels(box.height) + ";";
}

// A designed font as the value of CSS's font property, its stand-in after it.
std::string FontValue(const ui::FontDesign& font) {
  return std::string(font.italic ? "italic " : "") + (font.bold ? "bold " : "") +
         NumberToText(font.points, ".") + "pt \"" + font.family + "\", \"" + font.standIn + "\"";
}

std::string Font(const ui::FontDesign& font) { return "font:" + FontValue(font) + ";"; }

std::string Attribute(const char* name, std::string_view value) {
  return std::string(" ") + name + "=\"" + Escape(value) + "\"";
}

// The attributes every text field shares: the text is kept exactly as typed, with no
// correction, completion or capitals.
constexpr char kTypedAsIs[] =
    " autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\" spellcheck=\"false\"";

// One control as the page writes it: its id attribute, its text as Form_Load leaves it, and
// the attributes every kind takes (accessible name and description, disabled, first focus).
struct Control {
  const ControlDesign& design;
  std::string id;
  std::string text;
  std::string common;
};

std::string Label(const Control& c) {
  std::string html = "<div" + c.id + " class=\"label\"" + c.common;
  if (c.design.showsResult) html += Attribute("title", c.text);
  return html + ">" + Escape(c.text) + "</div>\n";
}

std::string TextBox(const Control& c) {
  return "<input" + c.id + " type=\"text\"" + Attribute("value", c.text) + kTypedAsIs + c.common +
         ">\n";
}

// The text part, the drop-down arrow and the list, and the places of the arrow and the list.
std::string ComboBox(const Control& c, std::string& css) {
  std::string html = "<input" + c.id + " type=\"text\"" + Attribute("value", c.text) +
                     " role=\"combobox\" aria-autocomplete=\"none\" aria-expanded=\"false\"" +
                     Attribute("aria-controls", kComboListId) + kTypedAsIs + c.common + ">\n";
  // The drop-down arrow sits inside the box's right edge, as on the desktop; it takes no
  // focus, for the keyboard opens the list from the text part.
  html += "<button" + Attribute("id", kComboButtonId) +
          " type=\"button\" tabindex=\"-1\" aria-hidden=\"true\"></button>\n";
  html += "<div" + Attribute("id", kComboListId) + " role=\"listbox\" hidden>";
  for (const char* item : c.design.items) {
    html += "<div role=\"option\">" + Escape(item) + "</div>";
  }
  html += "</div>\n";
  const ui::TwipsBox& b = c.design.box;
  constexpr int kArrowWidth = ui::kDropDownArrowPixels * ui::kTwipsPerPixel;
  constexpr int kInset = 2 * ui::kTwipsPerPixel;
  css += std::string("#") + kComboButtonId + "{" +
         Place({b.right() - kArrowWidth - kInset, b.top + kInset, kArrowWidth,
                b.height - 2 * kInset}) +
         "}\n";
  css += std::string("#") + kComboListId + "{left:" + Pixels(b.left) +
         ";top:" + Pixels(b.bottom()) + ";min-width:" + Pixels(b.width) + "}\n";
  return html;
}

// Each option button is a Tab stop of its own, as on the desktop: each radio is a group of
// its own, by a name of its own (a browser lets Tab reach only one radio of a group, and
// radios with no name make one group in some engines), and the program keeps them exclusive
// and answers their arrow keys.
std::string OptionButton(const Control& c) {
  return "<label" + c.id + "><input type=\"radio\"" + Attribute("name", c.design.name) +
         c.common + ">" + Escape(c.text) + "</label>\n";
}

std::string PushButton(const Control& c) {
  return "<button" + c.id + " type=\"button\"" + c.common + ">" + Escape(c.text) + "</button>\n";
}

// Opens the frame; the controls in it follow, and the frame closes after the last of them.
std::string Frame(const Control& c) {
  return "<fieldset" + c.id + c.common + "><legend>" + Escape(c.text) + "</legend>\n";
}

std::string Picture(const Control& c) {
  return "<img" + c.id + " src=\"emblem.png\" alt=\"\" draggable=\"false\"" + c.common + ">\n";
}

std::string Line(const Control& c) {
  return "<div" + c.id + " class=\"line\"" + c.common + "></div>\n";
}

std::string Html(const Control& c, std::string& css) {
  switch (c.design.kind) {
    case ControlKind::Label:
      return Label(c);
    case ControlKind::TextBox:
      return TextBox(c);
    case ControlKind::ComboBox:
      return ComboBox(c, css);
    case ControlKind::OptionButton:
      return OptionButton(c);
    case ControlKind::PushButton:
      return PushButton(c);
    case ControlKind::Frame:
      return Frame(c);
    case ControlKind::Picture:
      return Picture(c);
    case ControlKind::Line:
      return Line(c);
  }
  return {};
}

// The attributes every kind of control takes.
std::string Common(const ControlDesign& design, const InitialState& state) {
  std::string common;
  if (design.accessibleName) common += Attribute("aria-label", design.accessibleName);
  if (design.accessibleDescription) {
    common += Attribute("aria-description", design.accessibleDescription);
  }
  if (!state.Enabled(design.id)) common += " disabled";
  // Not `autofocus`: Chromium focuses such a field while the page is still being laid out,
  // which holds back the window's first frame. The page's start script focuses it once the
  // window has been drawn.
  if (design.id == ui::kForm1.firstFocus) common += " data-first-focus";
  return common;
}

}  // namespace

Form1Markup WriteForm1Markup() {
  InitialState state;
  ui::kForm1.load(state);

  Form1Markup out;
  std::string& html = out.html;
  std::string& css = out.css;
  out.title = Escape(ui::kForm1.caption + std::strspn(ui::kForm1.caption, " "));
  html += "<div" + Attribute("id", ui::kForm1.name) + " aria-busy=\"true\">\n";
  // The page's own rules (its body, the error report) take the window's font from here.
  css += ":root{--window-font:" + FontValue(ui::kWindowFont) + "}\n";
  css += "#Form1{width:" + Pixels(ui::kForm1.clientWidth) +
         ";height:" + Pixels(ui::kForm1.clientHeight) + ";" + Font(ui::kWindowFont) + "}\n";
  bool inFrame = false;
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (inFrame && !design.inFrame) {
      html += "</fieldset>\n";
      inFrame = false;
    }
    const Control control{design, Attribute("id", design.name), state.Text(design.id),
                          Common(design, state)};
    html += Html(control, css);
    if (design.kind == ControlKind::Frame) inFrame = true;
    css += std::string("#") + design.name + "{" + Place(design.box);
    if (design.font != ui::FontRole::Window) css += Font(ui::Font(design.font));
    css += "}\n";
  }
  if (inFrame) html += "</fieldset>\n";
  html += "</div>\n";
  return out;
}

}  // namespace quorvel::web
