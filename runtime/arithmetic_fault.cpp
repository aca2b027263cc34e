// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/arithmetic_fault.h"

namespace quorvel {

const char* FaultName(ArithmeticFault::Kind kind) noexcept {
  switch (kind) {
    case ArithmeticFault::Kind::DivisionByZero:
      return "División por cero";
    case ArithmeticFault::Kind::Overflow:
      return "Desbordamiento";
  }
  return "Desbordamiento";
}

ArithmeticFault::ArithmeticFault(Kind kind) : std::runtime_error(FaultName(kind)), kind_(kind) {}

void RaiseArithmeticFault(ArithmeticFault::Kind kind) { throw ArithmeticFault(kind); }

}  // namespace quorvel
