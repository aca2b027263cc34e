// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/web/form1_page.h"

#include <emscripten/emscripten.h>

#include <algorithm>

#include "frontends/web/error_report.h"
#include "frontends/web/form1_markup.h"

// The decimal separator of the browser's language, as a string handle. A language that Intl
// refuses (such as "C", an empty or a malformed tag, which some browsers report from the
// system's settings) or has no locale for (such as "POSIX", a well-formed tag to some
// engines, which then format in their own default locale) falls back to the point: what
// the browser reports never keeps the program from writing its result.
#ifdef EM_JS_DEPS  // newer emscripten links only the library code a function names
EM_JS_DEPS(quorvel_form1_page, "$Emval");
#endif
// clang-format off
EM_JS(emscripten::EM_VAL, BrowserDecimalSeparator, (), {
  let separator = '.';
  try {
    const supported = Intl.NumberFormat.supportedLocalesOf([navigator.language]);
    if (supported.length > 0) {
      const parts = new Intl.NumberFormat(supported[0]).formatToParts(1.5);
      const decimal = parts.find((part) => part.type === 'decimal');
      if (decimal && decimal.value.length > 0) separator = decimal.value;
    }
  } catch (refused) {
  }
  return Emval.toHandle(separator);
});
// clang-format on

namespace quorvel::web {

namespace {

using ui::ControlDesign;
using ui::ControlId;
using ui::ControlKind;

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

}  // namespace

Form1Page::Form1Page() : window_(ElementById(ui::kForm1.name)), runner_(*this) {
  elements_.reserve(ui::kControlCount);
  for (const ControlDesign& design : ui::kForm1Controls) {
    val box = ElementById(design.name);
    // An option button's state is its radio's; every other control's, its own element's.
    elements_.push_back(design.kind == ControlKind::OptionButton
                            ? box.call<val>("querySelector", val("input"))
                            : box);
  }
  comboList_ = ElementById(kComboListId);
  for (const char* type : {"click", "change", "keydown", "mousedown", "focusout"}) {
    Listen(window_, type, "onForm1Event");
  }
  // The window now answers: what the user typed meanwhile is there to be read, and an option
  // button chosen meanwhile is taken as chosen now.
  window_.call<void>("removeAttribute", val("aria-busy"));
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (design.kind == ControlKind::OptionButton && Element(design.id)["checked"].as<bool>()) {
      SelectOption(design.id);
      runner_.Run(design.click);
    }
  }
}

void Form1Page::HandleEvent(const val& event) {
  if (runner_.Ended()) return;
  const std::string type = event["type"].as<std::string>();
  const std::string id = IdAround(event["target"]);
  if (id == kComboButtonId || id == kComboListId) {
    OnComboArrowOrList(type, id == kComboButtonId, event);
    return;
  }
  const ControlDesign* design = DesignNamed(id);
  const bool inCombo = design && design->id == ControlId::Combo1;
  if ((type == "focusout" && inCombo) || (type == "click" && !inCombo)) ShowComboList(false);
  if (!design) return;
  if (type == "keydown" && design->id == ControlId::Combo1) {
    OnComboKey(event);
  } else if (type == "keydown" && design->kind == ControlKind::OptionButton) {
    OnOptionKey(*design, event);
  } else if (type == "click" && design->kind == ControlKind::PushButton && design->click) {
    runner_.Run(design->click);
  } else if (type == "change" && design->kind == ControlKind::OptionButton &&
             Element(design->id)["checked"].as<bool>()) {
    SelectOption(design->id);
    runner_.Run(design->click);
  }
}

// The combo box's arrow and list leave the focus in the text part. A click on the arrow opens
// or closes the list; one on an entry of the list takes that entry and closes it.
void Form1Page::OnComboArrowOrList(const std::string& type, bool onArrow, const val& event) {
  if (type == "mousedown") event.call<void>("preventDefault");
  if (type != "click") return;
  if (onArrow) {
    ShowComboList(comboList_["hidden"].as<bool>());
  } else {
    ChooseComboEntry(event["target"].call<val>("closest", val("[role=option]")));
  }
  Element(ControlId::Combo1).call<void>("focus");
}

void Form1Page::ChooseComboEntry(const val& entry) {
  if (entry.isNull()) return;
  Element(ControlId::Combo1).set("value", entry["textContent"]);
  ShowComboList(false);
}

// The window's option buttons are one group: selecting one clears the others.
void Form1Page::SelectOption(ControlId option) {
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (design.kind == ControlKind::OptionButton && design.id != option) {
      Element(design.id).set("checked", val(false));
    }
  }
}

// The arrow keys on an option button, answered here and not left to the browser, for each
// engine answers them its own way. As in the Windows program, where the option buttons make
// one group: every arrow moves the focus to the next button of the group (Right and Down) or
// the previous one (Left and Up), round past either end, and selects it. (The Linux program
// keeps Qt's own rule: Left and Right move to the button beside, selecting it only when the
// button left was selected, and Up, Down and the ends do nothing.)
void Form1Page::OnOptionKey(const ControlDesign& option, const val& event) {
  const std::string key = event["key"].as<std::string>();
  const bool back = key == "ArrowLeft" || key == "ArrowUp";
  if (!back && key != "ArrowRight" && key != "ArrowDown") return;
  if (event["altKey"].as<bool>() || event["ctrlKey"].as<bool>() || event["metaKey"].as<bool>()) {
    return;
  }
  event.call<void>("preventDefault");
  std::vector<const ControlDesign*> group;
  std::size_t at = 0;
  for (const ControlDesign& design : ui::kForm1Controls) {
    if (design.kind != ControlKind::OptionButton) continue;
    if (design.id == option.id) at = group.size();
    group.push_back(&design);
  }
  const ControlDesign& next = *group[(at + (back ? group.size() - 1 : 1)) % group.size()];
  val& radio = Element(next.id);
  radio.call<void>("focus");
  if (radio["checked"].as<bool>()) return;
  radio.set("checked", val(true));
  SelectOption(next.id);
  runner_.Run(next.click);
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
  return val::take_ownership(BrowserDecimalSeparator()).as<std::string>();
}

// End: the page closes where the browser lets it (a window a script opened); where it does
// not, the window is taken off the page and a line says that the program has ended, with a
// link that opens it again. The runner lets no further event procedure run.
void Form1Page::End() {
  // A page may close itself only when a script opened it; otherwise this does nothing.
  val::global("window").call<void>("close");
  val page = window_["parentNode"];  // the page's main landmark, where the note stays
  window_.call<void>("remove");
  val note = NewElement("p");
  note.set("id", val("Ended"));
  SetTextContent(note, "El programa ha terminado. ");
  val again = NewElement("a");
  again.set("href", val::global("location")["href"]);
  SetTextContent(again, "Abrir Quorvel de nuevo");
  Append(note, again);
  Append(page, note);
}

void Form1Page::ReportRunTimeError(std::string_view utf8ErrorName) {
  ShowErrorReport(utf8ErrorName);
}

}  // namespace quorvel::web
