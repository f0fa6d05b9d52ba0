#include "server/elements/pen.h"

namespace plamor {

namespace {

struct PenRow {
  const char* colorName;
  std::int32_t red, green, blue;
};

// Pens 0..7 by number; black (pen 0) is shown light grey.
constexpr PenRow kPens[] = {
    {"黒", 192, 192, 192}, {"緑", 0, 255, 0},   {"赤", 255, 0, 0},     {"紫", 255, 0, 255},
    {"青", 0, 0, 255},     {"水", 0, 255, 255}, {"黄", 255, 255, 0},   {"白", 255, 255, 255},
};
constexpr PenRow kUnknownPen = {"未定", 0, 0, 0};

const PenRow& RowOf(std::int32_t no) {
  return (no >= 0 && no < 8) ? kPens[no] : kUnknownPen;
}

}  // namespace

std::string clsPen::ColorName() const { return RowOf(no_).colorName; }

std::int32_t clsPen::Color() const {
  const PenRow& row = RowOf(no_);
  return row.red + 256 * row.green + 65536 * row.blue;
}

}  // namespace plamor
