// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontends/web/dom.h"

namespace quorvel::web {

// The browser's start: names the page after the window's caption, takes over the window the
// page carries (built from the control table and left as Form_Load leaves it when the site
// was written), fits it to narrow screens and lets the page work offline.
// Returns at once; the browser then delivers the events.
int Start();

// End: the page closes where the browser lets it; where it does not, the window is taken
// off the page and a line says that the program has ended, with a link that opens it again.
void EndProgram(val& window);

}  // namespace quorvel::web
