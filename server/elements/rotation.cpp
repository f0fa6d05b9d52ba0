#include "server/elements/rotation.h"

#include <cmath>

namespace plamor {

double RotateX(double x, double y, double angle) {
  const double r = DegreesToRadians(angle);
  return std::cos(r) * x - std::sin(r) * y;
}

double RotateY(double x, double y, double angle) {
  const double r = DegreesToRadians(angle);
  return std::sin(r) * x + std::cos(r) * y;
}

}  // namespace plamor
