// The whole conversion of a KST32B font into the font file image: where
// each source glyph goes, the one cell mapping of the font, and what had to
// be changed on the way.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "tools/kvd_builder/glyph_shape.h"
#include "tools/kvd_builder/kvd_image.h"
#include "tools/kvd_builder/lff_font.h"

namespace kvd {

// KST32B draws full-width glyphs in about 0..9.1 x 0..9.7 font units on a
// grid of 0.3125 units (32 steps to 10 units), base line at 0 with the
// letters' feet at 0.6-0.9. One font unit becomes 12.8 glyph units, so each
// grid step is exactly 4 units and the font's 10-unit em fills the cell:
// nothing lies below the base line, full-width glyphs are centred in x.
constexpr CellMapping kFullWidthMapping{12.8, 12.8, 6, 0};
// Half-width glyphs (about 0..4.4 wide) stand in a half cell whose 128
// units span half the width: the same size on paper, centred likewise.
constexpr CellMapping kHalfWidthMapping{25.6, 12.8, 8, 0};

// Rows the readers draw half-width: ASCII goes to row 0x29 (column = the
// byte), the half-width katakana 0xA1-0xDF to row 0x2A (column = byte - 0x80).
constexpr int kHalfWidthAsciiRow = 0x29, kHalfWidthKanaRow = 0x2A, kLastHalfWidthRow = 0x2B;

// The index place of a source glyph; 0 when it has none. The glyphs of
// 0x3349 and 0x5978 are stored in each other's places: MyReadFont reads each
// of the two from the other's entry, so hosts get the right kanji.
std::uint16_t IndexPlace(std::uint16_t sourceCode);

struct ConversionReport {
  std::map<int, int> glyphsPerRow;          // JIS row -> glyphs written
  std::vector<std::uint16_t> simplified;    // index places whose strokes were simplified
  std::vector<std::uint16_t> truncated;     // ... and still had strokes cut
  std::vector<std::uint16_t> clamped;       // ... with points moved into the cell
  std::vector<std::uint16_t> blanks;        // index places of glyphs without strokes
  int withoutPlace = 0;                     // source glyphs with no place in the index
  int displaced = 0;                        // full-width source glyphs of the half-width rows
  int glyphsWithoutJis = 0;                 // source glyphs without a JIS code
  int duplicates = 0;                       // later source glyphs of a code already written
};

// One glyph's words: flattened, mapped, chained and fitted into 255 words.
std::vector<std::uint16_t> GlyphWords(const LffGlyph& glyph, const CellMapping& mapping,
                                      FitResult& fit, bool& clamped);

KvdImage ConvertFont(const LffFont& font, ConversionReport& report);

}  // namespace kvd
