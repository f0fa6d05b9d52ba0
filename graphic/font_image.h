// The stroke font held in memory: the whole file in one block, its glyphs
// looked up by JIS code with every offset checked against the block.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/kvd_codes.h"

namespace plamor::graphic {

enum class FontLoad {
  kLoaded,
  kMissing,     // the file's size cannot be had (no such file)
  kCannotOpen,  // the file exists but cannot be opened for reading
  kFailed,      // it could not be read whole, or is empty
};

// Reads the whole file at `path` (a file-system path) into `image`; `image`
// is left empty unless the result is kLoaded.
FontLoad LoadFontImage(const std::string& path, std::vector<std::uint8_t>& image);

// Stroke words of one glyph: x in bits 0-6, y in bits 7-13, arc flag bit 14,
// pen flag bit 15.
struct GlyphWords {
  std::array<std::uint16_t, 255> words{};
  int count = 0;
};

// Copies the glyph of a JIS cell out of the image. False when the image holds
// no such glyph: the index entry or the glyph's words lie outside the image.
bool LookUpGlyph(const std::vector<std::uint8_t>& image, kvd::JisCell cell, GlyphWords& glyph);

// The square drawn for a character whose glyph cannot be had.
const GlyphWords& SubstituteGlyph();

}  // namespace plamor::graphic
