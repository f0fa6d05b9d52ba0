// Font builder: reading LFF text, shaping glyphs into stroke words, the
// font file image and the placement of glyphs in it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/kvd_builder/font_conversion.h"
#include "tools/kvd_builder/glyph_shape.h"
#include "tools/kvd_builder/kvd_image.h"
#include "tools/kvd_builder/lff_font.h"

namespace {

using namespace kvd;
namespace fs = std::filesystem;

LffFont Read(const std::string& text) {
  std::istringstream in(text);
  return ReadLffFont(in, "test.lff");
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TEST(LffFont, GlyphsTakeTheJisCodeOfTheirComment) {
  const LffFont font = Read(
      "# Format: LibreCAD Font 1\n"
      "# Name: KST32B\n"
      "\n"
      "# JIS    : 41\n# UTF-16 : 41\n[0041] A\n0,0;2,9\n2,9;4,0\n\n"
      "# JIS    : 30 21\n# UTF-16 : 4e9c\n[4e9c] x\n1.25,2.5;3,4,A0.5;5,6\n\n"
      "# JIS    : 29 21\n# 5.94,4.06;0.00,4.06\n\n"  // strokes commented out: no glyph
      "[2075] y\n0,0;1,1\n\n"                        // no JIS comment of its own
      "# JIS    : 21 21\n[3000] z\n");
  ASSERT_EQ(font.glyphs.size(), 3u);
  EXPECT_EQ(font.glyphsWithoutJis, 1);
  EXPECT_EQ(font.glyphs[0].code, 0x41);
  ASSERT_EQ(font.glyphs[0].polylines.size(), 2u);
  EXPECT_EQ(font.glyphs[0].polylines[1][1].x, 4);
  EXPECT_EQ(font.glyphs[1].code, 0x3021);
  ASSERT_EQ(font.glyphs[1].polylines.at(0).size(), 3u);
  EXPECT_EQ(font.glyphs[1].polylines[0][0].x, 1.25);
  EXPECT_EQ(font.glyphs[1].polylines[0][1].bulge, 0.5);
  EXPECT_EQ(font.glyphs[2].code, 0x2121);
  EXPECT_TRUE(font.glyphs[2].polylines.empty());
}

TEST(LffFont, UnreadableTextNamesItsLine) {
  const auto errorOf = [](const std::string& text) {
    try {
      Read(text);
    } catch (const LffError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(errorOf("# JIS : 41\n[0041] A\n0,0;2\n"), "test.lff:3: unreadable polyline \"0,0;2\"");
  EXPECT_EQ(errorOf("# JIS : 41\n[0041] A\n0,0;1,1,B2\n"), "test.lff:3: unreadable polyline \"0,0;1,1,B2\"");
  EXPECT_EQ(errorOf("# JIS : 41\n[0041] A\n0,0\n"), "test.lff:3: unreadable polyline \"0,0\"");
  EXPECT_EQ(errorOf("\n1,1;2,2\n"), "test.lff:2: stroke data outside a glyph: \"1,1;2,2\"");
  EXPECT_EQ(errorOf("# JIS : 3g 21\n"), "test.lff:1: unreadable JIS code \"# JIS : 3g 21\"");
}

TEST(GlyphShape, BulgesAreFlattenedOntoTheirArc) {
  // Bulge 1 is a half circle; positive runs counter-clockwise, so from
  // (0, 0) to (2, 0) it passes under the chord.
  for (const double bulge : {1.0, -1.0}) {
    const auto points = FlattenPolyline({{0, 0, bulge}, {2, 0, 0}}, 0.01);
    ASSERT_GT(points.size(), 10u);
    EXPECT_EQ(points.front().x, 0);
    EXPECT_EQ(points.back().x, 2);
    for (const FontPoint p : points) {
      EXPECT_NEAR(std::hypot(p.x - 1, p.y), 1, 1e-12);
      EXPECT_LE(p.y * bulge, 1e-12);
    }
    for (std::size_t i = 1; i < points.size(); ++i) {  // chords within the tolerance
      const double half = std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y) / 2;
      EXPECT_LE(1 - std::sqrt(1 - half * half), 0.01);
    }
  }
  EXPECT_EQ(FlattenPolyline({{0, 0, 0}, {1, 1, 0}, {2, 0, 0}}, 0.01).size(), 3u);
}

TEST(GlyphShape, FontUnitsMapOntoTheCell) {
  bool clamped = false;
  EXPECT_EQ(kFullWidthMapping.Map({0, 0}, clamped), (CellPoint{6, 0}));
  EXPECT_EQ(kFullWidthMapping.Map({9.06, 9.69}, clamped), (CellPoint{122, 124}));
  EXPECT_EQ(kFullWidthMapping.Map({0.31, 0.62}, clamped), (CellPoint{10, 8}));  // grid steps of 4
  EXPECT_EQ(kHalfWidthMapping.Map({4.38, 0.94}, clamped), (CellPoint{120, 12}));
  EXPECT_FALSE(clamped);
  EXPECT_EQ(kFullWidthMapping.Map({10.5, -0.5}, clamped), (CellPoint{127, 0}));
  EXPECT_TRUE(clamped);
}

TEST(GlyphShape, SegmentsAreChainedIntoRuns) {
  const CellPoint a{0, 0}, b{10, 0}, c{10, 10}, d{0, 10}, e{5, 20}, dot{50, 50};
  // A square given piecemeal, out of order and reversed, one side twice, a
  // piece that vanished in rounding, a lone dot and a dot on the square.
  const auto segments = DistinctSegments({{c, b}, {a, b}, {d, c}, {a, d}, {b, a}, {e, e}, {dot}, {c, c}});
  ASSERT_EQ(segments.size(), 6u);  // four sides, two dots
  const std::vector<StrokeRun> runs = ChainSegments(segments);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].size(), 5u);  // round the square: one move, four draws
  EXPECT_EQ(runs[0].front(), runs[0].back());
  EXPECT_EQ(runs[1], (StrokeRun{e, e}));
  EXPECT_EQ(runs[2], (StrokeRun{dot, dot}));
  EXPECT_EQ(WordCount(runs), 9u);

  // A "T": the bar and the stem meet in the middle, two runs.
  const CellPoint left{0, 100}, middle{50, 100}, right{100, 100}, foot{50, 0};
  const auto t = ChainSegments({{left, middle}, {foot, middle}, {middle, right}});
  EXPECT_EQ(t.size(), 2u);
  EXPECT_EQ(WordCount(t), 5u);
}

TEST(GlyphShape, RunsAreEncodedAsMoveThenDraws) {
  EXPECT_EQ(EncodeRuns({{{1, 2}, {127, 127}}, {{0, 5}, {3, 0}, {4, 1}}}),
            (std::vector<std::uint16_t>{1 | 2 << 7, 0x8000 | 127 | 127 << 7, 5 << 7, 0x8000 | 3,
                                        0x8000 | 4 | 1 << 7}));
}

TEST(GlyphShape, GlyphsAreFittedIntoTheirWords) {
  // A long wavy stroke: its near-collinear points merge, its ends stay.
  StrokeRun wave;
  for (int i = 0; i < 300; ++i) wave.push_back({i * 127 / 299, 60 + i % 2});
  std::vector<StrokeRun> runs{wave};
  FitResult fit = FitIntoWords(runs, 255);
  EXPECT_TRUE(fit.simplified);
  EXPECT_FALSE(fit.truncated);
  EXPECT_LE(WordCount(runs), 255u);
  EXPECT_EQ(runs.at(0).front(), wave.front());
  EXPECT_EQ(runs.at(0).back(), wave.back());

  // Many distinct strokes leave no choice but to cut some.
  std::vector<StrokeRun> strokes;
  for (int i = 0; i < 200; ++i) strokes.push_back({{i % 100, 0}, {i % 100, 20 + i / 100 * 50}});
  fit = FitIntoWords(strokes, 255);
  EXPECT_TRUE(fit.truncated);
  EXPECT_LE(WordCount(strokes), 255u);
  EXPECT_GE(WordCount(strokes), 254u);

  std::vector<StrokeRun> small{{{0, 0}, {1, 1}}};
  fit = FitIntoWords(small, 255);  // fits already: untouched
  EXPECT_FALSE(fit.simplified);
  EXPECT_EQ(small.size(), 1u);
}

TEST(KvdImage, IndexEntriesAddressTheWords) {
  KvdImage image;
  image.SetGlyph(0x2121, {});  // blank: stays empty
  image.SetGlyph(0x2341, {0x0001, 0x8002});
  image.SetGlyph(0x7E7E, std::vector<std::uint16_t>(255, 0x8000));
  EXPECT_THROW(image.SetGlyph(0x2021, {1}), std::invalid_argument);
  EXPECT_THROW(image.SetGlyph(0x2121, std::vector<std::uint16_t>(256, 1)), std::invalid_argument);
  const std::vector<std::uint8_t> bytes = image.Bytes();
  ASSERT_EQ(bytes.size(), kIndexEnd + 2 * 257);
  EXPECT_EQ(Le32(bytes, 0), 2u);
  EXPECT_EQ(Le32(bytes, 4), 0u);
  EXPECT_EQ(Le32(bytes, 4 * (1 + 94 * 2 + 32)), 2u << 24 | kIndexEnd);
  EXPECT_EQ(Le32(bytes, kIndexEnd - 4), 255u << 24 | (kIndexEnd + 4));
  EXPECT_EQ(bytes[kIndexEnd], 0x01);
  EXPECT_EQ(bytes[kIndexEnd + 3], 0x80);
}

TEST(KvdImage, FilesAreReplacedWholeOrNotAtAll) {
  std::string pattern = (fs::temp_directory_path() / "kvd_builder_test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern;
  const fs::path target = folder / "M_G_L.KVD";
  std::ofstream(target) << "earlier";
  WriteFileAtomically(target, {1, 2, 3});
  EXPECT_EQ(fs::file_size(target), 3u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  EXPECT_THROW(WriteFileAtomically(folder / "missing" / "M_G_L.KVD", {1}), std::runtime_error);
  EXPECT_FALSE(fs::exists(folder / "missing"));
  fs::remove_all(folder);
}

TEST(FontConversion, GlyphsGoToTheirPlaces) {
  EXPECT_EQ(IndexPlace(0x41), 0x2941);  // ASCII: half-width row
  EXPECT_EQ(IndexPlace(0xB1), 0x2A31);  // half-width katakana
  EXPECT_EQ(IndexPlace(0x20), 0);
  EXPECT_EQ(IndexPlace(0x1A41), 0);
  EXPECT_EQ(IndexPlace(0x3349), 0x5978);
  EXPECT_EQ(IndexPlace(0x5978), 0x3349);
  EXPECT_EQ(IndexPlace(0x3021), 0x3021);

  const LffFont font = Read(
      "# JIS : 41\n[0041] A\n0,0;2,9;4,0\n\n"
      "# JIS : 23 41\n[ff21] A\n0,0;4.5,9.06;9.06,0\n0,0;4.5,9.06\n\n"
      "# JIS : 33 49\n[64b9] k\n0,0;1,1\n\n"
      "# JIS : 29 24\n[00a4] c\n0,0;1,1\n\n"
      "# JIS : 1a 41\n[00c1] a\n0,0;1,1\n\n"
      "# JIS : 21 21\n[3000]\n\n"
      "# JIS : 23 41\n[ff21] again\n0,0;1,1\n");
  ConversionReport report;
  const KvdImage image = ConvertFont(font, report);
  EXPECT_EQ(image.GlyphCount(), 3u);
  EXPECT_TRUE(image.HasGlyph(0x2941));
  EXPECT_TRUE(image.HasGlyph(0x5978));
  EXPECT_FALSE(image.HasGlyph(0x3349));
  EXPECT_FALSE(image.HasGlyph(0x2924));
  EXPECT_EQ(report.displaced, 1);
  EXPECT_EQ(report.withoutPlace, 1);
  EXPECT_EQ(report.duplicates, 1);
  EXPECT_EQ(report.blanks, (std::vector<std::uint16_t>{0x2121}));
  EXPECT_EQ(report.glyphsPerRow.at(0x29), 1);

  // The full-width "A": a polyline drawn twice is one run, centred in the cell.
  FitResult fit;
  bool clamped = false;
  EXPECT_EQ(GlyphWords(font.glyphs[1], kFullWidthMapping, fit, clamped),
            (std::vector<std::uint16_t>{6, 0x8000 | 64 | 116 << 7, 0x8000 | 122}));
  // The half-width "A" spans its half cell at the same size on paper.
  EXPECT_EQ(GlyphWords(font.glyphs[0], kHalfWidthMapping, fit, clamped),
            (std::vector<std::uint16_t>{8, 0x8000 | 59 | 115 << 7, 0x8000 | 110}));
}

}  // namespace
