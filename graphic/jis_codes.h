// Character codes of the stroke font: Shift_JIS to JIS X 0208, and the JIS
// codes that single-byte characters borrow.
#pragma once

#include <cstdint>

namespace plamor::graphic {

// The standard conversion of a double-byte Shift_JIS character (lead byte,
// second byte) to its JIS X 0208 code, row in the high byte. Bytes outside
// the Shift_JIS ranges give codes outside rows and columns 0x21-0x7E.
std::int32_t ShiftJisToJis(std::uint8_t lead, std::uint8_t second);

// The JIS code whose glyph draws a single-byte character: printable ASCII as
// its full-width form, half-width katakana as full-width katakana and
// punctuation, every other byte as the full-width blank 0x2121.
std::uint16_t SingleByteJis(std::uint8_t byte);

}  // namespace plamor::graphic
