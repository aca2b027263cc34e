// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/web/form1_markup.h"

#include <array>
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

// Where a designed family is missing, its metric-compatible stand-in, which the page carries.
const char* StandIn(const char* family) {
  return std::string_view(family) == ui::kResultFont.family ? "Liberation Serif"
                                                            : "Liberation Sans";
}

std::string Font(const ui::FontDesign& font) {
  return std::string("font:") + (font.italic ? "italic " : "") + (font.bold ? "bold " : "") +
         NumberToText(font.points, ".") + "pt \"" + font.family + "\", \"" + StandIn(font.family) +
         "\";";
}

std::string Attribute(const char* name, std::string_view value) {
  return std::string(" ") + name + "=\"" + Escape(value) + "\"";
}

// The attributes every text field shares: the text is kept exactly as typed, with no
// correction, completion or capitals.
constexpr char kTypedAsIs[] =
    " autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\" spellcheck=\"false\"";

}  // namespace

Form1Markup WriteForm1Markup() {
  InitialState state;
  ui::kForm1.load(state);

  Form1Markup out;
  std::string& html = out.html;
  std::string& css = out.css;
  html += "<div" + Attribute("id", ui::kForm1.name) + " aria-busy=\"true\">\n";
  css += "#Form1{width:" + Pixels(ui::kForm1.clientWidth) +
         ";height:" + Pixels(ui::kForm1.clientHeight) + ";" + Font(ui::kWindowFont) + "}\n";
  bool inFrame = false;
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (inFrame && !design.inFrame) {
      html += "</fieldset>\n";
      inFrame = false;
    }
    const std::string id = Attribute("id", design.name);
    const std::string text = state.Text(design.id);
    std::string common;
    if (design.accessibleName) common += Attribute("aria-label", design.accessibleName);
    if (design.accessibleDescription) {
      common += Attribute("aria-description", design.accessibleDescription);
    }
    if (!state.Enabled(design.id)) common += " disabled";
    if (design.id == ui::kForm1.firstFocus) common += " autofocus";
    switch (design.kind) {
      case ControlKind::Label:
        html += "<div" + id + " class=\"label\"" + common;
        if (design.showsResult) html += Attribute("title", text);
        html += ">" + Escape(text) + "</div>\n";
        break;
      case ControlKind::TextBox:
        html += "<input" + id + " type=\"text\"" + Attribute("value", text) + kTypedAsIs + common +
                ">\n";
        break;
      case ControlKind::ComboBox: {
        html += "<input" + id + " type=\"text\"" + Attribute("value", text) +
                " role=\"combobox\" aria-autocomplete=\"none\" aria-expanded=\"false\"" +
                Attribute("aria-controls", kComboListId) + kTypedAsIs + common + ">\n";
        // The drop-down arrow sits inside the box's right edge, as on the desktop; it takes
        // no focus, for the keyboard opens the list from the text part.
        html += "<button" + Attribute("id", kComboButtonId) +
                " type=\"button\" tabindex=\"-1\" aria-hidden=\"true\"></button>\n";
        html += "<div" + Attribute("id", kComboListId) + " role=\"listbox\" hidden>";
        for (const char* item : design.items) {
          html += "<div role=\"option\">" + Escape(item) + "</div>";
        }
        html += "</div>\n";
        const ui::TwipsBox& b = design.box;
        constexpr int kArrowWidth = 15 * ui::kTwipsPerPixel;
        constexpr int kInset = 2 * ui::kTwipsPerPixel;
        css += std::string("#") + kComboButtonId + "{" +
               Place({b.right() - kArrowWidth - kInset, b.top + kInset, kArrowWidth,
                      b.height - 2 * kInset}) +
               "}\n";
        css += std::string("#") + kComboListId + "{left:" + Pixels(b.left) +
               ";top:" + Pixels(b.bottom()) + ";min-width:" + Pixels(b.width) + "}\n";
        break;
      }
      case ControlKind::OptionButton:
        // Each option button is a Tab stop of its own, as on the desktop: the radios share
        // no name, and the program keeps them exclusive.
        html +=
            "<label" + id + "><input type=\"radio\"" + common + ">" + Escape(text) + "</label>\n";
        break;
      case ControlKind::PushButton:
        html += "<button" + id + " type=\"button\"" + common + ">" + Escape(text) + "</button>\n";
        break;
      case ControlKind::Frame:
        html += "<fieldset" + id + common + "><legend>" + Escape(text) + "</legend>\n";
        inFrame = true;
        break;
      case ControlKind::Picture:
        html += "<img" + id + " src=\"emblem.png\" alt=\"\" draggable=\"false\"" + common + ">\n";
        break;
      case ControlKind::Line:
        html += "<div" + id + " class=\"line\"" + common + "></div>\n";
        break;
    }
    css += std::string("#") + design.name + "{" + Place(design.box);
    if (design.font != ui::FontRole::Window) css += Font(ui::Font(design.font));
    css += "}\n";
  }
  if (inFrame) html += "</fieldset>\n";
  html += "</div>\n";
  return out;
}

}  // namespace quorvel::web
