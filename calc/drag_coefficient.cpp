// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/drag_coefficient.h"

#include "runtime/checked_arithmetic.h"

namespace quorvel {

namespace {

// A speed-like quantity in m/s: converted from km/h when the run was read in
// km/h, left alone otherwise (in m/s there is no multiplication by 1 at all).
double ToMetresPerSecond(double value, bool inKmh) {
  return inKmh ? CheckedMultiply(value, KmhToMs) : value;
}

}  // namespace

double CalculateCx(const CoastDownInputs& in) {
  const bool kmh = in.SpeedsInKmh;

  // The division comes before the km/h factor in each of these four steps.
  const double deceleration1 = ToMetresPerSecond(
      CheckedDivide(CheckedSubtract(in.InitialSpeed1, in.FinalSpeed1), in.Time1), kmh);
  const double deceleration2 = ToMetresPerSecond(
      CheckedDivide(CheckedSubtract(in.InitialSpeed2, in.FinalSpeed2), in.Time2), kmh);
  const double meanSpeed1 =
      ToMetresPerSecond(CheckedDivide(CheckedAdd(in.InitialSpeed1, in.FinalSpeed1), 2.0), kmh);
  const double meanSpeed2 =
      ToMetresPerSecond(CheckedDivide(CheckedAdd(in.InitialSpeed2, in.FinalSpeed2), 2.0), kmh);

  // A frontal area typed in directly is taken as it stands, unchecked.
  const double area = in.AreaFromHeightWidth
                          ? CheckedMultiply(CheckedMultiply(in.Height, in.Width), AreaFactor)
                          : in.FrontalArea;

  const double effectiveMass = CheckedMultiply(in.MassCoefficient, in.Weight);
  const double halfDensity = CheckedDivide(in.AirDensity, 2.0);

  // Run 1 is the minuend in both differences.
  const double decelerationDifference = CheckedSubtract(deceleration1, deceleration2);
  const double numerator = CheckedMultiply(effectiveMass, decelerationDifference);
  const double densityArea = CheckedMultiply(halfDensity, area);
  const double squared1 = CheckedMultiply(meanSpeed1, meanSpeed1);
  const double squared2 = CheckedMultiply(meanSpeed2, meanSpeed2);
  const double squaredDifference = CheckedSubtract(squared1, squared2);
  const double denominator = CheckedMultiply(densityArea, squaredDifference);
  return CheckedDivide(numerator, denominator);
}

}  // namespace quorvel
