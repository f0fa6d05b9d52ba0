// The font file image: a header word, the 94 x 94 index and the glyphs'
// stroke words, little-endian.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

namespace kvd {

constexpr std::size_t kMaxGlyphWords = 255;
constexpr int kFirstByte = 0x21, kLastByte = 0x7E, kRowLength = 94;
constexpr std::size_t kIndexEnd = 4 + 4 * kRowLength * kRowLength;

// Byte offset of the index entry of a JIS code (row and column 0x21-0x7E).
constexpr std::size_t IndexEntryOffset(std::uint16_t jis) {
  return 4 * (1 + kRowLength * ((jis >> 8) - kFirstByte) + ((jis & 0xFF) - kFirstByte));
}

constexpr bool IsIndexCode(std::uint16_t jis) {
  const int row = jis >> 8, column = jis & 0xFF;
  return row >= kFirstByte && row <= kLastByte && column >= kFirstByte && column <= kLastByte;
}

class KvdImage {
 public:
  // Sets the glyph of an index code; an empty glyph keeps an empty entry.
  // Throws std::invalid_argument for a code outside the index or more than
  // kMaxGlyphWords words.
  void SetGlyph(std::uint16_t jis, std::vector<std::uint16_t> words);
  bool HasGlyph(std::uint16_t jis) const { return glyphs_.count(jis) != 0; }
  std::size_t GlyphCount() const { return glyphs_.size(); }

  // The file: header (the number of glyphs, not read by any reader), index
  // (entry = count << 24 | offset), then the words in JIS order.
  std::vector<std::uint8_t> Bytes() const;

 private:
  std::map<std::uint16_t, std::vector<std::uint16_t>> glyphs_;
};

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`, so that a failure leaves any earlier file as it was. Throws
// std::runtime_error naming the file and the reason.
void WriteFileAtomically(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace kvd
