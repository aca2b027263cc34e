// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The few page operations the web front end needs, over embind's handle to JavaScript
// values. Texts always reach the page as text (textContent, value, attributes), never as
// markup.

#include <emscripten/val.h>

#include <string>
#include <string_view>

namespace quorvel::web {

using emscripten::val;

inline val Document() { return val::global("document"); }

// A new element of the given tag, not yet in the page.
inline val NewElement(const char* tag) { return Document().call<val>("createElement", val(tag)); }

inline val ElementById(const char* id) { return Document().call<val>("getElementById", val(id)); }

inline void SetAttribute(val& element, const char* name, std::string_view value) {
  element.call<void>("setAttribute", val(name), val(std::string(value)));
}

inline void SetStyle(val& element, const char* property, std::string_view value) {
  element["style"].call<void>("setProperty", val(property), val(std::string(value)));
}

inline void SetTextContent(val& element, std::string_view text) {
  element.set("textContent", val(std::string(text)));
}

inline void Append(val& parent, const val& child) { parent.call<void>("append", child); }

// Calls `listener`, a function the module exports to JavaScript, for each such event.
inline void Listen(val target, const char* event, const char* listener) {
  target.call<void>("addEventListener", val(event), val::module_property(listener));
}

}  // namespace quorvel::web
