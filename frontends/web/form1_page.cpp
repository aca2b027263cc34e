// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/web/form1_page.h"

#include <algorithm>
#include <exception>

#include "frontends/web/error_report.h"
#include "frontends/web/program.h"
#include "runtime/conversions.h"
#include "runtime/run_time_error.h"

namespace quorvel::web {

namespace {

using ui::ControlDesign;
using ui::ControlId;
using ui::ControlKind;

// Where a designed family is missing, its metric-compatible stand-in, which the page carries.
const char* StandIn(const char* family) {
  return std::string_view(family) == ui::kResultFont.family ? "Liberation Serif"
                                                            : "Liberation Sans";
}

std::string Pixels(int twips) { return std::to_string(twips / ui::kTwipsPerPixel) + "px"; }

void Place(val& element, const ui::TwipsBox& box) {
  SetStyle(element, "left", Pixels(box.left));
  SetStyle(element, "top", Pixels(box.top));
  SetStyle(element, "width", Pixels(box.width));
  SetStyle(element, "height", Pixels(box.height));
}

void SetFont(val& element, const ui::FontDesign& font) {
  SetStyle(element, "font-family",
           std::string("\"") + font.family + "\", \"" + StandIn(font.family) + "\"");
  SetStyle(element, "font-size", NumberToText(font.points, ".") + "pt");
  SetStyle(element, "font-weight", font.bold ? "bold" : "normal");
  SetStyle(element, "font-style", font.italic ? "italic" : "normal");
}

const ControlDesign* DesignNamed(const std::string& name) {
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (name == design.name) return &design;
  }
  return nullptr;
}

// The id of the element an event happened in, or of the nearest one around it that has one.
std::string IdAround(const val& target) {
  if (!target.instanceof (val::global("Element"))) return {};
  const val owner = target.call<val>("closest", val("[id]"));
  return owner.isNull() ? std::string() : owner["id"].as<std::string>();
}

constexpr char kComboButtonId[] = "Combo1Button";
constexpr char kComboListId[] = "Combo1List";

}  // namespace

Form1Page::Form1Page(val parent) : window_(NewElement("div")) {
  window_.set("id", val(ui::kForm1.name));
  SetStyle(window_, "width", Pixels(ui::kForm1.clientWidth));
  SetStyle(window_, "height", Pixels(ui::kForm1.clientHeight));
  SetFont(window_, ui::kWindowFont);

  elements_.reserve(ui::kControlCount);
  val frame = val::null();
  for (const ControlDesign& design : ui::kForm1Controls) {
    val container = design.inFrame ? frame : window_;
    val box = val::null();      // the element at the designed place
    val control = val::null();  // the element holding the control's text or state
    switch (design.kind) {
      case ControlKind::Label:
        box = NewElement("div");
        box["classList"].call<void>("add", val("label"));
        SetTextContent(box, design.text);
        if (design.showsResult) SetAttribute(box, "title", design.text);
        control = box;
        break;
      case ControlKind::TextBox:
        box = NewElement("input");
        box.set("type", val("text"));
        box.set("value", val(std::string(design.text)));
        control = box;
        break;
      case ControlKind::ComboBox: {
        box = NewElement("input");
        box.set("type", val("text"));
        box.set("value", val(std::string(design.text)));
        SetAttribute(box, "role", "combobox");
        SetAttribute(box, "aria-autocomplete", "none");
        SetAttribute(box, "aria-expanded", "false");
        SetAttribute(box, "aria-controls", kComboListId);
        control = box;
        // The drop-down arrow sits inside the box's right edge, as on the desktop; it
        // takes no focus, for the keyboard opens the list from the text part.
        val button = NewElement("button");
        button.set("id", val(kComboButtonId));
        button.set("type", val("button"));
        button.set("tabIndex", val(-1));
        SetAttribute(button, "aria-hidden", "true");
        val list = NewElement("div");
        list.set("id", val(kComboListId));
        list.set("hidden", val(true));
        SetAttribute(list, "role", "listbox");
        for (const char* item : design.items) {
          val option = NewElement("div");
          SetAttribute(option, "role", "option");
          SetTextContent(option, item);
          Append(list, option);
        }
        const ui::TwipsBox& b = design.box;
        Place(button, {b.right() - 17 * ui::kTwipsPerPixel, b.top + 2 * ui::kTwipsPerPixel,
                       15 * ui::kTwipsPerPixel, b.height - 4 * ui::kTwipsPerPixel});
        SetStyle(list, "left", Pixels(b.left));
        SetStyle(list, "top", Pixels(b.bottom()));
        SetStyle(list, "min-width", Pixels(b.width));
        Append(container, box);
        Append(container, button);
        Append(container, list);
        comboList_ = list;
        break;
      }
      case ControlKind::OptionButton: {
        // Each option button is a Tab stop of its own, as on the desktop: the radios share
        // no name, and the program keeps them exclusive.
        box = NewElement("label");
        control = NewElement("input");
        control.set("type", val("radio"));
        Append(box, control);
        Append(box, val(std::string(design.text)));
        break;
      }
      case ControlKind::PushButton:
        box = NewElement("button");
        box.set("type", val("button"));
        SetTextContent(box, design.text);
        control = box;
        break;
      case ControlKind::Frame: {
        box = NewElement("fieldset");
        val legend = NewElement("legend");
        SetTextContent(legend, design.text);
        Append(box, legend);
        frame = box;
        control = box;
        break;
      }
      case ControlKind::Picture:
        box = NewElement("img");
        box.set("src", val("emblem.png"));
        box.set("alt", val(""));
        box.set("draggable", val(false));
        control = box;
        break;
      case ControlKind::Line:
        box = NewElement("div");
        box["classList"].call<void>("add", val("line"));
        control = box;
        break;
    }
    box.set("id", val(design.name));
    Place(box, design.box);
    if (design.font != ui::FontRole::Window) SetFont(box, ui::Font(design.font));
    if (design.accessibleName) SetAttribute(control, "aria-label", design.accessibleName);
    if (design.accessibleDescription) {
      SetAttribute(box, "aria-description", design.accessibleDescription);
    }
    if (design.kind == ControlKind::TextBox || design.kind == ControlKind::ComboBox) {
      // The text is kept exactly as typed: no correction, completion or capitals.
      SetAttribute(control, "autocomplete", "off");
      SetAttribute(control, "autocapitalize", "off");
      SetAttribute(control, "autocorrect", "off");
      control.set("spellcheck", val(false));
    }
    if (design.kind != ControlKind::ComboBox) Append(container, box);
    elements_.push_back(control);
  }

  for (const char* type : {"click", "change", "keydown", "mousedown", "focusout"}) {
    Listen(window_, type, "onForm1Event");
  }
  Append(parent, window_);
  Element(ui::kForm1.firstFocus).call<void>("focus");
  Run(ui::kForm1.load);
}

void Form1Page::Run(ui::EventProcedure procedure) {
  if (ended_) return;
  try {
    procedure(*this);
  } catch (...) {
    ShowErrorReport(NameOfRunTimeError(std::current_exception()));
  }
  if (ended_) EndProgram(window_);
}

void Form1Page::HandleEvent(const val& event) {
  if (ended_) return;
  const std::string type = event["type"].as<std::string>();
  const std::string id = IdAround(event["target"]);
  if (id == kComboButtonId || id == kComboListId) {
    // The list and its arrow leave the focus in the text part.
    if (type == "mousedown") event.call<void>("preventDefault");
    if (type != "click") return;
    if (id == kComboButtonId) {
      ShowComboList(comboList_["hidden"].as<bool>());
    } else {
      const val option = event["target"].call<val>("closest", val("[role=option]"));
      if (!option.isNull()) {
        Element(ControlId::Combo1).set("value", option["textContent"]);
        ShowComboList(false);
      }
    }
    Element(ControlId::Combo1).call<void>("focus");
    return;
  }
  const ControlDesign* design = DesignNamed(id);
  const bool inCombo = design && design->id == ControlId::Combo1;
  if ((type == "focusout" && inCombo) || (type == "click" && !inCombo)) ShowComboList(false);
  if (!design) return;
  if (type == "keydown" && design->id == ControlId::Combo1) {
    OnComboKey(event);
  } else if (type == "click" && design->kind == ControlKind::PushButton && design->click) {
    Run(design->click);
  } else if (type == "change" && design->kind == ControlKind::OptionButton &&
             Element(design->id)["checked"].as<bool>()) {
    SelectOption(design->id);
    Run(design->click);
  }
}

// The window's option buttons are one group: selecting one clears the others.
void Form1Page::SelectOption(ControlId option) {
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (design.kind == ControlKind::OptionButton && design.id != option) {
      Element(design.id).set("checked", val(false));
    }
  }
}

// The keys of a drop-down combo box: Alt+Down or F4 open and close the list; Down and Up
// step through its entries in the text part; Escape and Enter close an open list.
void Form1Page::OnComboKey(const val& event) {
  const std::string key = event["key"].as<std::string>();
  const bool open = !comboList_["hidden"].as<bool>();
  if ((key == "ArrowDown" && event["altKey"].as<bool>()) || key == "F4") {
    ShowComboList(!open);
  } else if (open && (key == "Escape" || key == "Enter")) {
    ShowComboList(false);
  } else if (key == "ArrowDown" || key == "ArrowUp") {
    const auto& items = ui::Design(ControlId::Combo1).items;
    const std::string text = Text(ControlId::Combo1);
    const auto at = std::find(items.begin(), items.end(), text);
    std::ptrdiff_t next = 0;
    if (at != items.end()) {
      next = (at - items.begin()) + (key == "ArrowDown" ? 1 : -1);
      next = std::clamp<std::ptrdiff_t>(next, 0, std::ssize(items) - 1);
    }
    Element(ControlId::Combo1).set("value", val(std::string(items[next])));
  } else {
    return;
  }
  event.call<void>("preventDefault");
}

void Form1Page::ShowComboList(bool shown) {
  if (comboList_.isNull() || comboList_["hidden"].as<bool>() == !shown) return;
  comboList_.set("hidden", val(!shown));
  SetAttribute(Element(ControlId::Combo1), "aria-expanded", shown ? "true" : "false");
}

std::string Form1Page::Text(ControlId control) const {
  return Element(control)["value"].as<std::string>();
}

void Form1Page::SetText(ControlId control, std::string_view utf8Text) {
  Element(control).set("value", val(std::string(utf8Text)));
}

void Form1Page::SetEnabled(ControlId control, bool enabled) {
  Element(control).set("disabled", val(!enabled));
}

void Form1Page::SetCaption(ControlId control, std::string_view utf8Caption) {
  val& label = Element(control);
  SetTextContent(label, utf8Caption);
  // The result's box shows only its first characters by design; the tooltip carries the
  // whole text.
  if (ui::Design(control).showsResult) SetAttribute(label, "title", utf8Caption);
}

// The browser's language decides; the C library's locale inside the program is always "C".
std::string Form1Page::DecimalSeparator() const {
  const val format = val::global("Intl")["NumberFormat"].new_(val::global("navigator")["language"]);
  const val parts = format.call<val>("formatToParts", val(1.5));
  const int count = parts["length"].as<int>();
  for (int i = 0; i < count; ++i) {
    if (parts[i]["type"].as<std::string>() == "decimal") return parts[i]["value"].as<std::string>();
  }
  return ".";
}

void Form1Page::End() { ended_ = true; }

}  // namespace quorvel::web
