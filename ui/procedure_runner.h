// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one way an event procedure runs, whichever toolkit delivered its event: the procedure
// runs against the window; a run-time error that leaves it ends it there and is handed, by
// its Spanish name, to the front end's error report, and the program goes on with its window
// as the procedure left it; once a procedure has called End, nothing runs any more. Each
// front end keeps one runner beside its window and sends every event procedure through it.

#include "ui/form1_frontend.h"
#include "ui/form1_procedures.h"

namespace quorvel::ui {

class ProcedureRunner {
 public:
  explicit ProcedureRunner(Form1Frontend& form) : form_(form) {}
  ProcedureRunner(const ProcedureRunner&) = delete;
  ProcedureRunner& operator=(const ProcedureRunner&) = delete;

  // Runs `procedure` unless the program has ended. Nothing it throws goes further.
  void Run(EventProcedure procedure) noexcept;

  // Whether a procedure has called End.
  bool Ended() const { return ended_; }

 private:
  Form1Frontend& form_;
  bool ended_ = false;
};

}  // namespace quorvel::ui
