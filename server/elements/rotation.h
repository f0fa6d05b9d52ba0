// Turning degrees into radians and rotating points, with the value of pi the
// element routines have always worked with (15 significant digits), so that
// extents and anchor shifts come out to the last bit as before.
#pragma once

namespace plamor {

inline constexpr double kTruncatedPi = 3.14159265358979;

inline double DegreesToRadians(double degrees) { return degrees * kTruncatedPi / 180; }

// Rotation of (x, y) by angle degrees.
double RotateX(double x, double y, double angle);
double RotateY(double x, double y, double angle);

}  // namespace plamor
