// Outline-font functions on a tiny TrueType font whose outlines are known
// (tests/util/data/make_outline_font.py), found through fontconfig.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
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
    const std::string command = "/usr/bin/python3 '" + script + "' '" + dir_.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << "could not build the test fonts: " << command;
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

// A cubic piece becomes quadratic pieces that end on it and stay within a
// quarter pixel of it.
TEST(TrueTypeOutline, CubicPiecesBecomeCloseQuadraticPieces) {
  MySetFont(-1000, 0, "PlamorCubicTest");
  OutlineBuffer out(200);
  MyGetOutLine(nullptr, 'e', nullptr, out.list(), 200, 0, 0);
  const int count = out.list()->count;
  ASSERT_GE(count, 4);
  EXPECT_EQ(out[0].kind, 1);
  EXPECT_EQ(out[count - 1].kind, 2);
  EXPECT_EQ(out[count - 2].kind, 3);
  EXPECT_DOUBLE_EQ(out[count - 2].x, 400);
  EXPECT_DOUBLE_EQ(out[count - 2].y, 0);
  auto cubicAt = [](double t) {
    const double s = 1 - t;
    return std::pair{3 * s * t * t * 400 + t * t * t * 400, -(3 * s * s * t * 400 + 3 * s * t * t * 400)};
  };
  auto distanceToCubic = [&](double x, double y) {
    double best = 1e9;
    for (int i = 0; i <= 40000; ++i) {
      const auto [cx, cy] = cubicAt(i / 40000.0);
      best = std::min(best, std::hypot(x - cx, y - cy));
    }
    return best;
  };
  double fromX = 0, fromY = 0;
  for (int i = 1; i + 1 < count; i += 2) {
    ASSERT_EQ(out[i].kind, 3);
    const double midX = 0.25 * fromX + 0.5 * out[i].x + 0.25 * out[i + 1].x;
    const double midY = 0.25 * fromY + 0.5 * out[i].y + 0.25 * out[i + 1].y;
    EXPECT_LT(distanceToCubic(out[i + 1].x, out[i + 1].y), 0.02);
    EXPECT_LT(distanceToCubic(midX, midY), 0.25);
    fromX = out[i + 1].x;
    fromY = out[i + 1].y;
  }
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
  // Small sizes too: the font's value scaled and rounded (-0.6 and -1.85 pixels).
  MySetFont(-12, 0, kFace);
  EXPECT_EQ(MyGetKerning(nullptr, 'a', 'b'), -1);
  MySetFont(-37, 0, kFace);
  EXPECT_EQ(MyGetKerning(nullptr, 'a', 'b'), -2);
  // Rounded once: -10.496 pixels is -10, not the -11 of rounding to 1/64
  // pixel (-10.5) and then to a pixel.
  MySetFont(-64, 0, kFace);
  EXPECT_EQ(MyGetKerning(nullptr, 'b', 'd'), -10);
  EXPECT_EQ(MyGetKerning(nullptr, 'a', 'b'), -3);  // -3.2
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

// The box of pixels that differ from `background`, and whether all of them
// are `ink`.
struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
  bool allInk = true;
};
InkBox InkOf(const PlamorDeviceContext& dc, plamor::ColorRef background, plamor::ColorRef ink) {
  InkBox box;
  for (int y = 0; y < dc.Height(); ++y)
    for (int x = 0; x < dc.Width(); ++x) {
      const plamor::ColorRef c = dc.GetPixel(x, y);
      if (c == background) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
      box.allInk = box.allInk && c == ink;
    }
  return box;
}

void ExpectInk(const InkBox& box, int left, int top, int right, int bottom) {
  EXPECT_EQ(box.left, left);
  EXPECT_EQ(box.top, top);
  EXPECT_EQ(box.right, right);
  EXPECT_EQ(box.bottom, bottom);
  EXPECT_TRUE(box.allInk);
}

// 30 points at 96 pixels an inch is a cell of 40 pixels: ascent 32, descent
// 8; "d" is inked over the whole cell height, 16 pixels wide, centred in an
// advance of 24.
TEST(TrueTypeText, AlignmentPlacesTheCellOnTheReferencePoint) {
  const plamor::ColorRef blue = plamor::Rgb(0, 0, 255), red = plamor::Rgb(255, 0, 0);
  struct Case {
    int alignment, x, y, left, top, right, bottom;
  };
  for (const Case& c : {Case{4, 100, 80, 92, 40, 107, 79}, Case{0, 10, 5, 14, 5, 29, 44},
                        Case{8, 150, 60, 130, 28, 145, 67}, Case{1, 100, 0, 92, 0, 107, 39},
                        Case{5, 150, 100, 130, 60, 145, 99}}) {
    SCOPED_TRACE("alignment " + std::to_string(c.alignment));
    PlamorDeviceContext dc(200, 120, blue);
    EXPECT_NE(MyPutMoji(&dc, 30, c.x, c.y, 0, red, c.alignment, "d", kFace), 0);
    ExpectInk(InkOf(dc, blue, red), c.left, c.top, c.right, c.bottom);
  }
}

TEST(TrueTypeText, EscapementTurnsTheTextAndLeavesTheSharedFaceUpright) {
  MySetFont(1000, 0, kFace);
  OutlineBuffer before(10), after(10);
  MyGetOutLine(nullptr, 'b', nullptr, before.list(), 10, 0, 0);

  const plamor::ColorRef white = plamor::Rgb(255, 255, 255), black = plamor::Rgb(0, 0, 0);
  PlamorDeviceContext dc(200, 200, white);
  // Turned a quarter left, left-aligned on the baseline: the text runs up.
  EXPECT_NE(MyPutMoji(&dc, 30, 100, 100, 900, black, 6, "d", kFace), 0);
  ExpectInk(InkOf(dc, white, black), 68, 80, 107, 95);

  MyGetOutLine(nullptr, 'b', nullptr, after.list(), 10, 0, 0);
  ASSERT_EQ(after.list()->count, before.list()->count);
  for (int i = 0; i < before.list()->count; ++i) {
    EXPECT_EQ(after[i].x, before[i].x);
    EXPECT_EQ(after[i].y, before[i].y);
  }
}

TEST(TrueTypeText, BadArgumentsDrawNothing) {
  const plamor::ColorRef white = plamor::Rgb(255, 255, 255);
  PlamorDeviceContext dc(50, 50, white);
  EXPECT_EQ(MyPutMoji(nullptr, 30, 10, 10, 0, 0, 4, "d", kFace), 0);
  EXPECT_EQ(MyPutMoji(&dc, 30, 10, 10, 0, 0, 9, "d", kFace), 0);
  EXPECT_EQ(MyPutMoji(&dc, 30, 10, 10, 0, 0, -1, "d", kFace), 0);
  EXPECT_NE(MyPutMoji(&dc, 30, 10, 10, 0, 0, 4, nullptr, kFace), 0);
  EXPECT_NE(MyPutMoji(&dc, 30, 10, 10, 0, 0, 4, "", nullptr), 0);
  // Far outside the surface: nothing lands, nothing breaks.
  EXPECT_NE(MyPutMoji(&dc, 3000, -30000, 30000, 450, 0, 4, "dd", kFace), 0);
  EXPECT_EQ(InkOf(dc, white, 0).right, -1);
}

// Colours of the classic button frame.
constexpr plamor::ColorRef kFaceGrey = plamor::Rgb(192, 192, 192), kWhite = plamor::Rgb(255, 255, 255),
                           kLight = plamor::Rgb(223, 223, 223), kShadow = plamor::Rgb(128, 128, 128),
                           kBlack = plamor::Rgb(0, 0, 0), kMagenta = plamor::Rgb(255, 0, 255);

TEST(TrueTypeButton, PushButtonStatesOnThePixels) {
  struct Case {
    int style;
    plamor::ColorRef outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  };
  for (const Case& c : {Case{1, kWhite, kBlack, kLight, kShadow}, Case{3, kBlack, kWhite, kShadow, kLight},
                        Case{2, kBlack, kWhite, kShadow, kLight}, Case{0x4010, kShadow, kShadow, kFaceGrey, kFaceGrey}}) {
    SCOPED_TRACE("style " + std::to_string(c.style));
    PlamorDeviceContext dc(40, 30, kMagenta);
    EXPECT_EQ(MyPutBtn(&dc, 5, 5, 25, 20, c.style), 1);
    EXPECT_EQ(dc.GetPixel(5, 5), c.outerTopLeft);
    EXPECT_EQ(dc.GetPixel(24, 19), c.outerBottomRight);
    EXPECT_EQ(dc.GetPixel(6, 6), c.innerTopLeft);
    EXPECT_EQ(dc.GetPixel(23, 18), c.innerBottomRight);
    if (c.style == 2) {  // checked: the face is dithered with white
      EXPECT_NE(dc.GetPixel(10, 10), dc.GetPixel(11, 10));
      EXPECT_TRUE(dc.GetPixel(10, 10) == kWhite || dc.GetPixel(10, 10) == kFaceGrey);
    } else {
      EXPECT_EQ(dc.GetPixel(10, 10), kFaceGrey);
    }
    EXPECT_EQ(dc.GetPixel(4, 4), kMagenta);
    EXPECT_EQ(dc.GetPixel(25, 20), kMagenta);
    const InkBox box = InkOf(dc, kMagenta, 0);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 24);
    EXPECT_EQ(box.bottom, 19);
  }
}

TEST(TrueTypeButton, OtherStylesAreStateFlags) {
  PlamorDeviceContext dc(40, 40, kMagenta);
  EXPECT_EQ(MyPutBtn(&dc, 0, 0, 20, 20, 0x0400), 1);  // checked check box
  EXPECT_EQ(dc.GetPixel(0, 0), kShadow);
  EXPECT_EQ(dc.GetPixel(10, 11), kBlack);  // on the tick
  EXPECT_EQ(dc.GetPixel(4, 15), kWhite);   // inside, off the tick
  EXPECT_EQ(MyPutBtn(&dc, 20, 20, 40, 40, 0x0404), 1);  // checked radio button
  EXPECT_EQ(dc.GetPixel(30, 30), kBlack);
  EXPECT_EQ(dc.GetPixel(20, 20), kMagenta);  // outside the circle

  PlamorDeviceContext untouched(40, 40, kMagenta);
  for (int style : {0x0005, 0x0011, 0x001F}) EXPECT_EQ(MyPutBtn(&untouched, 0, 0, 20, 20, style), 0);
  EXPECT_EQ(MyPutBtn(&untouched, 30, 30, 10, 10, 1), 1);  // an empty rectangle draws nothing
  EXPECT_EQ(InkOf(untouched, kMagenta, 0).right, -1);
  EXPECT_EQ(MyPutBtn(nullptr, 0, 0, 20, 20, 1), 0);

  // Corners far outside the surface are cut to it.
  PlamorDeviceContext small(10, 10, kMagenta);
  EXPECT_EQ(MyPutBtn(&small, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 1), 1);
  EXPECT_EQ(small.GetPixel(5, 5), kFaceGrey);
  EXPECT_EQ(MyPutBtn(&small, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0x0404), 1);
}

}  // namespace
