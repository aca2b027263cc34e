// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window Form1 as the page's HTML and CSS, written from the control table when the site
// is built, so that the browser draws the whole window from the page itself, before the
// program has arrived. Free of any toolkit and of the browser: a build-machine tool writes
// it. The program then takes the elements over by their ids (Form1Page).

#include <string>

namespace quorvel::web {

struct Form1Markup {
  // The page's title: the window's caption as a title bar shows it, without its leading
  // blanks, as HTML text.
  std::string title;
  // The element Form1 and every control in it, each the element whose id is the control's
  // name, in tab order, as Form_Load leaves them (it runs here, over the markup).
  std::string html;
  // Each control's place (its border box in CSS pixels, twips / 15) and font, as CSS rules,
  // and the window's font as the custom property --window-font.
  std::string css;
};

Form1Markup WriteForm1Markup();

inline constexpr char kComboButtonId[] = "Combo1Button";
inline constexpr char kComboListId[] = "Combo1List";

}  // namespace quorvel::web
