// How the stroke-font file M_G_L.KVD addresses its glyphs: the JIS X 0208
// row and column of a double-byte Shift_JIS character or of the full-width
// form a single-byte character borrows, and the place of a row and column's
// entry in the file's index. The library's glyph reader and
// the preview's text use these, so that both find the same glyph for every
// code, also for bytes no Shift_JIS character uses.
#pragma once

#include <cstdint>

namespace plamor::kvd {

struct JisCell {
  int row;
  int column;
  // Row in the high byte: 0x3021 for row 0x30, column 0x21.
  int Value() const { return row * 256 + column; }
};

// The standard Shift_JIS to JIS conversion of (lead, second), as the row and
// column bytes of the code row × 256 + column. Bytes outside the Shift_JIS
// ranges give rows and columns outside 0x21-0x7E: a second byte of 0xFD gives
// column 0x7F; one of 0x10 (or the terminating zero a text's last lead byte
// joins) a column below 0, which takes one from the row (0x8810 is 0x2EF1).
JisCell ShiftJisToJis(std::uint8_t lead, std::uint8_t second);

// The JIS cell whose glyph draws a single-byte character: printable ASCII
// as its full-width form, half-width katakana as full-width katakana and
// punctuation, every other byte as the full-width blank 0x2121.
JisCell SingleByteJis(std::uint8_t byte);

// Byte offset of the index entry of a row and column: 4 * (1 + 94 * (row -
// 0x21) + (column - 0x21)). Rows and columns outside 0x21-0x7E give the
// offset the same formula gives (possibly negative); the caller checks it
// against the file's size.
std::int64_t IndexEntryOffset(JisCell cell);

}  // namespace plamor::kvd
