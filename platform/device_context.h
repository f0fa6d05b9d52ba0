// The raster device context: an RGB surface with a client size, a current
// position, one-pixel cosmetic pens in four dash styles, polylines and single
// pixels. It stands in for a window's device context (and for the window
// itself where a caller reads the client size). Rows grow downward from the
// top row; column 0 is the left column.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dc_handle.h"

namespace plamor {

// A colour as the host's COLORREF: 0x00BBGGRR.
using ColorRef = std::uint32_t;
constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;  // GetPixel outside the surface

constexpr ColorRef Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return ColorRef(r) | (ColorRef(g) << 8) | (ColorRef(b) << 16);
}
constexpr std::uint8_t RedOf(ColorRef c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t GreenOf(ColorRef c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(ColorRef c) { return std::uint8_t((c >> 16) & 0xFF); }

// Dash styles of cosmetic pens; each is a 16-bit on/off pattern, one bit per
// pixel, read from the lowest bit upward and repeating.
enum class PenStyle : std::uint8_t { kSolid = 0, kDot = 1, kDashDot = 2, kDashDotDot = 3 };
std::uint16_t DashPattern(PenStyle style);  // 0xFFFF, 0x1F1F, 0x33FF, 0x333F
// The pattern as alternating on and off runs of pixels, from the lowest bit,
// starting with an on run: {5, 3, 5, 3} for 0x1F1F; empty for the solid pen.
std::vector<int> DashRuns(PenStyle style);

// A one-pixel cosmetic pen.
struct Pen {
  PenStyle style = PenStyle::kSolid;
  ColorRef color = Rgb(0, 0, 0);
  bool operator==(const Pen&) const = default;
};

// Raster operation of line output; the surface knows the copy mode only.
enum class DrawMode : std::uint8_t { kCopyPen = 13 };

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Counts of drawing calls, for tests and diagnostics.
struct DrawCounters {
  long polylines = 0;       // Polyline calls with two or more points
  long polylinePoints = 0;  // points handed to those calls
  long lineTos = 0;         // LineTo calls
  long pixels = 0;          // SetPixel calls
};

// Sees every Polyline and SetPixel call (tests install one to check output).
class DrawRecorder {
 public:
  virtual ~DrawRecorder() = default;
  virtual void OnPolyline(const Point* points, int count, const Pen& pen) = 0;
  virtual void OnSetPixel(int x, int y, ColorRef color) = 0;
};

}  // namespace plamor

// The object behind HDC / HWND. Global name so that the C handle type and the
// C++ class are one type and no casts are needed.
struct PlamorDeviceContext {
 public:
  // A surface of width × height pixels, filled with `background`.
  PlamorDeviceContext(int width, int height, plamor::ColorRef background = plamor::Rgb(255, 255, 255));

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Pens, brush and mode.
  void SelectPen(const plamor::Pen& pen) { pen_ = pen; }
  const plamor::Pen& SelectedPen() const { return pen_; }
  void SelectNullBrush() { nullBrush_ = true; }
  bool NullBrushSelected() const { return nullBrush_; }
  void SetDrawMode(plamor::DrawMode mode) { mode_ = mode; }
  plamor::DrawMode GetDrawMode() const { return mode_; }

  // Current position and lines with the selected pen. A line covers its start
  // pixel but not its end pixel; the dash pattern starts afresh at MoveTo and
  // runs on over following LineTo calls.
  void MoveTo(int x, int y);
  plamor::Point CurrentPosition() const { return position_; }
  void LineTo(int x, int y);
  // Joins the points in order; the last point's pixel is not drawn. The dash
  // pattern runs on across the vertices and starts afresh with every call.
  // Neither uses nor moves the current position. Fewer than two points draw
  // nothing.
  void Polyline(const plamor::Point* points, int count);

  // Single pixels; outside the surface SetPixel draws nothing and GetPixel
  // gives kInvalidColor. SetPixel returns the colour set (kInvalidColor when
  // outside).
  plamor::ColorRef SetPixel(int x, int y, plamor::ColorRef color);
  plamor::ColorRef GetPixel(int x, int y) const;
  // On an RGB surface every colour is available as itself.
  plamor::ColorRef GetNearestColor(plamor::ColorRef color) const { return color & 0x00FFFFFFu; }

  void Fill(plamor::ColorRef color);

  // The pixels, row after row from the top row, width per row.
  const std::vector<plamor::ColorRef>& Pixels() const { return pixels_; }

  // Writes the surface as an 8-bit RGB PNG. The file appears complete or not
  // at all (an earlier file of that name stays until the new one is written).
  // Throws std::runtime_error naming the file and the cause on failure.
  void SavePng(const std::string& path) const;

  plamor::DrawCounters counters;
  // Not owned; nullptr for none.
  void SetRecorder(plamor::DrawRecorder* recorder) { recorder_ = recorder; }

 private:
  // Draws from a to b without b's pixel; `phase` is the dash pattern bit of
  // a's pixel and moves on by the pixels stepped.
  void DrawSegment(plamor::Point a, plamor::Point b, unsigned& phase);

  int width_;
  int height_;
  std::vector<plamor::ColorRef> pixels_;
  plamor::Pen pen_;
  bool nullBrush_ = false;
  plamor::DrawMode mode_ = plamor::DrawMode::kCopyPen;
  plamor::Point position_;
  unsigned linePhase_ = 0;
  plamor::DrawRecorder* recorder_ = nullptr;
};

namespace plamor {
using DeviceContext = ::PlamorDeviceContext;
}  // namespace plamor
