// Outline-font functions on a tiny TrueType font whose outlines are known
// (tests/util/data/make_outline_font.py), found through fontconfig.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/device_context.h"
#include "util/tessaro_truetype.h"

namespace {

constexpr const char* kFace = "PlamorOutlineTest";

// Builds the test font into a folder of its own and points fontconfig at a
// configuration that adds that folder to the system's fonts; before the first
// font lookup of the process.
class TestFontEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    char pattern[] = "/tmp/plamor-fonts-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    const std::string script = std::string(PLAMOR_SOURCE_DIR) + "/tests/util/data/make_outline_font.py";
    const std::string command = "/usr/bin/python3 '" + script + "' '" + (dir_ / "outline-test.ttf").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << "could not build the test font: " << command;
    std::ofstream(dir_ / "fonts.conf") << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                       << "<fontconfig>\n"
                                       << "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                                       << "  <dir>" << dir_.string() << "</dir>\n"
                                       << "  <cachedir>" << (dir_ / "cache").string() << "</cachedir>\n"
                                       << "</fontconfig>\n";
    setenv("FONTCONFIG_FILE", (dir_ / "fonts.conf").c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

 private:
  std::filesystem::path dir_;
};
[[maybe_unused]] auto* const kFontEnvironment = ::testing::AddGlobalTestEnvironment(new TestFontEnvironment);

// An outline list of exactly `capacity` records on the heap, so that a write
// past it is caught.
struct OutlineBuffer {
  explicit OutlineBuffer(std::size_t capacity)
      : bytes(new unsigned char[offsetof(TessaroOutlineList, records) + capacity * sizeof(TessaroOutlineRecord)]) {}
  TessaroOutlineList* list() { return reinterpret_cast<TessaroOutlineList*>(bytes.get()); }
  const TessaroOutlineRecord& operator[](int i) {
    const TessaroOutlineRecord* records = list()->records;
    return records[i];
  }
  std::unique_ptr<unsigned char[]> bytes;
};

struct Expected {
  int kind;
  double x;
  double y;
};

void ExpectRecords(OutlineBuffer& buffer, const std::vector<Expected>& expected) {
  ASSERT_EQ(buffer.list()->count, static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(buffer[i].kind, expected[i].kind);
    EXPECT_DOUBLE_EQ(buffer[i].x, expected[i].x);
    EXPECT_DOUBLE_EQ(buffer[i].y, expected[i].y);
  }
}

TEST(TrueTypeOutline, StraightContourGivesStartAndFourLinesWithHalfPixels) {
  // 500 pixels an em: font unit -1 is -0.5 pixels (0xFFFF8000), 3 is 1.5 (0x00018000).
  EXPECT_EQ(MySetFont(-500, 0, kFace), 0);
  OutlineBuffer out(10);
  TessaroGlyphMetrics metrics{};
  EXPECT_EQ(MyGetOutLine(nullptr, 'a', &metrics, out.list(), 10, 100.0, 200.0), 1);
  ExpectRecords(out, {{1, 99.5, 200}, {2, 99.5, -100}, {2, 101.5, -100}, {2, 101.5, 200}, {2, 99.5, 200}});
  EXPECT_EQ(metrics.gmBlackBoxX, 3u);
  EXPECT_EQ(metrics.gmBlackBoxY, 300u);
  EXPECT_EQ(metrics.gmptGlyphOrigin.x, -1);
  EXPECT_EQ(metrics.gmptGlyphOrigin.y, 300);
  EXPECT_EQ(metrics.gmCellIncX, 250);
  EXPECT_EQ(metrics.gmCellIncY, 0);
}

TEST(TrueTypeOutline, QuadraticCurveGivesControlMidpointControlEnd) {
  // A cell height of 1000 pixels is an em of 1000: pixels are font units.
  MySetFont(1000, 0, kFace);
  OutlineBuffer out(10);
  MyGetOutLine(nullptr, 'b', nullptr, out.list(), 10, 0.0, 0.0);
  ExpectRecords(out, {{1, 0, 0}, {3, 0, -400}, {3, 200, -400}, {3, 400, -400}, {3, 400, 0}, {2, 0, 0}});

  // An average width of 250 (the font's is 500) halves the glyph's width.
  MySetFont(-1000, 250, kFace);
  MyGetOutLine(nullptr, 'b', nullptr, out.list(), 10, 0.0, 0.0);
  ExpectRecords(out, {{1, 0, 0}, {3, 0, -400}, {3, 100, -400}, {3, 200, -400}, {3, 200, 0}, {2, 0, 0}});
}

TEST(TrueTypeOutline, CapacityCutsWholePairsAndStops) {
  MySetFont(-1000, 0, kFace);
  for (const auto& [capacity, count] : std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 5}}) {
    SCOPED_TRACE("capacity " + std::to_string(capacity));
    OutlineBuffer out(capacity);
    EXPECT_EQ(MyGetOutLine(nullptr, 'b', nullptr, out.list(), static_cast<uint16_t>(capacity), 0, 0), 1);
    EXPECT_EQ(out.list()->count, count);
  }
}

TEST(TrueTypeOutline, LackingOrEmptyGlyphsGiveEmptyLists) {
  MySetFont(-500, 0, kFace);
  OutlineBuffer out(4);
  TessaroGlyphMetrics metrics{7, 7, {7, 7}, 7, 7};
  EXPECT_EQ(MyGetOutLine(nullptr, 'c', &metrics, out.list(), 4, 0, 0), 1);
  EXPECT_EQ(out.list()->count, 0);
  EXPECT_EQ(metrics.gmBlackBoxX, 0u);
  EXPECT_EQ(metrics.gmCellIncX, 0);

  EXPECT_EQ(MyGetOutLine(nullptr, ' ', &metrics, out.list(), 4, 0, 0), 1);
  EXPECT_EQ(out.list()->count, 0);
  EXPECT_EQ(metrics.gmCellIncX, 150);

  for (uint32_t code : {0u, 0x10000u, 0xFFFFFFFFu, 0x8100u}) {
    EXPECT_EQ(MyGetOutLine(nullptr, code, &metrics, out.list(), 4, 0, 0), 1);
    EXPECT_EQ(out.list()->count, 0) << std::hex << code;
  }
  EXPECT_EQ(MyGetOutLine(nullptr, 'a', nullptr, nullptr, 4, 0, 0), 1);
}

TEST(TrueTypeOutline, KerningComesFromTheFontsPairs) {
  MySetFont(-1000, 0, kFace);
  EXPECT_EQ(MyGetKerning(nullptr, 'a', 'b'), -50);
  EXPECT_EQ(MyGetKerning(nullptr, 'b', 'a'), 0);
  EXPECT_EQ(MyGetKerning(nullptr, 'a', 'c'), 0);
  EXPECT_EQ(MyGetKerning(nullptr, -1, 'b'), 0);
  MySetFont(-500, 0, kFace);
  EXPECT_EQ(MyGetKerning(nullptr, 'a', 'b'), -25);
}

TEST(TrueTypeOutline, JapaneseFaceNamesFindJapaneseFonts) {
  const std::string hiragana = plamor::cp932::FromUtf8("あ");
  const uint32_t code = (static_cast<unsigned char>(hiragana[0]) << 8) | static_cast<unsigned char>(hiragana[1]);
  ASSERT_EQ(code, 0x82A0u);
  for (const char* face : {"ＭＳ 明朝", "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "どこにもない書体"}) {
    SCOPED_TRACE(face);
    MySetFont(-64, 0, plamor::cp932::FromUtf8(face).c_str());
    OutlineBuffer out(2000);
    EXPECT_EQ(MyGetOutLine(nullptr, code, nullptr, out.list(), 2000, 0, 0), 1);
    ASSERT_GT(out.list()->count, 4);
    EXPECT_EQ(out[0].kind, 1);
    for (int i = 0; i < out.list()->count; ++i) EXPECT_TRUE(out[i].kind >= 1 && out[i].kind <= 3);
  }
  // A face that no font matches still gives the fallback font's outline.
  MySetFont(-64, 0, "NoSuchFaceAnywhere");
  OutlineBuffer out(2000);
  MyGetOutLine(nullptr, 'A', nullptr, out.list(), 2000, 0, 0);
  EXPECT_GT(out.list()->count, 0);
}

}  // namespace
