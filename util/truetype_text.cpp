// Text written into a device context in one call, with its own face, size,
// escapement, colour and alignment.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/device_context.h"
#include "util/tessaro_truetype.h"
#include "util/truetype_fonts.h"

namespace {

using namespace plamor::truetype;
using plamor::ColorRef;

// The device context's resolution, as a screen's.
constexpr int kPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;

// MulDiv: the product over the divisor, rounded half away from zero.
int MulDiv(int value, int numerator, int denominator) {
  return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

enum class Horizontal { kLeft, kCentre, kRight };
enum class Vertical { kTop, kBottom, kBaseline };
struct Alignment {
  Horizontal horizontal;
  Vertical vertical;
};
constexpr Alignment kAlignments[9] = {
    {Horizontal::kLeft, Vertical::kTop},      {Horizontal::kCentre, Vertical::kTop},
    {Horizontal::kRight, Vertical::kTop},     {Horizontal::kLeft, Vertical::kBottom},
    {Horizontal::kCentre, Vertical::kBottom}, {Horizontal::kRight, Vertical::kBottom},
    {Horizontal::kLeft, Vertical::kBaseline}, {Horizontal::kCentre, Vertical::kBaseline},
    {Horizontal::kRight, Vertical::kBaseline},
};

// Screen vectors (y down).
struct Vec {
  double x;
  double y;
};

// Leaves the shared face untransformed whatever happens.
class FaceTransform {
 public:
  FaceTransform(FT_Face face) : face_(face) {}
  ~FaceTransform() { FT_Set_Transform(face_, nullptr, nullptr); }
  FaceTransform(const FaceTransform&) = delete;
  FaceTransform& operator=(const FaceTransform&) = delete;
  void Set(FT_Matrix* matrix, FT_Vector* delta) { FT_Set_Transform(face_, matrix, delta); }

 private:
  FT_Face face_;
};

std::uint8_t Mix(std::uint8_t under, std::uint8_t over, unsigned coverage) {
  return static_cast<std::uint8_t>((under * (255 - coverage) + over * coverage + 127) / 255);
}

// Paints a glyph's grey coverage with its bitmap's top-left pixel at
// (left, top), blending partly covered pixels with what is under them.
void PaintCoverage(PlamorDeviceContext& dc, const FT_Bitmap& bitmap, int left, int top, ColorRef color) {
  for (unsigned row = 0; row < bitmap.rows; ++row) {
    const int y = top + static_cast<int>(row);
    if (y < 0 || y >= dc.Height()) continue;
    const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const int x = left + static_cast<int>(col);
      const unsigned coverage = line[col];
      if (coverage == 0 || x < 0 || x >= dc.Width()) continue;
      if (coverage == 255) {
        dc.SetPixel(x, y, color);
        continue;
      }
      const ColorRef under = dc.GetPixel(x, y);
      dc.SetPixel(x, y,
                  plamor::Rgb(Mix(plamor::RedOf(under), plamor::RedOf(color), coverage),
                              Mix(plamor::GreenOf(under), plamor::GreenOf(color), coverage),
                              Mix(plamor::BlueOf(under), plamor::BlueOf(color), coverage)));
    }
  }
}

}  // namespace

int32_t MyPutMoji(HDC dc, int16_t points, int16_t x, int16_t y, int16_t escapement, uint32_t color,
                  int32_t alignment, const char* text, const char* faceName) {
  if (!dc || alignment < 0 || alignment > 8) return 0;
  std::lock_guard lock(FontLock());
  FT_Face face = FaceFor(faceName ? faceName : "");
  if (!face || !SetLogicalSize(face, MulDiv(points, kPixelsPerInch, kPointsPerInch), 0)) return 0;

  // Glyphs and whole-pixel advances along the baseline.
  std::vector<unsigned> glyphs;
  std::vector<double> pens;
  double width = 0;
  for (char32_t c : DecodeCp932(text ? text : "")) {
    const unsigned glyph = FT_Get_Char_Index(face, c);
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) continue;
    glyphs.push_back(glyph);
    pens.push_back(width);
    width += std::round(face->glyph->linearHoriAdvance / 65536.0);
  }

  // The baseline's start from the reference point and the alignment.
  const double angle = escapement / 10.0 * std::numbers::pi / 180.0;
  const Vec along{std::cos(angle), -std::sin(angle)};
  const Vec up{-std::sin(angle), -std::cos(angle)};
  const Alignment align = kAlignments[alignment];
  const double back = align.horizontal == Horizontal::kLeft ? 0 : align.horizontal == Horizontal::kCentre ? width / 2 : width;
  const CellMetrics cell = CellOf(face);
  const double lift = align.vertical == Vertical::kTop ? -cell.ascent : align.vertical == Vertical::kBottom ? cell.descent : 0;
  const Vec start{x - back * along.x + lift * up.x, y - back * along.y + lift * up.y};

  FaceTransform transform(face);
  FT_Matrix rotation{std::lround(std::cos(angle) * 65536), std::lround(-std::sin(angle) * 65536),
                     std::lround(std::sin(angle) * 65536), std::lround(std::cos(angle) * 65536)};
  const ColorRef ink = color & 0x00FFFFFFu;
  // No glyph reaches farther from its origin than this.
  const double reach = cell.ascent + cell.descent + 2.0 * face->size->metrics.x_ppem;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const Vec origin{start.x + pens[i] * along.x, start.y + pens[i] * along.y};
    if (origin.x < -reach || origin.y < -reach || origin.x > dc->Width() + reach || origin.y > dc->Height() + reach)
      continue;
    const double whole_x = std::floor(origin.x), whole_y = std::floor(origin.y);
    FT_Vector delta{std::lround((origin.x - whole_x) * 64), std::lround(-(origin.y - whole_y) * 64)};
    transform.Set(&rotation, &delta);
    if (FT_Load_Glyph(face, glyphs[i], FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP | FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) continue;
    PaintCoverage(*dc, slot->bitmap, static_cast<int>(whole_x) + slot->bitmap_left,
                  static_cast<int>(whole_y) - slot->bitmap_top, ink);
  }
  return 1;
}
