#include "util/truetype_native.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace plamor::truetype {
namespace {

// A point in 26.6 pixels.
struct Vec {
  double x = 0;
  double y = 0;
  bool operator==(const Vec&) const = default;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(double k, Vec a) { return {k * a.x, k * a.y}; }
Vec Mid(Vec a, Vec b) { return 0.5 * (a + b); }

// Largest error of a cubic piece's quadratic stand-in: a quarter pixel.
constexpr double kCubicTolerance = 16;
constexpr int kMaxCubicPieces = 16;

std::int32_t ToFixed(double v26dot6) {
  const double fixed = std::round(v26dot6 * 1024);
  return static_cast<std::int32_t>(std::clamp<double>(fixed, std::numeric_limits<std::int32_t>::min(),
                                                      std::numeric_limits<std::int32_t>::max()));
}

// Appends polygons and curves to the native buffer.
class NativeWriter {
 public:
  void BeginPolygon(Vec start) {
    polygonStart_ = buffer_.size();
    Put32(0);  // cb, filled in by EndPolygon
    Put32(kPolygonType);
    PutPoint(start);
  }
  // Adds a point to the open curve of that type, or opens a new one.
  void Add(std::uint16_t type, Vec p) {
    if (!curveOpen_ || curveType_ != type) {
      EndCurve();
      curveStart_ = buffer_.size();
      curveType_ = type;
      curveOpen_ = true;
      Put16(type);
      Put16(0);  // cpfx, filled in by EndCurve
    }
    PutPoint(p);
    ++curvePoints_;
  }
  void EndCurve() {
    if (!curveOpen_) return;
    std::memcpy(&buffer_[curveStart_ + 2], &curvePoints_, sizeof curvePoints_);
    curveOpen_ = false;
    curvePoints_ = 0;
  }
  void EndPolygon() {
    EndCurve();
    const auto cb = static_cast<std::uint32_t>(buffer_.size() - polygonStart_);
    std::memcpy(&buffer_[polygonStart_], &cb, sizeof cb);
  }
  std::vector<unsigned char> Take() { return std::move(buffer_); }

 private:
  void Put16(std::uint16_t v) { Put(&v, sizeof v); }
  void Put32(std::uint32_t v) { Put(&v, sizeof v); }
  void PutPoint(Vec p) {
    const std::int32_t x = ToFixed(p.x), y = ToFixed(p.y);
    Put(&x, sizeof x);
    Put(&y, sizeof y);
  }
  void Put(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
  }

  std::vector<unsigned char> buffer_;
  std::size_t polygonStart_ = 0;
  std::size_t curveStart_ = 0;
  std::uint16_t curveType_ = 0;
  std::uint16_t curvePoints_ = 0;
  bool curveOpen_ = false;
};

// A cubic piece p0..p3 as quadratic splines, each its own curve.
void AddCubic(NativeWriter& out, Vec p0, Vec p1, Vec p2, Vec p3) {
  const Vec d = p3 - 3.0 * p2 + 3.0 * p1 - p0;
  const double error = std::sqrt(3.0) / 36.0 * std::hypot(d.x, d.y);
  const int pieces = std::clamp(static_cast<int>(std::ceil(std::cbrt(error / kCubicTolerance))), 1, kMaxCubicPieces);
  auto at = [&](double t) {
    const double s = 1 - t;
    return s * s * s * p0 + 3 * s * s * t * p1 + 3 * s * t * t * p2 + t * t * t * p3;
  };
  auto slope = [&](double t) {  // derivative
    const double s = 1 - t;
    return 3 * s * s * (p1 - p0) + 6 * s * t * (p2 - p1) + 3 * t * t * (p3 - p2);
  };
  for (int i = 0; i < pieces; ++i) {
    const double t0 = double(i) / pieces, t1 = double(i + 1) / pieces, h = (t1 - t0) / 3;
    const Vec q0 = at(t0), q3 = i + 1 == pieces ? p3 : at(t1);
    const Vec q1 = q0 + h * slope(t0), q2 = q3 - h * slope(t1);
    out.Add(kPrimQSpline, 0.25 * (3.0 * (q1 + q2) - (q0 + q3)));
    out.Add(kPrimQSpline, q3);
    out.EndCurve();
  }
}

void AddContour(NativeWriter& out, const FT_Outline& outline, int first, int last) {
  auto point = [&](int i) { return Vec{double(outline.points[i].x), double(outline.points[i].y)}; };
  auto tag = [&](int i) { return FT_CURVE_TAG(outline.tags[i]); };

  // The start is an on-curve point: the first, else the last, else the
  // midpoint of the two control points.
  Vec start;
  int from = first, to = last;
  if (tag(first) != FT_CURVE_TAG_CONIC) {
    start = point(first);
    from = first + 1;
  } else if (tag(last) == FT_CURVE_TAG_ON) {
    start = point(last);
    to = last - 1;
  } else {
    start = Mid(point(first), point(last));
  }

  out.BeginPolygon(start);
  Vec current = start;
  bool splineOpen = false;
  for (int i = from; i <= to; ++i) {
    const Vec p = point(i);
    switch (tag(i)) {
      case FT_CURVE_TAG_ON:
        if (splineOpen) {
          out.Add(kPrimQSpline, p);
          out.EndCurve();
          splineOpen = false;
        } else {
          out.Add(kPrimLine, p);
        }
        current = p;
        break;
      case FT_CURVE_TAG_CONIC:
        out.Add(kPrimQSpline, p);
        splineOpen = true;
        break;
      default: {  // cubic: two control points, then the end (the start after the last point)
        const Vec c2 = i + 1 <= to ? point(i + 1) : p;
        const Vec end = i + 2 <= to ? point(i + 2) : start;
        AddCubic(out, current, p, c2, end);
        current = end;
        i += 2;
        break;
      }
    }
  }
  if (splineOpen)
    out.Add(kPrimQSpline, start);
  else if (!(current == start))
    out.Add(kPrimLine, start);
  out.EndPolygon();
}

}  // namespace

std::vector<unsigned char> NativeOutline(const FT_Outline_& outline) {
  NativeWriter out;
  int first = 0;
  for (int c = 0; c < outline.n_contours; ++c) {
    const int last = outline.contours[c];
    if (last >= first && last < outline.n_points) AddContour(out, outline, first, last);
    first = last + 1;
  }
  return out.Take();
}

double FixedToDouble(std::int32_t fixed) {
  const auto value = static_cast<std::int16_t>(static_cast<std::uint32_t>(fixed) >> 16);
  const auto fraction = static_cast<std::uint16_t>(fixed & 0xFFFF);
  return value + fraction / 65536.0;
}

}  // namespace plamor::truetype
