// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/checked_arithmetic.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace quorvel {
namespace {

using Kind = ArithmeticFault::Kind;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum class Op { Add, Subtract, Multiply, Divide };

struct Case {
  const char* name;
  Op op;
  double a;
  double b;
  std::optional<Kind> fault;  // empty: the result must equal the plain IEEE result
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

double Plain(Op op, double a, double b) {
  switch (op) {
    case Op::Add:
      return a + b;
    case Op::Subtract:
      return a - b;
    case Op::Multiply:
      return a * b;
    case Op::Divide:
      return a / b;
  }
  return 0.0;
}

double Checked(Op op, double a, double b) {
  switch (op) {
    case Op::Add:
      return CheckedAdd(a, b);
    case Op::Subtract:
      return CheckedSubtract(a, b);
    case Op::Multiply:
      return CheckedMultiply(a, b);
    case Op::Divide:
      return CheckedDivide(a, b);
  }
  return 0.0;
}

class CheckedArithmeticTest : public ::testing::TestWithParam<Case> {};

TEST_P(CheckedArithmeticTest, FaultsExactlyWhenTheRuleSays) {
  const Case& c = GetParam();
  if (c.fault) {
    try {
      const double r = Checked(c.op, c.a, c.b);
      FAIL() << "no fault; result " << r;
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.kind(), *c.fault);
    }
  } else {
    const double expected = Plain(c.op, c.a, c.b);
    const double r = Checked(c.op, c.a, c.b);
    EXPECT_EQ(std::signbit(r), std::signbit(expected));
    EXPECT_EQ(r, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rule, CheckedArithmeticTest,
    ::testing::Values(
        // Division by zero: the dividend decides the kind.
        Case{"OneOverZero", Op::Divide, 1.0, 0.0, Kind::DivisionByZero},
        Case{"MinusOneOverMinusZero", Op::Divide, -1.0, -0.0, Kind::DivisionByZero},
        Case{"SubnormalOverZero", Op::Divide, DBL_TRUE_MIN, 0.0, Kind::DivisionByZero},
        Case{"InfinityOverZero", Op::Divide, kInf, 0.0, Kind::DivisionByZero},
        Case{"ZeroOverZero", Op::Divide, 0.0, 0.0, Kind::Overflow},
        Case{"MinusZeroOverZero", Op::Divide, -0.0, 0.0, Kind::Overflow},
        Case{"NaNOverZero", Op::Divide, kNaN, 0.0, Kind::Overflow},
        // Results beyond the double range.
        Case{"MaxPlusMax", Op::Add, DBL_MAX, DBL_MAX, Kind::Overflow},
        Case{"MinusMaxMinusMax", Op::Subtract, -DBL_MAX, DBL_MAX, Kind::Overflow},
        Case{"MaxTimesTwo", Op::Multiply, DBL_MAX, 2.0, Kind::Overflow},
        Case{"HugeOverTiny", Op::Divide, 1e300, 1e-10, Kind::Overflow},
        // Undefined results.
        Case{"InfinityMinusInfinity", Op::Subtract, kInf, kInf, Kind::Overflow},
        Case{"ZeroTimesInfinity", Op::Multiply, 0.0, kInf, Kind::Overflow},
        Case{"NaNPlusOne", Op::Add, kNaN, 1.0, Kind::Overflow},
        // Not faults: exact, inexact, underflow, subnormal, signed zero, the range edge.
        Case{"OneThird", Op::Divide, 1.0, 3.0, std::nullopt},
        Case{"ZeroOverOne", Op::Divide, 0.0, 1.0, std::nullopt},
        Case{"MinusZeroTimesOne", Op::Multiply, -0.0, 1.0, std::nullopt},
        Case{"TinyTimesTinyUnderflows", Op::Multiply, 1e-200, 1e-200, std::nullopt},
        Case{"SubnormalResult", Op::Divide, DBL_MIN, 4.0, std::nullopt},
        Case{"TinyOverHuge", Op::Divide, DBL_TRUE_MIN, DBL_MAX, std::nullopt},
        Case{"MaxMinusMax", Op::Subtract, DBL_MAX, DBL_MAX, std::nullopt},
        Case{"MaxTimesOne", Op::Multiply, DBL_MAX, 1.0, std::nullopt},
        Case{"MaxPlusRoundingOnly", Op::Add, DBL_MAX, 1e291, std::nullopt}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ArithmeticFaultTest, NamesTheErrorInSpanish) {
  EXPECT_STREQ(ArithmeticFault(ArithmeticFault::Kind::DivisionByZero).what(), "División por cero");
  EXPECT_STREQ(ArithmeticFault(ArithmeticFault::Kind::Overflow).what(), "Desbordamiento");
}

}  // namespace
}  // namespace quorvel
