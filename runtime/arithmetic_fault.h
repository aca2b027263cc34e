// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace quorvel {

// The run-time error of an arithmetic step that failed. Its message is the
// Spanish name of the error, as the error report shows it.
class ArithmeticFault : public std::runtime_error {
 public:
  enum class Kind { DivisionByZero, Overflow };

  explicit ArithmeticFault(Kind kind);

  Kind kind() const noexcept { return kind_; }

 private:
  Kind kind_;
};

// The Spanish name of a fault kind: "División por cero" or "Desbordamiento" (UTF-8).
const char* FaultName(ArithmeticFault::Kind kind) noexcept;

// Throws ArithmeticFault of the given kind; never returns. Kept out of line so
// the checked operations stay small where they are inlined.
[[noreturn]] void RaiseArithmeticFault(ArithmeticFault::Kind kind);

}  // namespace quorvel
