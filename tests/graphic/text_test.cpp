// Stroke text: character cells and advances, vertical writing, frames for
// small texts, arcs, the substitute square and damaged font files.
#include <cmath>
#include <string>

#include "test_support.h"

using namespace graphic_test;
using plamor::Point;
using Line = std::vector<Point>;

namespace {

// 'A' (0x2341): a stroke up the cell's left side, half its height.
// 'B' (0x2342): a bar along the bottom, half the cell wide.
// 'C' (0x2343): a stroke from wherever the previous glyph ended.
// 'D' (0x2344): a half circle from (32, 64) over (64, 96) to (96, 64).
// 'E' (0x2345): an "arc" through three points on one line.
// 'F' (0x2346): an arc word with no end word after it.
std::map<int, std::vector<std::uint16_t>> TestGlyphs() {
  return {
      {0x2341, {Move(0, 0), Draw(0, 64)}},
      {0x2342, {Move(0, 0), Draw(64, 0)}},
      {0x2343, {Draw(10, 0)}},
      {0x2344, {Move(32, 64), ArcMiddle(64, 96), Draw(96, 64)}},
      {0x2345, {Move(0, 0), ArcMiddle(64, 0), Draw(127, 0)}},
      {0x2346, {Move(0, 0), ArcMiddle(10, 10)}},
  };
}

class TextTest : public SessionTest {
 protected:
  // 200 × 100 pixels, 2 pixels per mm, the test font loaded.
  void OpenWithFont(const std::vector<std::uint8_t>& font) {
    WriteFile(folder_.path() / "M_G_L.KVD", font);
    Open(200, 100, (folder_.path() / "M_G_L.KVD").string());
    SetView(0, 0, 100, 49.5);
  }
  // Base point (10, 10) mm = device (20, 20); cell 20 × 20 pixels, spacing 2.
  void Text(const std::string& text, int direction = 0, double height = 10, double rotation = 0,
            double slant = 0) {
    DispText(dc(), 10, 10, 10, height, 1, rotation, slant, direction, 0, text.c_str());
  }
  TempFolder folder_;
};

}  // namespace

TEST_F(TextTest, HalfWidthAndFullWidthCharactersAdvanceByTheirCells) {
  OpenWithFont(FontBytes(TestGlyphs()));
  ASSERT_EQ(start_, 0);
  SetMojiWaku(0);
  Text("A1A");  // '1' has an empty glyph
  ASSERT_EQ(rec_.polylines.size(), 2u);
  EXPECT_EQ(rec_.polylines[0], (Line{{20, 79}, {20, 69}}));
  EXPECT_EQ(rec_.polylines[1], (Line{{44, 79}, {44, 69}}));  // two advances of 10 + 2
  rec_ = Recorder{};
  Text("B\x82\x61");  // "B" then full-width "Ｂ": bars of a quarter and a half cell
  ASSERT_EQ(rec_.polylines.size(), 2u);
  EXPECT_EQ(rec_.polylines[0], (Line{{20, 79}, {25, 79}}));
  EXPECT_EQ(rec_.polylines[1], (Line{{32, 79}, {42, 79}}));
  // The current point runs on from glyph to glyph.
  rec_ = Recorder{};
  Text("AC");
  ASSERT_EQ(rec_.polylines.size(), 2u);
  EXPECT_EQ(rec_.polylines[1], (Line{{32, 69}, {32, 79}}));
}

TEST_F(TextTest, VerticalTextStacksDownwardFromTheBasePoint) {
  OpenWithFont(FontBytes(TestGlyphs()));
  SetMojiWaku(0);
  DispText(dc(), 10, 40, 10, 10, 1, 0, 0, 1, 1, "AAA");  // base (20, 80), green
  ASSERT_EQ(rec_.polylines.size(), 3u);
  EXPECT_EQ(rec_.pens[0].color, plamor::Rgb(0, 255, 0));
  EXPECT_EQ(rec_.polylines[0], (Line{{20, 39}, {20, 29}}));  // heights -H .. -H/2
  EXPECT_EQ(rec_.polylines[1], (Line{{20, 61}, {20, 51}}));
  EXPECT_EQ(rec_.polylines[2], (Line{{20, 83}, {20, 73}}));
}

TEST_F(TextTest, RotationAndSlantMoveTheStrokes) {
  OpenWithFont(FontBytes(TestGlyphs()));
  SetMojiWaku(0);
  Text("B", 0, 10, 90);  // the bottom bar turns upward
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], (Line{{20, 79}, {20, 74}}));
  rec_ = Recorder{};
  Text("A", 0, 10, 0, 45);  // the upright stroke leans right
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0][0], (Point{20, 79}));
  EXPECT_NEAR(rec_.polylines[0][1].x, 30, 1);
  EXPECT_EQ(rec_.polylines[0][1].y, 69);
  rec_ = Recorder{};
  DispText(dc(), -60, 10, 10, 10, 1, 0, 0, 0, 0, "AAA");  // wholly left of the window
  DispText(dc(), 10, -30, 10, 10, 1, 0, 0, 1, 0, "AAA");  // vertical, wholly below
  EXPECT_TRUE(rec_.polylines.empty());
  DispText(dc(), -7, 10, 10, 10, 1, 0, 0, 0, 0, "AAA");  // its last character is inside
  EXPECT_EQ(rec_.polylines.size(), 1u);
}

TEST_F(TextTest, TextsUpToSevenPixelsHighShowTheirFrame) {
  OpenWithFont(FontBytes(TestGlyphs()));
  // 7 pixels high, cells 10 wide, spacing 2: "AB" spans 2 × (5 + 2) - 2 = 12.
  DispText(dc(), 10, 10, 5, 3.5, 1, 0, 0, 0, 0, "AB");
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], (Line{{20, 79}, {20, 72}, {32, 72}, {32, 79}, {20, 79}}));
  rec_ = Recorder{};
  DispText(dc(), 10, 10, 5, 3.75, 1, 0, 0, 0, 0, "AB");  // 7.5 pixels: characters
  ASSERT_EQ(rec_.polylines.size(), 2u);
  EXPECT_EQ(rec_.polylines[0].size(), 2u);
  // A vertical frame: W wide, down by 2 × (7 + 2) - 2 = 16.
  rec_ = Recorder{};
  DispText(dc(), 10, 40, 5, 3.5, 1, 0, 0, 1, 0, "AB");
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], (Line{{20, 19}, {30, 19}, {30, 35}, {20, 35}, {20, 19}}));
  // Frames switched off: small texts draw their strokes.
  EXPECT_EQ(SetMojiWaku(0), 0);
  rec_ = Recorder{};
  DispText(dc(), 10, 10, 5, 3.5, 1, 0, 0, 0, 0, "AB");
  EXPECT_EQ(rec_.polylines.size(), 2u);
  EXPECT_EQ(SetMojiWaku(5), 1);
}

TEST_F(TextTest, ArcsAreWalkedUnlessCharactersAreSimplified) {
  OpenWithFont(FontBytes(TestGlyphs()));
  SetMojiWaku(0);
  // Cell 128 × 128 pixels at base (0, 0): glyph units are pixels.
  DispText(dc(), 0, 0, 64, 64.64646464646465, 0, 0, 0, 0, 0, "\x82\x63");  // "Ｄ"
  ASSERT_EQ(rec_.polylines.size(), 1u);
  const Line& arc = rec_.polylines[0];
  EXPECT_GT(arc.size(), 10u);
  for (const Point& p : arc) {
    const double dx = p.x - 64, dy = (99 - p.y) - 64;
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 32, 1.5) << p.x << "," << p.y;
    EXPECT_GE(99 - p.y, 63);  // the upper half only
  }
  EXPECT_EQ(SetMojiEasy(1), 1);
  rec_ = Recorder{};
  DispText(dc(), 0, 0, 64, 64.64646464646465, 0, 0, 0, 0, 0, "\x82\x63");
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], (Line{{32, 35}, {64, 3}, {96, 35}}));
  EXPECT_EQ(SetMojiEasy(0), 0);
  // Three points on one line: one straight stroke; an arc without its end
  // word: nothing.
  rec_ = Recorder{};
  DispText(dc(), 0, 0, 64, 64.64646464646465, 0, 0, 0, 0, 0, "\x82\x64\x82\x65");
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], (Line{{0, 99}, {127, 99}}));
}

TEST_F(TextTest, MissingGlyphsShowTheSubstituteSquare) {
  // No font at all.
  Open(200, 100, "/nonexistent/M_G_L.KVD");
  ASSERT_EQ(start_, 1);
  SetView(0, 0, 100, 49.5);
  SetMojiWaku(0);
  Text("\x82\x60");  // cell 20 × 20: the square spans 7.5 .. 12.5
  const Line square{{27, 72}, {32, 72}, {32, 67}, {27, 67}, {27, 72}};
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], square);
  EndCadDraw();

  // Damaged files: an index cut short, an entry pointing past the end, a
  // word run running past the end.
  auto font = FontBytes(TestGlyphs());
  std::vector<std::uint8_t> cut(font.begin(), font.begin() + 100);
  std::vector<std::uint8_t> pastEnd = font;
  const std::size_t entryOfA = 4 * (1 + 94 * 2 + 32);
  pastEnd[entryOfA] = pastEnd[entryOfA + 1] = pastEnd[entryOfA + 2] = 0xFF;
  std::vector<std::uint8_t> runPastEnd = font;
  const std::uint32_t lastWord = std::uint32_t(font.size() - 2);
  runPastEnd[entryOfA] = std::uint8_t(lastWord);
  runPastEnd[entryOfA + 1] = std::uint8_t(lastWord >> 8);
  runPastEnd[entryOfA + 2] = std::uint8_t(lastWord >> 16);
  runPastEnd[entryOfA + 3] = 40;
  for (const auto& damaged : {cut, pastEnd, runPastEnd}) {
    rec_ = Recorder{};
    OpenWithFont(damaged);
    ASSERT_EQ(start_, 0);
    SetMojiWaku(0);
    Text("\x82\x60");
    ASSERT_EQ(rec_.polylines.size(), 1u);
    EXPECT_EQ(rec_.polylines[0], square);
    EndCadDraw();
  }
}

TEST_F(TextTest, InvalidSecondBytesAreLookedUpWhereTheConversionLeads) {
  // As the library's glyph reader: 0x88FD finds the entry of 0x3121, 0x8810
  // (JIS 0x2EF1) that of 0x3035.
  OpenWithFont(FontBytes({{0x3121, {Move(0, 0), Draw(64, 0)}}, {0x3035, {Move(0, 0), Draw(0, 64)}}}));
  SetMojiWaku(0);
  Text("\x88\xFD");
  Text("\x88\x10");
  ASSERT_EQ(rec_.polylines.size(), 2u);
  EXPECT_EQ(rec_.polylines[0], (Line{{20, 79}, {30, 79}}));  // along the bottom of the cell
  EXPECT_EQ(rec_.polylines[1], (Line{{20, 79}, {20, 69}}));  // up its left side
}

TEST_F(TextTest, LongTextsAreCutTo303BytesAndALastLeadByteEndsTheText) {
  OpenWithFont(FontBytes(TestGlyphs()));
  const std::string text(400, 'A');
  // Frame of 303 characters of 1 + 0.2 pixels: 303 × 1.2 - 0.2 = 363.4.
  DispText(dc(), 0, 10, 1, 3, 0.1, 0, 0, 0, 0, text.c_str());
  ASSERT_EQ(rec_.polylines.size(), 2u);  // the right edge is off the surface
  EXPECT_EQ(rec_.polylines[0], (Line{{0, 79}, {0, 73}, {200, 73}}));
  rec_ = Recorder{};
  // From device x -363 the frame ends at 0.4 (a 304th character would
  // reach 1.6): only its right edge is left.
  DispText(dc(), -181.5, 10, 1, 3, 0.1, 0, 0, 0, 0, text.c_str());
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0], (Line{{0, 73}, {0, 79}}));
  rec_ = Recorder{};
  DispText(dc(), 10, 10, 5, 3, 1, 0, 0, 0, 0, "A\x82");  // the lead byte takes a full cell
  ASSERT_EQ(rec_.polylines.size(), 1u);
  EXPECT_EQ(rec_.polylines[0][2].x, 20 + 5 + 2 + 10);
  rec_ = Recorder{};
  DispText(dc(), 10, 10, 5, 3, 1, 0, 0, 0, 0, "");
  DispText(dc(), 10, 10, 5, 3, 1, 0, 0, 0, 0, nullptr);
  EXPECT_TRUE(rec_.polylines.empty());
}

TEST_F(TextTest, ALeadByteCutOffAt303BytesJoinsTheTerminatingZero) {
  // 0x82 with 0x00 converts to JIS 0x2300 - 0x1F = 0x22E1, whose index entry
  // (row 0x22, column 0xE1) is that of 0x2425. 0x223F is the entry the row
  // 0x23 and column -0x1F would point at.
  std::map<int, std::vector<std::uint16_t>> glyphs = TestGlyphs();
  glyphs[0x2425] = {Move(0, 0), Draw(64, 0)};
  glyphs[0x223F] = {Move(0, 0), Draw(64, 64)};
  OpenWithFont(FontBytes(glyphs));
  SetMojiWaku(0);
  std::string text;
  for (int i = 0; i < 160; ++i) text += "\x82\x60";  // "Ａ"
  // Cells of 20 pixels: the 151st character at device x 20, the 152nd at 40.
  DispText(dc(), -1490, 10, 10, 10, 0, 0, 0, 0, 0, text.c_str());
  ASSERT_GE(rec_.polylines.size(), 2u);
  EXPECT_EQ(rec_.polylines[rec_.polylines.size() - 2], (Line{{20, 79}, {20, 69}}));
  EXPECT_EQ(rec_.polylines.back(), (Line{{40, 79}, {50, 79}}));
}
