#include <cmath>

#include "graphic/elements.h"

namespace plamor::graphic {

namespace {
constexpr double kDegreesPerRadian = 57.29577951308232;
}

int PaletteIndexOfElementColour(int colour) {
  static constexpr int kMap[8] = {0, 4, 2, 3, 1, 5, 6, 7};
  return kMap[colour & 7];
}

void DrawLine(ElementDrawing& drawing, const WorldWindow& world, double x1, double y1, double x2,
              double y2, int style, int colour) {
  const DRect window = world.Rect();
  if ((Outcode(x1, y1, window) & Outcode(x2, y2, window)) != 0) return;
  drawing.SelectPen(style & 3, PaletteIndexOfElementColour(colour));
  const Transform& view = drawing.View();
  drawing.Segment(view.ToDevice(x1, y1), view.ToDevice(x2, y2));
}

void DrawCircle(ElementDrawing& drawing, const WorldWindow& world, double x, double y,
                double xRadius, double yRadius, double startAngle, double sweepAngle,
                double rotationAngle, int style, int colour) {
  const double r = std::fmax(xRadius, yRadius);
  if (x + r < world.x0 || x - r > world.x1 || y + r < world.y0 || y - r > world.y1) return;
  // An angle that is not a number has no curve to walk.
  if (!std::isfinite(startAngle) || !std::isfinite(sweepAngle)) return;
  // Turns beyond the second repeat the same curve: keep the end angle's
  // place on the circle but walk at most two turns.
  if (std::fabs(sweepAngle) > 720) {
    sweepAngle = std::copysign(360 + std::fmod(std::fabs(sweepAngle), 360.0), sweepAngle);
  }
  drawing.SelectPen(style & 3, PaletteIndexOfElementColour(colour));

  const Transform& view = drawing.View();
  const DPoint centre = view.ToDevice(x, y);
  const double end = startAngle + sweepAngle;
  const bool forward = end >= startAngle;

  const double cosPhi = std::cos(rotationAngle / kDegreesPerRadian);
  const double sinPhi = std::sin(rotationAngle / kDegreesPerRadian);
  const EllipticArc curve{centre,
                          {xRadius * cosPhi * view.sx, xRadius * sinPhi * view.sy},
                          {-yRadius * sinPhi * view.sx, yRadius * cosPhi * view.sy},
                          startAngle,
                          end};
  if (drawing.Curve(curve)) return;

  double d = r * view.sx;
  if (d < 5) d = 5;
  double step = std::acos((d - 1) / d) * kDegreesPerRadian;
  if (!(step > 0)) step = 0.01;

  const bool rotated = rotationAngle != 0;
  auto pointAt = [&](double theta) {
    const double a = std::cos(theta / kDegreesPerRadian) * xRadius;
    const double b = std::sin(theta / kDegreesPerRadian) * yRadius;
    if (!rotated) return DPoint{centre.x + a * view.sx, centre.y + b * view.sy};
    return DPoint{centre.x + (a * cosPhi - b * sinPhi) * view.sx,
                  centre.y + (a * sinPhi + b * cosPhi) * view.sy};
  };

  DPoint previous;
  double theta = startAngle;
  for (;;) {
    const DPoint p = pointAt(theta);
    if (theta != startAngle) drawing.Segment(previous, p);
    previous = p;
    const double next = forward ? theta + step : theta - step;
    if (next == theta) break;  // the angle is too large for the step to move it
    theta = next;
    if (forward ? !(theta < end) : !(theta > end)) break;
  }
  drawing.Segment(previous, pointAt(end));
}

}  // namespace plamor::graphic
