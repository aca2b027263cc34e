// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel::web {

// The browser's start: names the page after the window's caption, takes over the window the
// page carries (built from the control table and left as Form_Load leaves it when the site
// was written), fits it to narrow screens and lets the page work offline.
// Returns at once; the browser then delivers the events.
int Start();

}  // namespace quorvel::web
