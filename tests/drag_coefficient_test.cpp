// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/drag_coefficient.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <iomanip>
#include <optional>
#include <string>

#include "runtime/arithmetic_fault.h"
#include "runtime/conversions.h"
#include "tests/worked_example.h"

namespace quorvel {
namespace {

using Kind = ArithmeticFault::Kind;

std::optional<Kind> FaultOf(const CoastDownInputs& in) {
  try {
    (void)CalculateCx(in);
  } catch (const ArithmeticFault& fault) {
    return fault.kind();
  }
  return std::nullopt;
}

TEST(CalculateCxTest, WorkedExampleToEveryPrintedDigit) {
  CoastDownInputs in = WorkedExample();
  EXPECT_EQ(NumberToText(CalculateCx(in), "."), "0.414589706622123");
  in.SpeedsInKmh = false;
  EXPECT_EQ(NumberToText(CalculateCx(in), "."), "0.11525593844095");
}

// The closing expression evaluated by hand, one rounded double at a time, with 0.278
// applied after each division when `divideFirst`, before it otherwise.
double CxByHand(const CoastDownInputs& in, bool divideFirst) {
  volatile double k = 0.278;
  const auto step = [&](double difference, double time) {
    return divideFirst ? (difference / time) * k : (difference * k) / time;
  };
  const double a1 = step(in.InitialSpeed1 - in.FinalSpeed1, in.Time1);
  const double a2 = step(in.InitialSpeed2 - in.FinalSpeed2, in.Time2);
  const double v1 = ((in.InitialSpeed1 + in.FinalSpeed1) / 2.0) * k;
  const double v2 = ((in.InitialSpeed2 + in.FinalSpeed2) / 2.0) * k;
  const double x = (in.MassCoefficient * in.Weight) * (a1 - a2);
  const double y0 = (in.AirDensity / 2.0) * in.FrontalArea;
  const double s1 = v1 * v1;
  const double s2 = v2 * v2;
  const double y = y0 * (s1 - s2);
  return x / y;
}

// The division comes before the km/h factor. The worked example rounds alike either way;
// 90 to 89 km/h in 5 s against 20 to 19 km/h in 20 s does not, so this pins the order.
TEST(CalculateCxTest, StepsRoundInTheirOwnOrder) {
  CoastDownInputs telling = WorkedExample();
  telling.FinalSpeed1 = 89;
  telling.Time1 = 5;
  telling.FinalSpeed2 = 19;
  ASSERT_NE(CxByHand(telling, true), CxByHand(telling, false))
      << "the case must tell the orders apart";
  for (const CoastDownInputs& in : {WorkedExample(), telling}) {
    const double cx = CalculateCx(in);
    const double byHand = CxByHand(in, true);
    EXPECT_EQ(cx, byHand) << in.InitialSpeed1 << " to " << in.FinalSpeed1 << " km/h in " << in.Time1
                          << " s: " << std::setprecision(17) << cx << " against " << byHand;
  }
}

TEST(CalculateCxTest, HeightTimesWidthAreaIsScaledByTheAreaFactor) {
  CoastDownInputs direct = WorkedExample();
  direct.FrontalArea = (1.4 * 1.7) * 0.82;
  CoastDownInputs measured = WorkedExample();
  measured.AreaFromHeightWidth = true;
  measured.FrontalArea = 99;  // ignored in this mode
  measured.Height = 1.4;
  measured.Width = 1.7;
  EXPECT_NEAR(direct.FrontalArea, 1.9516, 1e-12);
  EXPECT_EQ(CalculateCx(measured), CalculateCx(direct));
}

TEST(CalculateCxTest, ExchangingTheRunsLeavesCxUnchanged) {
  const CoastDownInputs in = WorkedExample();
  CoastDownInputs swapped = in;
  swapped.InitialSpeed1 = in.InitialSpeed2;
  swapped.FinalSpeed1 = in.FinalSpeed2;
  swapped.Time1 = in.Time2;
  swapped.InitialSpeed2 = in.InitialSpeed1;
  swapped.FinalSpeed2 = in.FinalSpeed1;
  swapped.Time2 = in.Time1;
  EXPECT_EQ(CalculateCx(swapped), CalculateCx(in));
}

TEST(CalculateCxTest, MetresPerSecondIsTheKmhFactorTimesKmh) {
  // The factor enters the numerator once and the denominator twice.
  CoastDownInputs in = WorkedExample();
  const double kmh = CalculateCx(in);
  in.SpeedsInKmh = false;
  const double ms = CalculateCx(in);
  EXPECT_NEAR(ms, 0.278 * kmh, 1e-15);
}

TEST(CalculateCxTest, NothingIsRejectedForItsSign) {
  CoastDownInputs in = WorkedExample();
  in.Time2 = 1;  // run 2 now slows down faster than run 1
  EXPECT_LT(CalculateCx(in), 0.0);
  in = WorkedExample();
  in.FrontalArea = -2;  // a direct area is taken as typed
  EXPECT_EQ(CalculateCx(in), -CalculateCx(WorkedExample()));
}

struct FaultCase {
  const char* name;
  void (*change)(CoastDownInputs&);
  Kind expected;
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class CalculateCxFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CalculateCxFaults, FirstFailingStepDecides) {
  CoastDownInputs in = WorkedExample();
  GetParam().change(in);
  const std::optional<Kind> fault = FaultOf(in);
  ASSERT_TRUE(fault.has_value()) << "no fault";
  EXPECT_EQ(*fault, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CalculateCxFaults,
    ::testing::Values(
        // The window as it opens: both times empty, so 0.
        FaultCase{"EmptyTimes",
                  [](CoastDownInputs& in) {
                    in.Time1 = 0;
                    in.Time2 = 0;
                    in.FrontalArea = 0;
                    in.Weight = 0;
                  },
                  Kind::DivisionByZero},
        FaultCase{"NoSpeedChangeInNoTime",
                  [](CoastDownInputs& in) {
                    in.FinalSpeed1 = in.InitialSpeed1;
                    in.Time1 = 0;
                  },
                  Kind::Overflow},
        // Step 1 fails with an overflow before step 2 could divide by zero.
        FaultCase{"FirstStepDecides",
                  [](CoastDownInputs& in) {
                    in.InitialSpeed1 = DBL_MAX;
                    in.FinalSpeed1 = -DBL_MAX;
                    in.Time2 = 0;
                  },
                  Kind::Overflow},
        FaultCase{"SecondRunNoTime", [](CoastDownInputs& in) { in.Time2 = 0; },
                  Kind::DivisionByZero},
        FaultCase{"MeanSpeedSumOverflows",
                  [](CoastDownInputs& in) {
                    in.InitialSpeed2 = DBL_MAX;
                    in.FinalSpeed2 = DBL_MAX;
                    in.Time2 = DBL_MAX;
                  },
                  Kind::Overflow},
        FaultCase{"DecelerationOverflows",
                  [](CoastDownInputs& in) {
                    in.InitialSpeed1 = DBL_MAX;
                    in.FinalSpeed1 = 0;
                    in.Time1 = 0.1;
                  },
                  Kind::Overflow},
        FaultCase{"HeightTimesWidthOverflows",
                  [](CoastDownInputs& in) {
                    in.AreaFromHeightWidth = true;
                    in.Height = 1e200;
                    in.Width = 1e200;
                  },
                  Kind::Overflow},
        FaultCase{"MassOverflows",
                  [](CoastDownInputs& in) {
                    in.Weight = 1e300;
                    in.MassCoefficient = 1e10;
                  },
                  Kind::Overflow},
        FaultCase{"SquareOfMeanSpeedOverflows",
                  [](CoastDownInputs& in) {
                    in.InitialSpeed1 = 1e200;
                    in.FinalSpeed1 = 1e200;
                  },
                  Kind::Overflow},
        // Equal mean speeds, different decelerations: Y is zero, X is not.
        FaultCase{"EqualMeanSpeeds",
                  [](CoastDownInputs& in) {
                    in.InitialSpeed2 = 95;
                    in.FinalSpeed2 = 75;
                  },
                  Kind::DivisionByZero},
        // Equal mean speeds and equal decelerations: zero over zero.
        FaultCase{"IdenticalRuns",
                  [](CoastDownInputs& in) {
                    in.InitialSpeed2 = 90;
                    in.FinalSpeed2 = 80;
                    in.Time2 = 7;
                  },
                  Kind::Overflow},
        FaultCase{"EmptyDirectArea", [](CoastDownInputs& in) { in.FrontalArea = 0; },
                  Kind::DivisionByZero},
        FaultCase{"EmptyHeightAndWidth", [](CoastDownInputs& in) { in.AreaFromHeightWidth = true; },
                  Kind::DivisionByZero},
        // A denominator that underflows to zero out of a computation.
        FaultCase{"DenominatorUnderflowsToZero",
                  [](CoastDownInputs& in) {
                    in.FrontalArea = 1e-200;
                    in.AirDensity = 1e-200;
                  },
                  Kind::DivisionByZero},
        // A quotient that overflows out of a tiny but non-zero denominator.
        FaultCase{"QuotientOverflows",
                  [](CoastDownInputs& in) {
                    in.FrontalArea = 1e-160;
                    in.AirDensity = 1e-150;
                  },
                  Kind::Overflow}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST(CalculateCxTest, DirectAreaIsNotCheckedButHeightTimesWidthIs) {
  CoastDownInputs in = WorkedExample();
  in.FrontalArea = DBL_MAX;  // taken as it stands; the product with it is what overflows later
  in.AirDensity = 4.0;
  EXPECT_EQ(FaultOf(in), Kind::Overflow);
  in.FrontalArea = DBL_MAX;
  in.AirDensity = 1e-300;
  EXPECT_EQ(FaultOf(in), std::nullopt);
}

}  // namespace
}  // namespace quorvel
