// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel::qt {

// Makes Form1 reach assistive technology as what it is, a top-level window (AT-SPI's
// "frame") named by its title, rather than as a plain client area. Idempotent.
void PresentForm1AsWindow();

}  // namespace quorvel::qt
