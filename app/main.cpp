// Until the window exists, the program prints the Cx of the window's example runs.
#include <cstdio>

#include "calc/drag_coefficient.h"
#include "runtime/conversions.h"

int main() {
  quorvel::CoastDownInputs in;
  in.InitialSpeed1 = 90;
  in.FinalSpeed1 = 80;
  in.Time1 = 7;
  in.InitialSpeed2 = 20;
  in.FinalSpeed2 = 10;
  in.Time2 = 20;
  in.FrontalArea = 2;
  in.Weight = 1000;
  in.MassCoefficient = 1.06;
  in.AirDensity = 1.22;
  std::printf("Cx=%s\n", quorvel::NumberToText(quorvel::CalculateCx(in), ".").c_str());
}
