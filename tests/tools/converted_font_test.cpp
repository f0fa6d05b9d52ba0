// The font file the build made: well formed for every reader, whatever its
// shapes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

TEST(ConvertedFont, EveryEntryIsAWellFormedGlyph) {
  const std::filesystem::path path = std::filesystem::path(PLAMOR_BIN_DIR) / "M_G_L.KVD";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no " << path << " built";
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  constexpr std::size_t kIndexEnd = 4 + 4 * 94 * 94;
  ASSERT_GE(bytes.size(), kIndexEnd);
  const auto le = [&](std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
    return value;
  };
  int glyphs = 0, levelOneKanji = 0;
  for (int row = 0x21; row <= 0x7E; ++row) {
    for (int column = 0x21; column <= 0x7E; ++column) {
      const std::uint32_t entry = le(4 * (1 + 94 * (row - 0x21) + (column - 0x21)), 4);
      const std::size_t offset = entry & 0xFFFFFF, count = entry >> 24;
      if (count == 0) {
        EXPECT_EQ(offset, 0u) << std::hex << (row << 8 | column);
        continue;
      }
      ++glyphs;
      levelOneKanji += (row >= 0x30 && row < 0x4F) || (row == 0x4F && column <= 0x53);
      ASSERT_GE(offset, kIndexEnd);
      ASSERT_LE(offset + 2 * count, bytes.size());
      // Every glyph starts with a move (the preview carries the pen over
      // between glyphs) and draws only straight pieces.
      EXPECT_EQ(le(offset, 2) & 0x8000, 0u) << std::hex << (row << 8 | column);
      for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(le(offset + 2 * i, 2) & 0x4000, 0u);
    }
  }
  EXPECT_EQ(le(0, 4), static_cast<std::uint32_t>(glyphs));
  EXPECT_EQ(levelOneKanji, 2965);  // JIS X 0208 level 1 (0x3021-0x4F53), complete
}

}  // namespace
