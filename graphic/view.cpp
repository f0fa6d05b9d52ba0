#include "graphic/view.h"

#include <cmath>

namespace plamor::graphic {

int Outcode(double x, double y, const DRect& r) {
  int code = 0;
  if (x < r.x0) {
    code |= 1;
  } else if (x > r.x1) {
    code |= 2;
  }
  if (y < r.y0) {
    code |= 4;
  } else if (y > r.y1) {
    code |= 8;
  }
  return code;
}

namespace {

// y of the segment a-b at x (a's y when the segment is vertical), and x at y.
double YAt(const DPoint& a, const DPoint& b, double x) {
  if (b.x == a.x) return a.y;
  return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}
double XAt(const DPoint& a, const DPoint& b, double y) {
  if (b.y == a.y) return a.x;
  return a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y);
}

}  // namespace

ClipResult ClipSegment(DPoint& a, DPoint& b, const DRect& r) {
  // On an inverted rectangle every point is outside on opposite sides by
  // turns and the cutting would never end.
  if (r.x1 < r.x0 || r.y1 < r.y0) return ClipResult::kRejected;
  int codeA = Outcode(a.x, a.y, r);
  int codeB = Outcode(b.x, b.y, r);
  bool cut = false;
  while ((codeA | codeB) != 0) {
    if ((codeA & codeB) != 0) return ClipResult::kRejected;
    const bool first = codeA != 0;
    const int code = first ? codeA : codeB;
    DPoint p;
    if (code & 1) {
      p = {r.x0, YAt(a, b, r.x0)};
    } else if (code & 2) {
      p = {r.x1, YAt(a, b, r.x1)};
    } else if (code & 4) {
      p = {XAt(a, b, r.y0), r.y0};
    } else {
      p = {XAt(a, b, r.y1), r.y1};
    }
    cut = true;
    if (first) {
      a = p;
      codeA = Outcode(a.x, a.y, r);
    } else {
      b = p;
      codeB = Outcode(b.x, b.y, r);
    }
  }
  return cut ? ClipResult::kCut : ClipResult::kWhole;
}

Transform::Transform(const DeviceView& d, const WorldWindow& w)
    : Transform(DRect{double(d.left), double(d.top), double(d.right), double(d.bottom)}, w) {}

Transform::Transform(const DRect& d, const WorldWindow& w) : device(d), world(w) {
  sx = (device.x1 - device.x0) / world.width;
  sy = (device.y1 - device.y0) / world.height;
}

bool Transform::Usable() const {
  return world.width != 0 && world.height != 0 && std::isfinite(sx) && std::isfinite(sy) &&
         device.x1 >= device.x0 && device.y1 >= device.y0;
}

}  // namespace plamor::graphic
