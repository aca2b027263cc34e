// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "runtime/conversions.h"

namespace quorvel {
namespace {

struct Case {
  double value;
  const char* text;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.text; }

class NumberToTextTable : public ::testing::TestWithParam<Case> {};

TEST_P(NumberToTextTable, WritesWithPeriod) {
  EXPECT_EQ(NumberToText(GetParam().value, "."), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(PlainForm, NumberToTextTable,
                         ::testing::Values(Case{0.0, "0"}, Case{-0.0, "0"}, Case{1.0, "1"},
                                           Case{-2.5, "-2.5"}, Case{0.5, "0.5"}, Case{0.1, "0.1"},
                                           Case{1.0 / 3.0, "0.333333333333333"},
                                           Case{2.0 / 3.0, "0.666666666666667"}, Case{100.0, "100"},
                                           Case{0.414589706622123, "0.414589706622123"},
                                           Case{0.0001, "0.0001"},
                                           Case{123456789012345.0, "123456789012345"},
                                           Case{99999999999999.9, "99999999999999.9"},
                                           Case{0.000123456789012345678, "0.000123456789012346"}));

INSTANTIATE_TEST_SUITE_P(ExponentForm, NumberToTextTable,
                         ::testing::Values(Case{1e15, "1E+15"}, Case{1.5e-7, "1.5E-07"},
                                           Case{1e-5, "1E-05"},
                                           Case{1234567890123456.0, "1.23456789012346E+15"},
                                           Case{999999999999999.9, "1E+15"},
                                           Case{-3e100, "-3E+100"},
                                           Case{DBL_MAX, "1.79769313486232E+308"},
                                           Case{DBL_TRUE_MIN, "4.94065645841247E-324"},
                                           Case{0.00009999999999999999, "0.0001"},
                                           Case{0.00009999999999999, "9.999999999999E-05"}));

TEST(NumberToTextTest, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(NumberToText(0.414589706622123, ","), "0,414589706622123");
  EXPECT_EQ(NumberToText(1.5e-7, ","), "1,5E-07");
  EXPECT_EQ(NumberToText(12345.0, ","), "12345");
  EXPECT_EQ(NumberToText(-0.25, "\xD9\xAB"),
            "-0\xD9\xAB"
            "25");  // Arabic decimal separator
}

TEST(NumberToTextTest, NonFiniteValuesStayReadable) {
  EXPECT_EQ(NumberToText(std::numeric_limits<double>::infinity(), ","), "inf");
  EXPECT_EQ(NumberToText(-std::numeric_limits<double>::infinity(), ","), "-inf");
  EXPECT_EQ(NumberToText(std::numeric_limits<double>::quiet_NaN(), ","), "nan");
  EXPECT_EQ(NumberToText(-std::numeric_limits<double>::quiet_NaN(), ","), "nan");
}

// Whatever the label shows reads back as the value rounded to 15 significant
// digits. The rounding is computed independently, through printf and strtod.
TEST(NumberToTextTest, RoundTripsThroughTextToNumber) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<std::uint64_t> anyBits;
  std::uniform_real_distribution<double> fieldRange(-1000.0, 1000.0);
  int failures = 0;
  for (int i = 0; i < 200'000 && failures < 10; ++i) {
    double x;
    if (i % 2 == 0) {
      const std::uint64_t bits = anyBits(random);
      std::memcpy(&x, &bits, sizeof x);
      if (!std::isfinite(x)) continue;
    } else {
      x = fieldRange(random);
    }
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.14e", x);
    const double expected = std::strtod(rounded, nullptr);
    const std::string text = NumberToText(x, ".");
    const double back = TextToNumber(text);
    if (back != expected) {
      ++failures;
      char detail[160];
      std::snprintf(detail, sizeof detail, "x = %a (%.17g), text \"%s\", read %a, expected %a", x,
                    x, text.c_str(), back, expected);
      ADD_FAILURE() << detail;
    }
  }
}

}  // namespace
}  // namespace quorvel
