#include "MouseScale.h"

#include <cmath>

namespace {

int Scaled(int D, double Speed, double& Rest) {
  const double Total = Rest + D * Speed;
  const double Whole = std::trunc(Total);
  Rest = Total - Whole;
  return int(Whole);
}

}  // namespace

void TMouseScale::Set(double Speed, bool Invert) {
  if (Speed != speed_) restX_ = restY_ = 0;
  speed_ = Speed;
  invert_ = Invert;
}

void TMouseScale::Apply(int& Dx, int& Dy) {
  Dx = Scaled(Dx, speed_, restX_);
  Dy = Scaled(invert_ ? -Dy : Dy, speed_, restY_);
}
