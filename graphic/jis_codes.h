// Character codes of the stroke font: the JIS codes that single-byte
// characters borrow (double-byte ones are converted by kvd::ShiftJisToJis).
#pragma once

#include <cstdint>

namespace plamor::graphic {

// The JIS code whose glyph draws a single-byte character: printable ASCII as
// its full-width form, half-width katakana as full-width katakana and
// punctuation, every other byte as the full-width blank 0x2121.
std::uint16_t SingleByteJis(std::uint8_t byte);

}  // namespace plamor::graphic
