// The stored font description, glyph outlines as point records, and kerning.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "util/tessaro_truetype.h"
#include "util/truetype_fonts.h"
#include "util/truetype_native.h"

namespace {

using namespace plamor::truetype;

// The fields of the host's logical font that these functions use; all zero
// (the default face at the default size) before the first MySetFont.
struct StoredFont {
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::string faceCp932;
};
StoredFont storedFont;

// Origin of the last outline.
double outlineOriginX = 0;
double outlineOriginY = 0;

// A face name holds at most 31 bytes.
constexpr std::size_t kFaceNameBytes = 31;

std::string FaceNamePrefix(const char* name) {
  std::string out;
  for (const char* p = name; p && *p;) {
    const std::size_t step = plamor::cp932::IsLeadByte(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1;
    if (out.size() + step > kFaceNameBytes) break;
    out.append(p, step);
    p += step;
  }
  return out;
}

// The stored font's face, sized; nullptr when it cannot be had.
FT_Face StoredFace() {
  FT_Face face = FaceFor(storedFont.faceCp932);
  return face && SetLogicalSize(face, storedFont.height, storedFont.width) ? face : nullptr;
}

std::uint32_t Read32(const std::vector<unsigned char>& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, &b[at], sizeof v);
  return v;
}
std::uint16_t Read16(const std::vector<unsigned char>& b, std::size_t at) {
  std::uint16_t v;
  std::memcpy(&v, &b[at], sizeof v);
  return v;
}

struct OutlinePoint {
  double x;
  double y;
};
OutlinePoint ReadPoint(const std::vector<unsigned char>& b, std::size_t at) {
  return {FixedToDouble(static_cast<std::int32_t>(Read32(b, at))),
          FixedToDouble(static_cast<std::int32_t>(Read32(b, at + 4)))};
}

// Turns the native buffer into records: kind 1 at each polygon's start, kind
// 2 per straight point, kind 3 pairs (control point, end point) per spline
// point. Stops at the capacity, and at a pair that no longer fits whole.
std::int32_t WalkNativeOutline(const std::vector<unsigned char>& buffer, TessaroOutlineRecord* records,
                               std::uint16_t capacity) {
  std::int32_t count = 0;
  auto put = [&](std::int32_t kind, OutlinePoint p) {
    records[count++] = {kind, outlineOriginX + p.x, outlineOriginY - p.y};
  };
  for (std::size_t polygon = 0; polygon + kPolygonHeaderBytes <= buffer.size();) {
    const std::size_t end = polygon + Read32(buffer, polygon);
    if (end < polygon + kPolygonHeaderBytes || end > buffer.size()) break;
    if (count >= capacity) return count;
    put(TESSARO_OUTLINE_START, ReadPoint(buffer, polygon + 8));
    for (std::size_t curve = polygon + kPolygonHeaderBytes; curve + kCurveHeaderBytes <= end;) {
      const std::uint16_t type = Read16(buffer, curve);
      const std::uint16_t n = Read16(buffer, curve + 2);
      const std::size_t points = curve + kCurveHeaderBytes;
      if (points + n * kPointBytes > end) break;
      auto at = [&](unsigned u) { return ReadPoint(buffer, points + u * kPointBytes); };
      if (type == kPrimLine) {
        for (unsigned u = 0; u < n; ++u) {
          if (count >= capacity) return count;
          put(TESSARO_OUTLINE_LINE, at(u));
        }
      } else if (n >= 2) {
        for (unsigned u = 0; u + 1 < n; ++u) {
          if (count + 2 > capacity) return count;
          const OutlinePoint control = at(u), next = at(u + 1);
          put(TESSARO_OUTLINE_CURVE, control);
          put(TESSARO_OUTLINE_CURVE,
              u + 2 < n ? OutlinePoint{(control.x + next.x) / 2, (control.y + next.y) / 2} : next);
        }
      }
      curve = points + n * kPointBytes;
    }
    polygon = end;
  }
  return count;
}

TessaroGlyphMetrics MetricsOf(FT_GlyphSlot glyph) {
  TessaroGlyphMetrics m{};
  if (glyph->outline.n_points > 0) {
    FT_BBox box;
    FT_Outline_Get_CBox(&glyph->outline, &box);
    const auto left = static_cast<std::int32_t>(std::floor(box.xMin / 64.0));
    const auto right = static_cast<std::int32_t>(std::ceil(box.xMax / 64.0));
    const auto bottom = static_cast<std::int32_t>(std::floor(box.yMin / 64.0));
    const auto top = static_cast<std::int32_t>(std::ceil(box.yMax / 64.0));
    m.gmBlackBoxX = static_cast<std::uint32_t>(right - left);
    m.gmBlackBoxY = static_cast<std::uint32_t>(top - bottom);
    m.gmptGlyphOrigin = {left, top};
  }
  m.gmCellIncX = static_cast<std::int16_t>(std::lround(glyph->advance.x / 64.0));
  m.gmCellIncY = 0;
  return m;
}

}  // namespace

int32_t MySetFont(int32_t height, int32_t width, const char* faceName) {
  std::lock_guard lock(FontLock());
  storedFont = {height, width, FaceNamePrefix(faceName)};
  return 0;
}

int32_t MyGetOutLine(HDC /*dc*/, uint32_t code, TessaroGlyphMetrics* metrics, TessaroOutlineList* list,
                     uint16_t capacity, double originX, double originY) {
  std::lock_guard lock(FontLock());
  outlineOriginX = originX;
  outlineOriginY = originY;
  if (metrics) *metrics = TessaroGlyphMetrics{};
  if (list) list->count = 0;

  FT_Face face = StoredFace();
  const unsigned glyph = face ? GlyphIndexOf(face, code) : 0;
  if (glyph == 0 || FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
    return 1;

  if (metrics) *metrics = MetricsOf(face->glyph);
  if (list) list->count = WalkNativeOutline(NativeOutline(face->glyph->outline), list->records, capacity);
  return 1;
}

int32_t MyGetKerning(HDC /*dc*/, int32_t first, int32_t second) {
  std::lock_guard lock(FontLock());
  FT_Face face = StoredFace();
  if (!face || !FT_HAS_KERNING(face)) return 0;
  const unsigned left = GlyphIndexOf(face, static_cast<std::uint32_t>(first));
  const unsigned right = GlyphIndexOf(face, static_cast<std::uint32_t>(second));
  // The font's own value in font units, scaled to the font's size and rounded
  // to a whole pixel once: without the damping FreeType's default mode
  // applies below 25 pixels an em, and without first rounding to 1/64 pixel
  // (which turns -10.498 pixels into -10.5 and then -11).
  FT_Vector kerning{0, 0};
  if (left == 0 || right == 0 || FT_Get_Kerning(face, left, right, FT_KERNING_UNSCALED, &kerning) != 0) return 0;
  const double pixelsPerUnit = face->size->metrics.x_scale / 65536.0 / 64.0;
  return static_cast<int32_t>(std::lround(kerning.x * pixelsPerUnit));
}
