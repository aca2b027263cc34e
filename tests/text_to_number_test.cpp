// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "runtime/arithmetic_fault.h"
#include "runtime/conversions.h"

namespace quorvel {
namespace {

struct Case {
  const char* text;
  double expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.text << '"'; }

std::string Hex(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%a (%.17g)", v, v);
  return buffer;
}

void ExpectReads(const std::string& text, double expected) {
  const double v = TextToNumber(text);
  EXPECT_TRUE(v == expected && std::signbit(v) == std::signbit(expected))
      << "text \"" << text.substr(0, 80) << "\" read " << Hex(v) << ", expected " << Hex(expected);
}

class TextToNumberTable : public ::testing::TestWithParam<Case> {};

TEST_P(TextToNumberTable, Reads) { ExpectReads(GetParam().text, GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    PlainNumbers, TextToNumberTable,
    ::testing::Values(Case{"90", 90}, Case{"1.06", 1.06}, Case{"1.22", 1.22}, Case{".5", 0.5},
                      Case{"5.", 5}, Case{"007", 7}, Case{"0.1", 0.1},
                      Case{"123456789012345678901234567890", 1.2345678901234568e29}));

INSTANTIATE_TEST_SUITE_P(NoLeadingNumberIsZero, TextToNumberTable,
                         ::testing::Values(Case{"", 0}, Case{"abc", 0}, Case{".", 0}, Case{"+", 0},
                                           Case{"-", 0}, Case{"-.", 0}, Case{"e5", 0},
                                           Case{"km/h", 0}, Case{"\r1", 0},
                                           Case{"\xC2\xA0"
                                                "5",
                                                0},
                                           Case{"\xC3\xA9", 0}, Case{"inf", 0}, Case{"nan", 0},
                                           Case{"0x10", 0}));

INSTANTIATE_TEST_SUITE_P(BlanksTabsAndLineFeedsAreIgnored, TextToNumberTable,
                         ::testing::Values(Case{" 90", 90}, Case{"90 ", 90}, Case{"1 000", 1000},
                                           Case{"\t1.\n5", 1.5}, Case{"- 3", -3},
                                           Case{"1 e 2", 100}, Case{"   ", 0}, Case{"1\r5", 1}));

INSTANTIATE_TEST_SUITE_P(Signs, TextToNumberTable,
                         ::testing::Values(Case{"-1.5", -1.5}, Case{"+2", 2}, Case{"-0", -0.0},
                                           Case{"--1", 0}, Case{"+-1", 0}, Case{"1-2", 1}));

INSTANTIATE_TEST_SUITE_P(ReadingStopsAtTheFirstForeignCharacter, TextToNumberTable,
                         ::testing::Values(Case{"1,22", 1}, Case{"1,06", 1}, Case{"12abc", 12},
                                           Case{"1.2.3", 1.2}, Case{"7s", 7}, Case{"3%", 3},
                                           Case{"2..5", 2}));

INSTANTIATE_TEST_SUITE_P(Exponents, TextToNumberTable,
                         ::testing::Values(Case{"1e3", 1000}, Case{"1E3", 1000},
                                           Case{"1.5e-3", 0.0015}, Case{"2E+2", 200}, Case{"1e", 1},
                                           Case{"2E+", 2}, Case{"3e-", 3}, Case{"4ex", 4},
                                           Case{"1e2.5", 100}, Case{".5e1", 5}, Case{"5.e3", 5000},
                                           Case{"-.5E-1", -0.05},
                                           Case{"1e0000000000000000000000002", 100},
                                           Case{"0e999999999999999999999", 0}));

INSTANTIATE_TEST_SUITE_P(Prefixes, TextToNumberTable,
                         ::testing::Values(Case{"&H10", 16}, Case{"&hff", 255},
                                           Case{"&HFFFF", 65535}, Case{"&O17", 15},
                                           Case{"&o777", 511}, Case{"&H", 0}, Case{"&O", 0},
                                           Case{"&O8", 0}, Case{"&H1G", 1}, Case{"&O178", 15},
                                           Case{"& H 1 0", 16}, Case{"&", 0}, Case{"&X1", 0},
                                           Case{"-&H10", 0}, Case{"&H1.5", 1},
                                           // Past 53 bits the whole number is rounded correctly.
                                           Case{"&H20000000000001", 9007199254740992.0},
                                           Case{"&H20000000000003", 9007199254740996.0},
                                           Case{"&O400000000000000001", 9007199254740992.0},
                                           Case{"&O400000000000000003", 9007199254740996.0}));

INSTANTIATE_TEST_SUITE_P(RangeLimits, TextToNumberTable,
                         ::testing::Values(Case{"1.7976931348623157e308", DBL_MAX},
                                           Case{"-1.7976931348623157e308", -DBL_MAX},
                                           Case{"2.2250738585072014e-308", DBL_MIN},
                                           Case{"4.9406564584124654e-324", DBL_TRUE_MIN},
                                           Case{"1e-320", 1e-320}, Case{"1e-400", 0},
                                           Case{"-1e-400", -0.0}, Case{"2e-324", 0},
                                           Case{"0.0000000000000000000000001e-300", 0},
                                           Case{"1e-99999999999999999999999", 0}));

TEST(TextToNumberTest, BeyondTheDoubleRangeIsAnOverflow) {
  for (const std::string& text : std::initializer_list<std::string>{
           "1e400", "-1e400", "1.7976931348623159e308", "1e99999999999999999999999",
           "100000000000000000000e290", "&H" + std::string(300, 'F'),
           "&O" + std::string(400, '7')}) {
    try {
      const double v = TextToNumber(text);
      ADD_FAILURE() << "\"" << text.substr(0, 40) << "\" read " << Hex(v) << " without a fault";
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.kind(), ArithmeticFault::Kind::Overflow) << text.substr(0, 40);
    }
  }
}

TEST(TextToNumberTest, LongTextsAreReadInFullAndRoundedCorrectly) {
  // 1 + 2^-53 lies exactly halfway between 1 and the next double: ties go to even (1);
  // any non-zero digit after it, however far, tips it up.
  const std::string halfway = "1.00000000000000011102230246251565404236316680908203125";
  ExpectReads(halfway, 1.0);
  ExpectReads(halfway + std::string(1'000'000, '0') + "1", 1.0 + DBL_EPSILON);
  ExpectReads(halfway + std::string(1'000'000, '0'), 1.0);

  ExpectReads(std::string(1'000'000, ' ') + "42", 42.0);
  ExpectReads("0." + std::string(1'000'000, '0') + "1", 0.0);
  ExpectReads("0." + std::string(1'000'000, '0') + "1e1000002", 10.0);
  ExpectReads("&H" + std::string(1'000'000, '0') + "1F", 31.0);
  EXPECT_THROW(TextToNumber(std::string(1'000'000, '9')), ArithmeticFault);
}

}  // namespace
}  // namespace quorvel
