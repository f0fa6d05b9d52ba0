// Stroke font: the glyphs of M_G_L.KVD as stroke records, the proportional
// spacing table of the same font, and the JIS / Shift_JIS conversions by
// which its glyphs are addressed.
#include "util/tessaro_stroke_font.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "platform/folders.h"
#include "platform/kvd_codes.h"

namespace {

// ---------------------------------------------------------------- the file

constexpr std::size_t kMaxGlyphWords = 255;
// Index entries hold 24-bit offsets: nothing past the last addressable run
// is ever read, so a font image never needs more than this.
constexpr std::size_t kMaxImageBytes = (std::size_t{1} << 24) + 2 * kMaxGlyphWords;

// The open font file, read whole at OpenKvd. Process-wide, one at a time.
std::optional<std::vector<std::uint8_t>> g_font;

std::uint32_t ReadLe32(const std::vector<std::uint8_t>& image, std::size_t at) {
  return std::uint32_t{image[at]} | std::uint32_t{image[at + 1]} << 8 |
         std::uint32_t{image[at + 2]} << 16 | std::uint32_t{image[at + 3]} << 24;
}

std::optional<std::vector<std::uint8_t>> ReadImage(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> image(std::min<std::uintmax_t>(size, kMaxImageBytes));
  in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
  if (in.bad()) return std::nullopt;
  image.resize(static_cast<std::size_t>(in.gcount()));
  return image;
}

// The path as given, else with the name matched without regard to case (the
// font's name is compared that way by every caller of this system).
std::optional<std::filesystem::path> LocateFile(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return path;
  if (!path.has_filename()) return std::nullopt;
  const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  return plamor::folders::FindFileNoCase(folder, path.filename().string());
}

// Words of the glyph of a JIS cell; 0 when the glyph is empty or its index
// entry or words lie outside the file.
std::size_t ReadGlyphWords(plamor::kvd::JisCell cell, std::array<std::uint16_t, kMaxGlyphWords>& words) {
  if (!g_font) return 0;
  // Two glyphs of the font are stored in each other's places.
  if (cell.Value() == 0x3349) cell = {0x59, 0x78};
  else if (cell.Value() == 0x5978) cell = {0x33, 0x49};
  const std::vector<std::uint8_t>& image = *g_font;
  const std::int64_t entryAt = plamor::kvd::IndexEntryOffset(cell);
  if (entryAt < 0 || entryAt + 4 > static_cast<std::int64_t>(image.size())) return 0;
  const std::uint32_t entry = ReadLe32(image, static_cast<std::size_t>(entryAt));
  const std::size_t offset = entry & 0xFFFFFFu;
  const std::size_t count = entry >> 24;
  if (count == 0 || offset + 2 * count > image.size()) return 0;
  for (std::size_t i = 0; i < count; ++i)
    words[i] = static_cast<std::uint16_t>(image[offset + 2 * i] | image[offset + 2 * i + 1] << 8);
  return count;
}

// ----------------------------------------------------------- character codes

enum class CharClass { SingleByte, FullWidth, HalfWidth };

CharClass Classify(std::uint16_t code) {
  const unsigned lead = code >> 8, second = code & 0xFFu;
  if ((lead == 0x85 && second >= 0x40 && second <= 0xFC) ||
      (lead == 0x86 && second >= 0x40 && second <= 0x9E))
    return CharClass::HalfWidth;
  if ((lead >= 0x80 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEF)) return CharClass::FullWidth;
  return CharClass::SingleByte;
}

using plamor::kvd::JisCell;

JisCell ShiftJisToJis(std::uint16_t sjis) {
  return plamor::kvd::ShiftJisToJis(static_cast<std::uint8_t>(sjis >> 8), static_cast<std::uint8_t>(sjis & 0xFF));
}

// Single-byte characters share the glyphs of their full-width forms; the
// character is the high byte of the code.
JisCell SingleByteJis(std::uint16_t code) { return plamor::kvd::SingleByteJis(static_cast<std::uint8_t>(code >> 8)); }

// ------------------------------------------------------------- stroke output

struct Point {
  double x;
  double y;
};

// Appends segments to the caller's list, never beyond its capacity.
class StrokeWriter {
 public:
  StrokeWriter(KvdStroke* records, int capacity) : records_(records), capacity_(capacity) {}
  bool Full() const { return count_ + 2 > capacity_; }
  void Segment(Point from, Point to) {
    if (Full()) return;
    records_[count_++] = {0, from.x, from.y};
    records_[count_++] = {1, to.x, to.y};
  }
  int Count() const { return count_; }

 private:
  KvdStroke* records_;
  int capacity_;
  int count_ = 0;
};

// Glyph units to output units: x and y factors and the y offset in glyph units.
struct CellScale {
  double sx;
  double sy;
  double yOffset;
  Point Map(Point glyph) const { return {glyph.x * sx, (glyph.y + yOffset) * sy}; }
};

constexpr double kDegreesPerRadian = 57.29577951308238;

// Direction from a to b in degrees, [0, 360); nothing when the points coincide.
std::optional<double> Direction(Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d < 1e-16) return std::nullopt;
  const double c = dx / d;
  double angle = c > 1 ? 0 : c < -1 ? 180 : std::acos(c) * kDegreesPerRadian;
  if (dy < 0) angle = 360 - angle;
  return angle;
}

struct Arc {
  Point centre;
  double radius;
  double start;  // degrees
  double sweep;  // degrees, negative clockwise
};

// The arc from p1 through p2 to p3; nothing when no circle passes through them.
std::optional<Arc> ArcThrough(Point p1, Point p2, Point p3) {
  const double d = 2 * ((p1.y - p2.y) * p3.x + (p2.y - p3.y) * p1.x + (p3.y - p1.y) * p2.x);
  if (d == 0) return std::nullopt;
  const double e = 2 * ((p2.x - p3.x) * p1.y + (p1.x - p2.x) * p3.y + (p3.x - p1.x) * p2.y);
  if (e == 0) return std::nullopt;
  const double q1 = p1.x * p1.x + p1.y * p1.y, q2 = p2.x * p2.x + p2.y * p2.y,
               q3 = p3.x * p3.x + p3.y * p3.y;
  const Point centre{((p3.y - p1.y) * q2 + (p2.y - p3.y) * q1 + (p1.y - p2.y) * q3) / d,
                     ((p3.x - p1.x) * q2 + (p2.x - p3.x) * q1 + (p1.x - p2.x) * q3) / e};
  const auto a1 = Direction(centre, p1), a3 = Direction(centre, p3);
  const auto a13 = Direction(p1, p3), a12 = Direction(p1, p2);
  if (!a1 || !a3 || !a13 || !a12) return std::nullopt;
  double turn = *a12 - *a13;
  while (turn < -180) turn += 360;
  while (turn > 180) turn -= 360;
  double end = *a3;
  if (turn >= 0) {
    while (end > *a1) end -= 360;  // clockwise
  } else {
    while (end < *a1) end += 360;  // counter-clockwise
  }
  const double radius = std::hypot(p1.x - centre.x, p1.y - centre.y);
  return Arc{centre, radius, *a1, end - *a1};
}

// Steps the arc so that no chord leaves it by more than 0.1 output units.
void WalkArc(const Arc& arc, const CellScale& scale, StrokeWriter& out) {
  const Point centre{arc.centre.x * scale.sx, arc.centre.y * scale.sy};
  const double rx = arc.radius * scale.sx, ry = arc.radius * scale.sy;
  const double r = std::max(1.0, std::max(std::abs(rx), std::abs(ry)));
  const double step = std::acos((r - 0.1) / r) * 57.29577951308239;
  const double start = arc.start, end = arc.start + arc.sweep;
  const bool forward = end >= start;
  const auto pointAt = [&](double degrees) {
    const double radians = degrees / 57.29577951308239;
    return Point{centre.x + rx * std::cos(radians), centre.y + ry * std::sin(radians)};
  };
  // A step too fine to advance the angle still ends: the list fills up.
  Point previous{};
  double angle = start;
  bool first = true;
  do {
    const Point point = pointAt(angle);
    if (!first) out.Segment(previous, point);
    first = false;
    previous = point;
    angle = forward ? angle + step : angle - step;
  } while (!out.Full() && (forward ? angle < end : angle > end));
  out.Segment(previous, pointAt(end));
}

void DecodeGlyph(const std::array<std::uint16_t, kMaxGlyphWords>& words, std::size_t count,
                 const CellScale& scale, StrokeWriter& out) {
  constexpr std::uint16_t kPen = 0x8000, kArc = 0x4000;
  const auto glyphPoint = [](std::uint16_t word) {
    return Point{static_cast<double>(word & 0x7F), static_cast<double>((word >> 7) & 0x7F)};
  };
  Point current{0, 0};
  for (std::size_t i = 0; i < count && !out.Full(); ++i) {
    const std::uint16_t word = words[i];
    const Point target = glyphPoint(word);
    if (!(word & kPen)) {
      current = target;
    } else if (!(word & kArc)) {
      out.Segment(scale.Map(current), scale.Map(target));
      current = target;
    } else if (i + 1 < count) {  // middle point here, end point in the next word
      const Point end = glyphPoint(words[++i]);
      const auto shifted = [&](Point p) { return Point{p.x, p.y + scale.yOffset}; };
      if (const auto arc = ArcThrough(shifted(current), shifted(target), shifted(end)))
        WalkArc(*arc, scale, out);
      else
        out.Segment(scale.Map(current), scale.Map(end));
      current = end;
    }
  }
}

int ReadFont(std::int32_t code32, double height, double width, KvdStrokeList* list,
             std::int32_t capacity) {
  if (!list) return 0;
  const auto code = static_cast<std::uint16_t>(code32);
  const CharClass charClass = Classify(code);
  CellScale scale{width, height, 0};
  JisCell jis{};
  if (charClass == CharClass::SingleByte) {
    jis = SingleByteJis(code);
  } else {
    jis = ShiftJisToJis(code);
    if (jis.Value() >= 0x3020 && jis.Value() <= 0x3970) {  // kanji drawn larger and lower
      scale.sx *= 1.05;
      scale.sy *= 1.05;
      scale.yOffset = -4;
    }
  }
  scale.sx /= charClass == CharClass::FullWidth ? 128 : 256;
  scale.sy /= 128;

  std::array<std::uint16_t, kMaxGlyphWords> words;
  const std::size_t count = ReadGlyphWords(jis, words);
  StrokeWriter out(list->strokes, std::max(capacity, 0));
  DecodeGlyph(words, count, scale, out);
  list->count = out.Count();
  return out.Count();
}

// ------------------------------------------------------------------ spacing

struct SpacingEntry {
  std::uint16_t jis;
  std::uint8_t left, right;
  std::uint8_t leftMargin, rightMargin;  // 0: the default margin
};

constexpr int kDefaultMargin = 15;

constexpr SpacingEntry kSpacing[] = {
    {0x2122, 16, 32, 0, 0},   {0x2123, 16, 40, 0, 0},   {0x2124, 53, 69, 0, 0},
    {0x2125, 20, 36, 0, 0},   {0x2126, 53, 69, 20, 20}, {0x2127, 57, 73, 20, 20},
    {0x2128, 57, 73, 20, 20}, {0x2129, 28, 102, 0, 0},  {0x212A, 57, 73, 20, 20},
    {0x212B, 16, 49, 0, 0},   {0x212C, 12, 45, 0, 0},   {0x212D, 90, 110, 0, 0},
    {0x212E, 57, 77, 0, 0},   {0x212F, 28, 98, 0, 0},   {0x2130, 45, 86, 0, 0},
    {0x2131, 32, 98, 0, 0},   {0x2132, 32, 98, 0, 0},   {0x2133, 37, 83, 0, 0},
    {0x2134, 37, 93, 0, 0},   {0x2135, 41, 81, 0, 0},   {0x2136, 41, 97, 0, 0},
    {0x2137, 36, 86, 0, 0},   {0x2138, 8, 118, 0, 0},   {0x2139, 16, 106, 0, 0},
    {0x213A, 28, 94, 0, 0},   {0x213B, 8, 118, 0, 0},   {0x213C, 20, 106, 0, 0},
    {0x213D, 20, 106, 0, 0},  {0x213E, 32, 90, 0, 0},   {0x213F, 16, 110, 0, 0},
    {0x2140, 20, 106, 0, 0},  {0x2141, 20, 110, 0, 0},  {0x2142, 53, 73, 0, 0},
    {0x2143, 65, 65, 20, 20}, {0x2144, 20, 106, 0, 0},  {0x2145, 28, 98, 0, 0},
    {0x2146, 57, 73, 0, 0},   {0x2147, 57, 73, 0, 0},   {0x2148, 40, 86, 0, 0},
    {0x2149, 40, 86, 0, 0},   {0x214A, 44, 73, 20, 20}, {0x214B, 53, 81, 20, 20},
    {0x214C, 53, 77, 20, 20}, {0x214D, 53, 77, 20, 20}, {0x214E, 57, 81, 20, 20},
    {0x214F, 57, 81, 20, 20}, {0x2150, 49, 69, 20, 20}, {0x2151, 61, 81, 20, 20},
    {0x2152, 45, 77, 0, 0},   {0x2153, 45, 77, 0, 0},   {0x2154, 36, 81, 0, 0},
    {0x2155, 40, 86, 0, 0},   {0x2156, 45, 86, 20, 20}, {0x2157, 45, 86, 20, 20},
    {0x2158, 45, 81, 20, 20}, {0x2159, 36, 73, 20, 20}, {0x215A, 53, 77, 20, 20},
    {0x215B, 53, 77, 20, 20}, {0x215C, 16, 110, 0, 0},  {0x215D, 16, 110, 0, 0},
    {0x215E, 20, 106, 0, 0},  {0x215F, 24, 102, 0, 0},  {0x2160, 20, 106, 0, 0},
    {0x2161, 24, 102, 0, 0},  {0x2162, 24, 102, 0, 0},  {0x2163, 12, 110, 0, 0},
    {0x2164, 20, 114, 0, 0},  {0x2165, 20, 106, 0, 0},  {0x2166, 20, 106, 0, 0},
    {0x2167, 12, 114, 0, 0},  {0x2168, 16, 106, 0, 0},  {0x2169, 32, 98, 0, 0},
    {0x216A, 24, 102, 0, 0},  {0x216B, 53, 77, 0, 0},   {0x216C, 53, 77, 0, 0},
    {0x216D, 40, 90, 0, 0},   {0x216E, 16, 110, 0, 0},  {0x216F, 24, 106, 0, 0},
    {0x2170, 32, 90, 0, 0},   {0x2171, 31, 102, 0, 0},  {0x2172, 20, 98, 0, 0},
    {0x2173, 12, 114, 0, 0},  {0x2174, 28, 106, 0, 0},  {0x2175, 14, 114, 0, 0},
    {0x2176, 32, 98, 0, 0},   {0x2177, 17, 106, 0, 0},  {0x2178, 32, 94, 0, 0},
    {0x2179, 4, 118, 0, 0},   {0x217A, 4, 118, 0, 0},   {0x217B, 8, 118, 0, 0},
    {0x217C, 8, 118, 0, 0},   {0x217D, 8, 118, 0, 0},   {0x217E, 8, 122, 0, 0},
    {0x2221, 8, 122, 0, 0},   {0x2222, 8, 118, 0, 0},   {0x2223, 8, 118, 0, 0},
    {0x2224, 8, 118, 0, 0},   {0x2225, 8, 118, 0, 0},   {0x2226, 8, 118, 0, 0},
    {0x2227, 8, 118, 0, 0},   {0x2228, 24, 102, 0, 0},  {0x2229, 12, 114, 0, 0},
    {0x222A, 12, 114, 0, 0},  {0x222B, 8, 114, 0, 0},   {0x222C, 49, 73, 20, 20},
    {0x222D, 49, 73, 20, 20}, {0x222E, 20, 106, 0, 0},  {0x2330, 32, 98, 0, 0},
    {0x2331, 40, 61, 15, 20}, {0x2332, 32, 98, 0, 0},   {0x2333, 36, 98, 0, 0},
    {0x2334, 28, 98, 0, 0},   {0x2335, 32, 98, 0, 0},   {0x2336, 32, 98, 0, 0},
    {0x2337, 32, 114, 0, 0},  {0x2338, 32, 98, 0, 0},   {0x2339, 28, 94, 0, 0},
    {0x2341, 20, 102, 0, 0},  {0x2342, 32, 98, 0, 0},   {0x2343, 24, 98, 0, 0},
    {0x2344, 28, 97, 0, 0},   {0x2345, 32, 94, 0, 0},   {0x2346, 32, 94, 0, 0},
    {0x2347, 24, 98, 0, 0},   {0x2348, 28, 98, 0, 0},   {0x2349, 65, 65, 20, 20},
    {0x234A, 24, 98, 0, 0},   {0x234B, 28, 94, 0, 0},   {0x234C, 32, 94, 0, 0},
    {0x234D, 20, 106, 0, 0},  {0x234E, 28, 98, 0, 0},   {0x234F, 20, 110, 0, 0},
    {0x2350, 32, 102, 0, 0},  {0x2351, 20, 110, 0, 0},  {0x2352, 32, 102, 0, 0},
    {0x2353, 24, 94, 0, 0},   {0x2354, 20, 102, 0, 0},  {0x2355, 28, 98, 0, 0},
    {0x2356, 24, 106, 0, 0},  {0x2357, 8, 118, 0, 0},   {0x2358, 24, 98, 0, 0},
    {0x2359, 20, 102, 0, 0},  {0x235A, 28, 102, 0, 0},  {0x2361, 49, 102, 0, 0},
    {0x2362, 49, 102, 0, 0},  {0x2363, 45, 106, 0, 0},  {0x2364, 49, 102, 0, 0},
    {0x2365, 45, 106, 0, 0},  {0x2366, 57, 98, 0, 0},   {0x2367, 49, 102, 0, 0},
    {0x2368, 53, 98, 0, 0},   {0x2369, 77, 77, 20, 20}, {0x236A, 65, 77, 15, 20},
    {0x236B, 53, 110, 0, 0},  {0x236C, 77, 77, 20, 20}, {0x236D, 40, 114, 0, 0},
    {0x236E, 49, 98, 0, 0},   {0x236F, 49, 106, 0, 0},  {0x2370, 57, 106, 0, 0},
    {0x2371, 48, 102, 0, 0},  {0x2372, 61, 94, 0, 0},   {0x2373, 48, 102, 0, 0},
    {0x2374, 53, 94, 0, 0},   {0x2375, 53, 102, 0, 0},  {0x2376, 49, 106, 0, 0},
    {0x2377, 36, 118, 0, 0},  {0x2378, 53, 106, 0, 0},  {0x2379, 53, 106, 0, 0},
    {0x237A, 49, 102, 0, 0},
};
static_assert(std::size(kSpacing) == 169);

}  // namespace

TESSARO_EXPORT int16_t OpenKvd(const char* path) {
  g_font.reset();
  if (!path || !*path) return 0;
  // Hosts pass CP932 paths; a path that is already UTF-8 is found as given.
  std::vector<std::string> candidates{path};
  if (std::string converted = plamor::cp932::ToUtf8(path); converted != candidates[0])
    candidates.push_back(std::move(converted));
  for (const std::string& candidate : candidates) {
    if (const auto file = LocateFile(candidate)) {
      g_font = ReadImage(*file);
      if (g_font) return 1;
    }
  }
  return 0;
}

TESSARO_EXPORT int32_t CloseKvd(void) {
  if (!g_font) return -1;
  g_font.reset();
  return 0;
}

TESSARO_EXPORT int32_t MyReadFont(int32_t code, double height, double width, KvdStrokeList* list) {
  return ReadFont(code, height, width, list, KVD_MAX_STROKES);
}

TESSARO_EXPORT int32_t MyReadFontN(int32_t code, double height, double width, KvdStrokeList* list,
                                   int32_t capacity) {
  return ReadFont(code, height, width, list, capacity);
}

TESSARO_EXPORT void GetKarning(int32_t code32, double /*height*/, double width, double* left,
                               double* right) {
  const auto code = static_cast<std::uint16_t>(code32);
  const CharClass charClass = Classify(code);
  const JisCell jis = charClass == CharClass::SingleByte ? SingleByteJis(code) : ShiftJisToJis(code);
  const double scale = width / (charClass == CharClass::FullWidth ? 128 : 256);
  double from = 0, to = 128;
  const auto found = std::lower_bound(
      std::begin(kSpacing), std::end(kSpacing), jis.Value(),
      [](const SpacingEntry& entry, int value) { return entry.jis < value; });
  if (found != std::end(kSpacing) && found->jis == jis.Value()) {
    from = found->left - (found->leftMargin ? found->leftMargin : kDefaultMargin);
    to = found->right + (found->rightMargin ? found->rightMargin : kDefaultMargin);
    from = std::max(from, 0.0);
    to = std::min(to, 128.0);
  }
  if (left) *left = from * scale;
  if (right) *right = to * scale;
}

TESSARO_EXPORT int32_t Jis2SJis(int32_t jis) {
  // The system's code page is always CP932, so the code is always converted.
  return tessaro::JisToShiftJis(static_cast<uint16_t>(jis));
}
