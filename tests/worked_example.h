// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/drag_coefficient.h"

namespace quorvel {

// The example runs the window opens with (90 to 80 and 20 to 10 in km/h, 1.06 and 1.22),
// completed with times of 7 s and 20 s, a mass of 1000 kg and a direct area of 2 m².
inline CoastDownInputs WorkedExample() {
  CoastDownInputs in;
  in.InitialSpeed1 = 90;
  in.FinalSpeed1 = 80;
  in.Time1 = 7;
  in.InitialSpeed2 = 20;
  in.FinalSpeed2 = 10;
  in.Time2 = 20;
  in.SpeedsInKmh = true;
  in.AreaFromHeightWidth = false;
  in.FrontalArea = 2;
  in.Weight = 1000;
  in.MassCoefficient = 1.06;
  in.AirDensity = 1.22;
  return in;
}

}  // namespace quorvel
