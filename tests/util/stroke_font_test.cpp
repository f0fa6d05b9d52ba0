// Stroke font reader: tiny font files with known words, read back through
// the library's exports.
#include <gtest/gtest.h>
#include <iconv.h>
#include <stdlib.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "util/tessaro_stroke_font.h"

namespace {

namespace fs = std::filesystem;

std::uint16_t Move(int x, int y) { return static_cast<std::uint16_t>(x | y << 7); }
std::uint16_t Draw(int x, int y) { return static_cast<std::uint16_t>(0x8000 | x | y << 7); }
std::uint16_t ArcMiddle(int x, int y) { return static_cast<std::uint16_t>(0xC000 | x | y << 7); }

constexpr std::size_t kIndexEnd = 4 + 4 * 94 * 94;

std::size_t EntryOffset(std::uint16_t jis) {
  return 4 * (1 + 94 * ((jis >> 8) - 0x21) + ((jis & 0xFF) - 0x21));
}

void PutLe32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Font file bytes: the glyphs' words after the index, in JIS order.
std::vector<std::uint8_t> FontBytes(const std::map<std::uint16_t, std::vector<std::uint16_t>>& glyphs) {
  std::vector<std::uint8_t> bytes(kIndexEnd, 0);
  for (const auto& [jis, words] : glyphs) {
    PutLe32(bytes, EntryOffset(jis), static_cast<std::uint32_t>(words.size() << 24 | bytes.size()));
    for (const std::uint16_t word : words) {
      bytes.push_back(static_cast<std::uint8_t>(word));
      bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
  }
  return bytes;
}

class StrokeFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "stroke_font_test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    list_ = std::make_unique<KvdStrokeList>();
  }
  void TearDown() override {
    CloseKvd();
    fs::remove_all(folder_);
  }

  std::string WriteFont(const std::vector<std::uint8_t>& bytes, const std::string& name = "M_G_L.KVD") {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  void OpenFont(const std::map<std::uint16_t, std::vector<std::uint16_t>>& glyphs) {
    ASSERT_EQ(OpenKvd(WriteFont(FontBytes(glyphs)).c_str()), 1);
  }

  // The records of one character as (pen, x, y) triples.
  std::vector<KvdStroke> Read(int code, double height, double width) {
    list_->count = -1;
    const int count = MyReadFont(code, height, width, list_.get());
    EXPECT_EQ(list_->count, count);
    return {list_->strokes, list_->strokes + std::max(count, 0)};
  }

  fs::path folder_;
  std::unique_ptr<KvdStrokeList> list_;
};

void ExpectRecords(const std::vector<KvdStroke>& actual, const std::vector<KvdStroke>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].pen, expected[i].pen) << "record " << i;
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << "record " << i;
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9) << "record " << i;
  }
}

// The segments must join up: each starts where the one before it ended.
void ExpectJoinedSegments(const std::vector<KvdStroke>& records) {
  ASSERT_EQ(records.size() % 2, 0u);
  for (std::size_t i = 0; i < records.size(); ++i) EXPECT_EQ(records[i].pen, static_cast<int>(i % 2));
  for (std::size_t i = 2; i < records.size(); i += 2) {
    EXPECT_DOUBLE_EQ(records[i].x, records[i - 1].x);
    EXPECT_DOUBLE_EQ(records[i].y, records[i - 1].y);
  }
}

TEST_F(StrokeFontTest, StraightPiecesInFullAndHalfWidthCells) {
  OpenFont({{0x2341, {Move(0, 0), Draw(64, 0), Draw(64, 96), Move(10, 20), Draw(30, 40)}}});
  // "Ａ" as a double-byte character, 128 x 128: glyph units are output units.
  ExpectRecords(Read(0x8260, 128, 128),
                {{0, 0, 0}, {1, 64, 0}, {0, 64, 0}, {1, 64, 96}, {0, 10, 20}, {1, 30, 40}});
  // "A" in the high byte: the same glyph in a half-width cell.
  ExpectRecords(Read(0x4100, 128, 128),
                {{0, 0, 0}, {1, 32, 0}, {0, 32, 0}, {1, 32, 96}, {0, 5, 20}, {1, 15, 40}});
  // Width and height scale x and y apart; the code's upper 16 bits are not used.
  ExpectRecords(Read(0x7FFF8260, 256, 64),
                {{0, 0, 0}, {1, 32, 0}, {0, 32, 0}, {1, 32, 192}, {0, 5, 40}, {1, 15, 80}});
}

TEST_F(StrokeFontTest, FirstKanjiRowsAreDrawnLargerAndLower) {
  const std::vector<std::uint16_t> words{Move(0, 4), Draw(100, 104)};
  OpenFont({{0x3021, words}, {0x3970, words}, {0x3971, words}, {0x2330, words}});
  const std::vector<KvdStroke> enlarged{{0, 0, 0}, {1, 105, 105}};
  ExpectRecords(Read(0x889F, 128, 128), enlarged);  // JIS 0x3021
  ExpectRecords(Read(0x8D90, 128, 128), enlarged);  // JIS 0x3970
  ExpectRecords(Read(0x8D91, 128, 128), {{0, 0, 4}, {1, 100, 104}});  // JIS 0x3971
  // A single-byte character never is, even where the lead-byte ranges overlap.
  ExpectRecords(Read(0x3000, 128, 256), {{0, 0, 4}, {1, 100, 104}});  // "0" -> JIS 0x2330
}

TEST_F(StrokeFontTest, DoubleByteHalfWidthRanges) {
  const std::vector<std::uint16_t> words{Move(0, 0), Draw(100, 0)};
  OpenFont({{0x2921, words}, {0x2A7E, words}, {0x2B7E, words}, {0x2C21, words}});
  EXPECT_DOUBLE_EQ(Read(0x8540, 128, 128).at(1).x, 50);  // first of the 0x85 range
  EXPECT_DOUBLE_EQ(Read(0x85FC, 128, 128).at(1).x, 50);  // last of the 0x85 range
  EXPECT_DOUBLE_EQ(Read(0x869E, 128, 128).at(1).x, 50);  // last of the 0x86 range
  EXPECT_DOUBLE_EQ(Read(0x869F, 128, 128).at(1).x, 100);  // past it: full-width
  // 0x853F lies before the range: full-width (its JIS column is no glyph's).
  double left = -1, right = -1;
  GetKarning(0x853F, 10, 128, &left, &right);
  EXPECT_EQ(right, 128);
  GetKarning(0x8540, 10, 128, &left, &right);
  EXPECT_EQ(right, 64);
}

TEST_F(StrokeFontTest, TwoKanjiAreReadFromEachOthersEntries) {
  OpenFont({{0x3349, {Move(10, 10), Draw(20, 20)}}, {0x5978, {Move(30, 30), Draw(40, 40)}}});
  // JIS 0x3349 (Shift_JIS 0x8A68) lies in the enlarged rows.
  ExpectRecords(Read(0x8A68, 128, 128), {{0, 31.5, 27.3}, {1, 42, 37.8}});
  ExpectRecords(Read(0x9D98, 128, 128), {{0, 10, 10}, {1, 20, 20}});  // JIS 0x5978
}

TEST_F(StrokeFontTest, ArcThroughThreePointsIsSteppedFinely) {
  // A half circle over the top from (32, 64) to (96, 64); the end word's own
  // flags do not count, and a straight piece carries on from the arc's end.
  OpenFont({{0x2330, {Move(32, 64), ArcMiddle(64, 96), Move(96, 64), Draw(96, 0)}}});
  const std::vector<KvdStroke> records = Read(0x824F, 128, 128);
  ExpectJoinedSegments(records);
  const double step = std::acos(31.9 / 32) * 180 / std::numbers::pi;
  const std::size_t arcRecords = 2 * static_cast<std::size_t>(std::ceil(180 / step));
  ASSERT_EQ(records.size(), arcRecords + 2);
  EXPECT_DOUBLE_EQ(records.front().x, 32);
  EXPECT_DOUBLE_EQ(records.front().y, 64);
  for (std::size_t i = 0; i < arcRecords; ++i) {
    EXPECT_NEAR(std::hypot(records[i].x - 64, records[i].y - 64), 32, 1e-9);
    EXPECT_GE(records[i].y, 64 - 1e-9);  // over the top, not under
  }
  EXPECT_NEAR(records[arcRecords - 1].x, 96, 1e-9);
  EXPECT_NEAR(records[arcRecords - 1].y, 64, 1e-9);
  EXPECT_DOUBLE_EQ(records.back().x, 96);
  EXPECT_DOUBLE_EQ(records.back().y, 0);

  // Half-width, the circle becomes an ellipse of half the width.
  const std::vector<KvdStroke> half = Read(0x3000, 128, 128);  // "0" -> JIS 0x2330
  ASSERT_EQ(half.size(), 2 * static_cast<std::size_t>(std::ceil(180 / step)) + 2);
  for (std::size_t i = 0; i + 2 < half.size(); ++i)
    EXPECT_NEAR(std::pow((half[i].x - 32) / 16, 2) + std::pow((half[i].y - 64) / 32, 2), 1, 1e-9);
}

TEST_F(StrokeFontTest, ArcsWithoutACircleAndTinyArcs) {
  OpenFont({
      {0x2121, {Move(0, 0), ArcMiddle(32, 32), Draw(64, 64)}},    // collinear
      {0x2122, {Move(10, 10), ArcMiddle(10, 10), Draw(50, 10)}},  // middle on the start
      {0x2123, {Move(10, 10), ArcMiddle(40, 40), Draw(10, 10)}},  // back to the start
      {0x2124, {Move(0, 0), Draw(10, 0), ArcMiddle(20, 20)}},     // arc word last
      {0x2125, {Move(32, 64), ArcMiddle(64, 96), Draw(96, 64)}},
  });
  ExpectRecords(Read(0x8140, 128, 128), {{0, 0, 0}, {1, 64, 64}});
  ExpectRecords(Read(0x8141, 128, 128), {{0, 10, 10}, {1, 50, 10}});
  ExpectRecords(Read(0x8142, 128, 128), {{0, 10, 10}, {1, 10, 10}});
  ExpectRecords(Read(0x8143, 128, 128), {{0, 0, 0}, {1, 10, 0}});
  // Radius 0.25 output units is stepped as radius 1: arccos(0.9), 25.84 degrees.
  const std::vector<KvdStroke> tiny = Read(0x8144, 1, 1);
  EXPECT_EQ(tiny.size(), 2u * 7);
  ExpectJoinedSegments(tiny);
  for (const KvdStroke& record : tiny)
    EXPECT_NEAR(std::hypot(record.x - 0.5, record.y - 0.5), 0.25, 1e-12);
}

TEST_F(StrokeFontTest, BadFontFilesGiveEmptyGlyphs) {
  const fs::path missing = folder_ / "none.kvd";
  EXPECT_EQ(OpenKvd(missing.c_str()), 0);
  EXPECT_EQ(OpenKvd(folder_.c_str()), 0);  // a folder
  EXPECT_EQ(OpenKvd(""), 0);
  EXPECT_EQ(OpenKvd(nullptr), 0);
  EXPECT_TRUE(Read(0x8140, 10, 10).empty());
  EXPECT_EQ(list_->count, 0);
  EXPECT_EQ(CloseKvd(), -1);

  std::vector<std::uint8_t> bytes = FontBytes({{0x2121, {Move(0, 0), Draw(1, 1)}}});
  const std::size_t size = bytes.size();
  PutLe32(bytes, EntryOffset(0x2122), 5u << 24 | static_cast<std::uint32_t>(size + 100));
  PutLe32(bytes, EntryOffset(0x2123), 5u << 24 | static_cast<std::uint32_t>(size - 4));
  PutLe32(bytes, EntryOffset(0x2124), 0xFFFFFFFFu);
  PutLe32(bytes, EntryOffset(0x2125), 0u << 24 | 8u);  // no words: empty
  ASSERT_EQ(OpenKvd(WriteFont(bytes).c_str()), 1);
  EXPECT_EQ(Read(0x8140, 128, 128).size(), 2u);
  for (const int code : {0x8141, 0x8142, 0x8143, 0x8144}) EXPECT_TRUE(Read(code, 128, 128).empty());
  // Codes whose JIS row or column lies outside the index.
  for (const int code : {0x8000, 0x81FF, 0x8100, 0xEFFF, 0x9F00}) EXPECT_TRUE(Read(code, 128, 128).empty());
  EXPECT_EQ(MyReadFont(0x8140, 128, 128, nullptr), 0);
  EXPECT_EQ(CloseKvd(), 0);
  EXPECT_EQ(CloseKvd(), -1);
  EXPECT_TRUE(Read(0x8140, 128, 128).empty());  // closed

  // Truncated: the index ends inside the file's first entries.
  bytes.resize(EntryOffset(0x2122) + 2);
  ASSERT_EQ(OpenKvd(WriteFont(bytes, "short.kvd").c_str()), 1);
  EXPECT_TRUE(Read(0x8140, 128, 128).empty());  // entry readable, words beyond the end
  EXPECT_TRUE(Read(0x8141, 128, 128).empty());  // entry cut
  EXPECT_TRUE(Read(0x8260, 128, 128).empty());  // entry beyond the end
  ASSERT_EQ(OpenKvd(WriteFont({}, "empty.kvd").c_str()), 1);
  EXPECT_TRUE(Read(0x8140, 128, 128).empty());
}

TEST_F(StrokeFontTest, InvalidSecondBytesAreLookedUpWhereTheConversionLeads) {
  // 0x88FD converts to row 0x30, column 0x7F: the index entry after the end
  // of row 0x30, which is that of 0x3121. 0x8810 converts to 0x2F00 - 15 =
  // 0x2EF1, row 0x2E, column 0xF1: 114 entries past the start of row 0x2F,
  // that of 0x3035.
  OpenFont({{0x3121, {Move(0, 0), Draw(10, 0)}}, {0x3035, {Move(0, 0), Draw(0, 10), Draw(10, 10)}}});
  EXPECT_EQ(Read(0x88FD, 128, 128).size(), 2u);
  EXPECT_EQ(Read(0x8810, 128, 128).size(), 4u);
  EXPECT_TRUE(Read(0x813F, 128, 128).empty());  // the file's first 4 bytes, an empty entry
}

TEST_F(StrokeFontTest, OpeningFindsTheNameInAnyCaseAndReplacesTheOpenFont) {
  WriteFont(FontBytes({{0x2121, {Move(0, 0), Draw(1, 1)}}}));
  ASSERT_EQ(OpenKvd((folder_ / "M_g_l.kvd").c_str()), 1);
  EXPECT_EQ(Read(0x8140, 128, 128).size(), 2u);
  ASSERT_EQ(OpenKvd(WriteFont(FontBytes({}), "other.kvd").c_str()), 1);
  EXPECT_TRUE(Read(0x8140, 128, 128).empty());
  EXPECT_EQ(OpenKvd((folder_ / "gone.kvd").c_str()), 0);  // the earlier font is closed too
  EXPECT_EQ(CloseKvd(), -1);
}

TEST_F(StrokeFontTest, CapacityIsNeverExceeded) {
  OpenFont({{0x2121, {Move(0, 0), Draw(1, 0), Draw(2, 0), Draw(3, 0)}},
            {0x2122, {Move(32, 64), ArcMiddle(64, 96), Draw(96, 64)}}});
  for (const int capacity : {-1, 0, 1, 5, 6, 100}) {
    // A list of exactly `capacity` records, so any write past it is caught.
    const std::size_t records = static_cast<std::size_t>(std::max(capacity, 0));
    std::vector<std::uint8_t> storage(offsetof(KvdStrokeList, strokes) + records * sizeof(KvdStroke));
    auto* list = reinterpret_cast<KvdStrokeList*>(storage.data());
    const int wholeSegments = capacity < 0 ? 0 : capacity / 2 * 2;
    EXPECT_EQ(MyReadFontN(0x8140, 128, 128, list, capacity), std::min(6, wholeSegments)) << capacity;
    EXPECT_EQ(list->count, std::min(6, wholeSegments));
    // The half circle of radius 32 takes 40 steps.
    EXPECT_EQ(MyReadFontN(0x8141, 128, 128, list, capacity), std::min(80, wholeSegments)) << capacity;
  }
  // An arc stepped too finely for any list ends at the plain call's capacity.
  EXPECT_EQ(Read(0x8141, 1e300, 1e300).size(), static_cast<std::size_t>(KVD_MAX_STROKES));
  EXPECT_EQ(Read(0x8141, 1e12, 1e12).size(), static_cast<std::size_t>(KVD_MAX_STROKES));
}

TEST_F(StrokeFontTest, SingleByteCharactersUseTheirFullWidthGlyphs) {
  // Every glyph draws to its own column and row, so the records name the JIS code read.
  std::map<std::uint16_t, std::vector<std::uint16_t>> glyphs;
  for (int row = 0x21; row <= 0x25; ++row)
    for (int column = 0x21; column <= 0x7E; ++column)
      glyphs[static_cast<std::uint16_t>(row << 8 | column)] = {Move(0, 0), Draw(column, row)};
  OpenFont(glyphs);
  const auto jisRead = [&](int byte) {
    const std::vector<KvdStroke> records = Read(byte << 8 | 0x41, 128, 256);
    return records.size() == 2 ? static_cast<int>(records[1].y) << 8 | static_cast<int>(records[1].x) : -1;
  };
  const auto sjisOf = [](const std::string& utf8) {
    const std::string bytes = plamor::cp932::FromUtf8(utf8);
    return static_cast<unsigned char>(bytes.at(0)) << 8 | static_cast<unsigned char>(bytes.at(1));
  };
  const std::map<int, int> chosen{{0x22, 0x2149}, {0x27, 0x2147}, {0x5C, 0x216F}, {0x60, 0x2121}, {0x7E, 0x2141}};
  for (int byte = 0x21; byte <= 0x7E; ++byte) {
    const int jis = jisRead(byte);
    if (chosen.count(byte)) {
      EXPECT_EQ(jis, chosen.at(byte)) << std::hex << byte;
    } else {  // the full-width form U+FF01 + (byte - 0x21)
      const char32_t wide = 0xFF01 + (byte - 0x21);
      const std::string utf8{static_cast<char>(0xE0 | wide >> 12), static_cast<char>(0x80 | (wide >> 6 & 0x3F)),
                             static_cast<char>(0x80 | (wide & 0x3F))};
      EXPECT_EQ(Jis2SJis(jis), sjisOf(utf8)) << std::hex << byte;
    }
  }
  const std::string kana = "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
                           "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
  for (int byte = 0xA1; byte <= 0xDF; ++byte)
    EXPECT_EQ(Jis2SJis(jisRead(byte)), sjisOf(kana.substr(3 * (byte - 0xA1), 3))) << std::hex << byte;
  for (const int byte : {0x00, 0x20, 0x7F, 0xA0, 0xF0, 0xFF}) EXPECT_EQ(jisRead(byte), 0x2121) << byte;
}

TEST(StrokeFontSpacing, EdgesFromTheSpacingTable) {
  double left = -1, right = -1;
  const auto edges = [&](int code, double width) {
    GetKarning(code, 99, width, &left, &right);
    return std::pair{left, right};
  };
  EXPECT_EQ(edges(0x8289, 128), std::pair(57.0, 97.0));   // "ｉ", margins 20/20
  EXPECT_EQ(edges(0x889F, 128), std::pair(0.0, 128.0));   // not in the table
  EXPECT_EQ(edges(0x889F, 64), std::pair(0.0, 64.0));
  EXPECT_EQ(edges(0x4100, 256), std::pair(5.0, 117.0));   // "A" -> "Ａ", half-width scale
  EXPECT_EQ(edges(0x3100, 256), std::pair(25.0, 81.0));   // "1" -> "１", margins 15/20
  EXPECT_EQ(edges(0x8199, 128), std::pair(0.0, 128.0));   // "☆" 4-118: held in 0..128
  EXPECT_EQ(edges(0x8141, 128), std::pair(1.0, 47.0));    // first entry "、"
  EXPECT_EQ(edges(0x829A, 128), std::pair(34.0, 117.0));  // last entry "ｚ"
  EXPECT_EQ(edges(0x8140, 128), std::pair(0.0, 128.0));   // the blank is not in the table
  GetKarning(0x8289, 0, 128, nullptr, nullptr);            // no crash
}

TEST(StrokeFontCodes, JisToShiftJis) {
  EXPECT_EQ(Jis2SJis(0x2121), 0x8140);
  EXPECT_EQ(Jis2SJis(0x2020), 0);
  EXPECT_EQ(Jis2SJis(0x217F), 0);
  EXPECT_EQ(Jis2SJis(0x7E7E), 0xEFFC);
  EXPECT_EQ(Jis2SJis(0x5D21), 0x9F40);
  EXPECT_EQ(Jis2SJis(0x5E21), 0x9F9F);
  EXPECT_EQ(Jis2SJis(0x5F21), 0xE040);
  EXPECT_EQ(Jis2SJis(0x6021), 0xE09F);
  EXPECT_EQ(Jis2SJis(0x12342341), 0x8260);  // upper 16 bits not used

  // Every JIS X 0208 character is the same character in CP932 (the EUC form
  // of the code, row and column with the high bit set, read as Microsoft's EUC-JP).
  iconv_t jisDecoder = iconv_open("UTF-8", "EUC-JP-MS");
  ASSERT_NE(jisDecoder, reinterpret_cast<iconv_t>(-1));
  int compared = 0;
  for (int row = 0x21; row <= 0x74; ++row) {
    for (int column = 0x21; column <= 0x7E; ++column) {
      char in[] = {static_cast<char>(row | 0x80), static_cast<char>(column | 0x80)};
      char out[16];
      char* inPointer = in;
      char* outPointer = out;
      std::size_t inLeft = sizeof in, outLeft = sizeof out;
      iconv(jisDecoder, nullptr, nullptr, nullptr, nullptr);
      if (iconv(jisDecoder, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1)) continue;
      const int sjis = Jis2SJis(row << 8 | column);
      const std::string bytes{static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
      EXPECT_EQ(plamor::cp932::ToUtf8(bytes), std::string(out, outPointer)) << std::hex << (row << 8 | column);
      ++compared;
    }
  }
  iconv_close(jisDecoder);
  EXPECT_GT(compared, 6800);
}

}  // namespace
