// The preview's view: the device rectangle of the surface, the world window
// of paper millimetres shown in it, the transform between them and the
// clipping of segments.
#pragma once

#include <cstdint>

namespace plamor::graphic {

struct DPoint {
  double x = 0;
  double y = 0;
};

// A rectangle of doubles, x0 ≤ x ≤ x1 and y0 ≤ y ≤ y1 inside.
struct DRect {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// Outcode of a point: 1 left, 2 right, 4 below, 8 above; 0 inside or on an edge.
int Outcode(double x, double y, const DRect& r);

enum class ClipResult { kWhole = 0, kCut = 1, kRejected = 2 };

// Cohen–Sutherland clipping of the segment a-b to r; a and b are moved onto
// the edges where cut. An inverted rectangle rejects every segment.
ClipResult ClipSegment(DPoint& a, DPoint& b, const DRect& r);

// The device rectangle (left = 0, top = 0, right = client width, bottom =
// client height - 1) and the row that turns device y into a pixel row.
struct DeviceView {
  std::int16_t left = 0, top = 0, right = 0, bottom = 0;
  std::int16_t flipRow = 0;
};

// The world window and its size.
struct WorldWindow {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  double width = 0, height = 0;
  DRect Rect() const { return {x0, y0, x1, y1}; }
};

// World-to-device transform of one element call. Device y grows upward like
// world y; pixel rows are formed only when points are stored.
struct Transform {
  Transform(const DeviceView& device, const WorldWindow& world);
  // A device of doubles, such as a page in points.
  Transform(const DRect& device, const WorldWindow& world);
  DPoint ToDevice(double x, double y) const {
    return {(x - world.x0) * sx + device.x0, (y - world.y0) * sy + device.y0};
  }
  // False when the view cannot map anything (zero or non-finite world size,
  // empty device rectangle).
  bool Usable() const;

  DRect device;       // L, T, R, B as doubles
  WorldWindow world;
  double sx = 0;      // pixels per world unit along x
  double sy = 0;      // and along y
};

}  // namespace plamor::graphic
