// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Arithmetic on doubles that fails instead of producing an infinity or NaN.
//
// The rule, applied to every operation:
//  - a zero divisor gives DivisionByZero when the dividend is non-zero, and
//    Overflow when the dividend is zero or NaN (the result would be undefined);
//  - any other result that is infinite or NaN gives Overflow;
//  - zero, subnormal and inexact results are fine.
// Faults are found by explicit tests of the operands and the result, never by
// reading the floating-point status flags, which the optimiser does not keep.

#include <cmath>

#include "runtime/arithmetic_fault.h"

namespace quorvel {

namespace detail {
inline double CheckedResult(double result) {
  if (!std::isfinite(result)) [[unlikely]] {
    RaiseArithmeticFault(ArithmeticFault::Kind::Overflow);
  }
  return result;
}
}  // namespace detail

inline double CheckedAdd(double a, double b) { return detail::CheckedResult(a + b); }

inline double CheckedSubtract(double a, double b) { return detail::CheckedResult(a - b); }

inline double CheckedMultiply(double a, double b) { return detail::CheckedResult(a * b); }

inline double CheckedDivide(double dividend, double divisor) {
  if (divisor == 0.0) [[unlikely]] {
    const bool undefined = dividend == 0.0 || std::isnan(dividend);
    RaiseArithmeticFault(undefined ? ArithmeticFault::Kind::Overflow
                                   : ArithmeticFault::Kind::DivisionByZero);
  }
  return detail::CheckedResult(dividend / divisor);
}

}  // namespace quorvel
