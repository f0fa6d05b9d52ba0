// Where the element drawing sends its strokes: device segments under a pen,
// and curves. The raster output stage walks curves into segments itself; a
// vector page keeps them as true curves.
#pragma once

#include "graphic/view.h"

namespace plamor::graphic {

// A piece of an ellipse on the device: centre + u cos θ + v sin θ for θ
// running from `start` to `end` degrees (either direction). u and v are the
// images of the two radii, so rotation, slant and unequal scales are exact.
struct EllipticArc {
  DPoint centre;
  DPoint u;
  DPoint v;
  double start = 0;
  double end = 0;
};

class StrokeSink {
 public:
  virtual ~StrokeSink() = default;
  // Selects the pen of a line-style row (0 solid, 1 dotted, 2 dash-dot,
  // 3 dash-dot-dot) and palette colour index.
  virtual void SelectPen(int row, int colourIndex) = 0;
  // One segment in device coordinates, already inside the device rectangle.
  virtual void AddSegment(DPoint start, DPoint end) = 0;
  // Draws the arc as a curve and returns true, or returns false so that the
  // caller walks it into segments.
  virtual bool AddCurve(const EllipticArc& /*arc*/) { return false; }
};

}  // namespace plamor::graphic
