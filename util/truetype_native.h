// A glyph outline in the host's native glyph-outline layout, so that the
// outline functions walk it as a host program walks that buffer:
//
//   per contour  TTPOLYGONHEADER  uint32 cb (bytes of the header and its
//                                 curves), uint32 dwType (24), POINTFX start
//   then         TTPOLYCURVE      uint16 wType (1 straight, 2 quadratic
//                                 spline), uint16 cpfx, cpfx × POINTFX
//
// POINTFX is two FIXED values (x, y), 16.16 with the fraction in the low
// word, y up from the glyph origin. Every contour's last curve ends at its
// start point. A spline curve lists its control points and ends with an
// on-curve point; between two control points the midpoint is on the curve.
#pragma once

#include <cstdint>
#include <vector>

struct FT_Outline_;

namespace plamor::truetype {

constexpr std::uint32_t kPolygonType = 24;  // TT_POLYGON_TYPE
constexpr std::uint16_t kPrimLine = 1;      // TT_PRIM_LINE
constexpr std::uint16_t kPrimQSpline = 2;   // TT_PRIM_QSPLINE
constexpr std::size_t kPolygonHeaderBytes = 16;
constexpr std::size_t kCurveHeaderBytes = 4;
constexpr std::size_t kPointBytes = 8;

// The native buffer of a FreeType outline (26.6 pixels). Quadratic
// (TrueType) contours pass as they are; cubic (CFF) pieces become quadratic
// splines within a quarter pixel.
std::vector<unsigned char> NativeOutline(const FT_Outline_& outline);

// A FIXED 16.16 value as a double: its integer word plus fraction / 65536.
double FixedToDouble(std::int32_t fixed);

}  // namespace plamor::truetype
