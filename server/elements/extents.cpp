#include "server/elements/extents.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

#include "platform/cp932.h"
#include "platform/utf8.h"
#include "server/elements/rotation.h"
#include "server/elements/z_element.h"

namespace plamor {

namespace {

void Widen(Extent& e, double x, double y) {
  e.minX = std::min(e.minX, x);
  e.maxX = std::max(e.maxX, x);
  e.minY = std::min(e.minY, y);
  e.maxY = std::max(e.maxY, y);
}

// The corners of `box` (relative to the centre) turned by `angle` degrees
// about the centre (cx, cy).
Extent TurnedBox(const Extent& box, double angle, double cx, double cy) {
  const double xs[] = {box.minX, box.maxX, box.maxX, box.minX};
  const double ys[] = {box.minY, box.minY, box.maxY, box.maxY};
  Extent e;
  for (int i = 0; i < 4; ++i) {
    const double x = RotateX(xs[i], ys[i], angle) + cx;
    const double y = RotateY(xs[i], ys[i], angle) + cy;
    if (i == 0) e = {x, y, x, y};
    Widen(e, x, y);
  }
  return e;
}

}  // namespace

Extent LineExtent(const LineValues& line) {
  return {std::min(line.x1, line.x2), std::min(line.y1, line.y2), std::max(line.x1, line.x2),
          std::max(line.y1, line.y2)};
}

Extent CircleExtent(const CircleValues& circle) {
  const double start = circle.mang > 0 ? circle.sAng : circle.sAng + circle.mang;
  const double end = circle.mang > 0 ? circle.sAng + circle.mang : circle.sAng;
  auto point = [&](double degrees) {
    const double t = degrees * std::numbers::pi / 180.0;
    return std::pair{circle.xr * std::cos(t), circle.yr * std::sin(t)};
  };
  const auto [sx, sy] = point(start);
  Extent box{sx, sy, sx, sy};
  for (double quadrant : {0.0, 90.0, 180.0, 270.0, 360.0}) {
    if (start < quadrant && quadrant < end) {
      const auto [qx, qy] = point(quadrant);
      Widen(box, qx, qy);
    }
  }
  const auto [ex, ey] = point(end);
  Widen(box, ex, ey);
  return TurnedBox(box, circle.lang, circle.x, circle.y);
}

Extent TextExtent(const TextValues& text) {
  const double n = static_cast<double>(utf8::CharacterCount(text.Text));
  const double b = static_cast<double>(cp932::ByteLength(text.Text));
  Extent box{0, 0, 0, 0};  // relative to the anchor
  if (n > 0) {
    if (text.Style == ktpTate) {
      box.maxX = text.width;
      box.minY = -(n * text.height + (n - 1) * text.Between);
    } else {
      box.maxX = (b - n) * text.width + (2 * n - b) * text.width / 2 + (n - 1) * text.Between;
      box.maxY = text.height;
    }
  }
  return TurnedBox(box, text.lang, text.x, text.y);
}

void Include(std::optional<Extent>& all, const Extent& box) {
  if (!all) {
    all = box;
    return;
  }
  Widen(*all, box.minX, box.minY);
  Widen(*all, box.maxX, box.maxY);
}

std::optional<Extent> DrawingExtent(const std::vector<std::unique_ptr<clsZElement>>& elements) {
  std::optional<Extent> all;
  for (const auto& element : elements) {
    if (element->IsDeleted()) continue;
    Extent e;
    element->MaxMin(e.minX, e.minY, e.maxX, e.maxY);
    Include(all, e);
  }
  return all;
}

}  // namespace plamor
