#include "graphic/font_image.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

namespace plamor::graphic {

FontLoad LoadFontImage(const std::string& path, std::vector<std::uint8_t>& image) {
  image.clear();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return FontLoad::kMissing;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return FontLoad::kCannotOpen;
  FontLoad result = FontLoad::kFailed;
  if (S_ISREG(info.st_mode) && info.st_size > 0) {
    try {
      std::vector<std::uint8_t> block(std::size_t(info.st_size));
      if (std::fread(block.data(), 1, block.size(), file) == block.size()) {
        image.swap(block);
        result = FontLoad::kLoaded;
      }
    } catch (const std::bad_alloc&) {
      // no room for the image: no font is held
    }
  }
  std::fclose(file);
  return result;
}

namespace {

std::uint32_t ReadWord32(const std::vector<std::uint8_t>& image, std::size_t at) {
  return std::uint32_t(image[at]) | (std::uint32_t(image[at + 1]) << 8) |
         (std::uint32_t(image[at + 2]) << 16) | (std::uint32_t(image[at + 3]) << 24);
}

constexpr std::uint16_t Word(bool draw, int x, int y) {
  return std::uint16_t((draw ? 0x8000 : 0) | (y << 7) | x);
}

GlyphWords MakeSubstitute() {
  GlyphWords g;
  g.words[0] = Word(false, 48, 48);
  g.words[1] = Word(true, 80, 48);
  g.words[2] = Word(true, 80, 80);
  g.words[3] = Word(true, 48, 80);
  g.words[4] = Word(true, 48, 48);
  g.count = 5;
  return g;
}

}  // namespace

bool LookUpGlyph(const std::vector<std::uint8_t>& image, kvd::JisCell cell, GlyphWords& glyph) {
  const std::int64_t entryAt = kvd::IndexEntryOffset(cell);
  const auto size = std::int64_t(image.size());
  if (entryAt < 0 || entryAt + 4 > size) return false;
  const std::uint32_t entry = ReadWord32(image, std::size_t(entryAt));
  const std::int64_t dataAt = entry & 0xFFFFFF;
  const int count = int(entry >> 24);
  if (dataAt >= size || dataAt + 2 * std::int64_t(count) > size) return false;
  for (int i = 0; i < count; ++i) {
    const std::size_t at = std::size_t(dataAt) + 2 * std::size_t(i);
    glyph.words[std::size_t(i)] = std::uint16_t(image[at] | (image[at + 1] << 8));
  }
  glyph.count = count;
  return true;
}

const GlyphWords& SubstituteGlyph() {
  static const GlyphWords substitute = MakeSubstitute();
  return substitute;
}

}  // namespace plamor::graphic
