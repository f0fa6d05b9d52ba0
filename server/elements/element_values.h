// The values of the three element records as the file writers and the
// extents take them (Values() of each record; when the output run writes, the
// preview phase has turned pitches and text sizes into drawing units), and
// the rules every writer applies to them. Texts are UTF-8; the writers store
// them in CP932.
#pragma once

#include <cstdint>
#include <string_view>

namespace plamor {

struct LineValues {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double pich = 0;
  std::int32_t Style = 0;
  std::int32_t pen = 1;
  std::int16_t Layer = 1;
};

struct CircleValues {
  double x = 0, y = 0, xr = 0, yr = 0;
  double sAng = 0, mang = 360, lang = 0;
  double pich = 0;
  std::int32_t Style = 0;
  std::int32_t pen = 1;
  std::int16_t Layer = 1;
};

struct TextValues {
  double x = 0, y = 0;
  double sAng = 0, height = 3.0, width = 2.7, Between = 0.3, lang = 0;
  std::int16_t FontType = 0;
  std::int32_t Style = 0;  // 0 horizontal, any other vertical
  std::int32_t pen = 1;
  std::int16_t Layer = 1;
  std::string_view Text;
};

// Layers the files can hold; an element on any other layer cannot be written.
constexpr bool LayerInRange(std::int32_t layer) { return layer >= 1 && layer <= 128; }

// The pen number the writers use: a number outside 0..7 is written as pen 7,
// so it never indexes outside the pen tables nor spills into other fields.
constexpr std::int32_t WriterPen(std::int32_t pen) { return pen >= 0 && pen <= 7 ? pen : 7; }

// Line-style code of the standard files and style row of the preview:
// 1 dash, 2 dash-dot, 3 dash-dot-dot, 0 any other.
constexpr std::int32_t StyleCode(std::int32_t style) {
  switch (style) {
    case 1: return 1;
    case 3: return 2;
    case 4: return 3;
    default: return 0;
  }
}
// The ktpStyle of a line-style code of the standard files; the preview's
// style rows are the same codes.
constexpr std::int32_t StyleOfCode(std::int32_t code) {
  switch (code) {
    case 1: return 1;
    case 2: return 3;
    case 3: return 4;
    default: return 0;
  }
}

}  // namespace plamor
