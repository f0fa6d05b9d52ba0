// Reading a LibreCAD LFF stroke font (KST32B): glyphs by their JIS code.
#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kvd {

// A polyline vertex in font units (y upward). `bulge` is the tangent of a
// quarter of the arc's angle from this vertex to the next (positive:
// counter-clockwise); 0 for a straight piece.
struct LffVertex {
  double x = 0;
  double y = 0;
  double bulge = 0;
};
using LffPolyline = std::vector<LffVertex>;

// One glyph: `code` is its JIS code as the font's "# JIS" comment gives it:
// below 0x100 a single-byte (JIS X 0201) code, else row << 8 | column.
struct LffGlyph {
  std::uint16_t code = 0;
  std::vector<LffPolyline> polylines;
};

struct LffFont {
  std::vector<LffGlyph> glyphs;
  int glyphsWithoutJis = 0;  // glyph headers with no "# JIS" comment before them
};

struct LffError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads the font; throws LffError naming the source and line of anything it
// cannot read. Commented-out strokes are not part of a glyph.
LffFont ReadLffFont(std::istream& in, const std::string& sourceName);

}  // namespace kvd
