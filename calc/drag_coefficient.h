// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

// The numeric inputs of one coast-down calculation: two free-rolling runs,
// the vehicle's mass data, its frontal area and the air density.
struct CoastDownInputs {
  double InitialSpeed1 = 0.0;        // speed at the start of run 1, km/h or m/s
  double FinalSpeed1 = 0.0;          // speed at the end of run 1
  double Time1 = 0.0;                // duration of run 1, s
  double InitialSpeed2 = 0.0;        // speed at the start of run 2
  double FinalSpeed2 = 0.0;          // speed at the end of run 2
  double Time2 = 0.0;                // duration of run 2, s
  bool SpeedsInKmh = true;           // true: the four speeds are in km/h; false: in m/s
  bool AreaFromHeightWidth = false;  // true: Height x Width x 0.82; false: FrontalArea
  double FrontalArea = 0.0;          // m²
  double Height = 0.0;               // m
  double Width = 0.0;                // m
  double Weight = 0.0;               // vehicle mass, kg
  double MassCoefficient = 0.0;      // factor for the rotating masses
  double AirDensity = 0.0;           // kg/m³
};

// The km/h to m/s factor. 0.278 by design, not 1/3.6: results must match the
// figures this tool has always printed.
inline constexpr double KmhToMs = 0.278;

// Share of the height-times-width rectangle taken as the frontal area.
inline constexpr double AreaFactor = 0.82;

// Cx = m·λ·(a1 − a2) / (½·ρ·A·(V1² − V2²)), one checked double step at a time.
// Pure. Throws ArithmeticFault at the first step that divides by zero,
// overflows or has no defined result; no later step runs.
double CalculateCx(const CoastDownInputs& inputs);

}  // namespace quorvel
