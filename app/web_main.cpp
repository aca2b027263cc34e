// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel's entry in the browser: opens Form1 in the page, which then runs on its events.
#include "frontends/web/program.h"

int main() { return quorvel::web::Start(); }
