// The vector side of the element drawing: paths joined from connected
// segments, pens as colours and dash patterns, arcs as Bézier curves that
// stay on their ellipse.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphic/elements.h"
#include "drawings/outputs/page_file.h"
#include "drawings/outputs/pdf_file.h"
#include "graphic/vector_sink.h"

using namespace plamor::graphic;
using namespace plamor::drawings;

namespace {

// Keeps what the sink asks of the page.
struct RecordingPage : PathWriter {
  struct Curve {
    DPoint from, c1, c2, to;
  };
  std::vector<std::string> calls;
  std::vector<Curve> curves;
  std::vector<std::vector<double>> dashes;
  std::vector<unsigned> colours;
  DPoint last;

  void SetStroke(std::uint8_t r, std::uint8_t g, std::uint8_t b, const std::vector<double>& d) override {
    calls.push_back("stroke");
    colours.push_back(unsigned(r) << 16 | unsigned(g) << 8 | b);
    dashes.push_back(d);
  }
  void MoveTo(DPoint p) override { calls.push_back("M"), last = p; }
  void LineTo(DPoint p) override { calls.push_back("L"), last = p; }
  void CurveTo(DPoint c1, DPoint c2, DPoint p) override {
    calls.push_back("C");
    curves.push_back({last, c1, c2, p});
    last = p;
  }
  void StrokePath() override { calls.push_back("S"); }
};

DPoint Bezier(const RecordingPage::Curve& c, double t) {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
  return {a * c.from.x + b * c.c1.x + d * c.c2.x + e * c.to.x, a * c.from.y + b * c.c1.y + d * c.c2.y + e * c.to.y};
}

std::string Joined(const std::vector<std::string>& calls) {
  std::string s;
  for (const auto& c : calls) s += c + " ";
  return s;
}

}  // namespace

TEST(VectorSink, JoinsConnectedSegmentsAndChangesPensOnlyWhenAsked) {
  RecordingPage page;
  VectorSink sink(page, 2.0);  // two device units per millimetre
  sink.SelectPen(0, 2);
  sink.AddSegment({0, 0}, {10, 0});
  sink.AddSegment({10, 0}, {10, 10});  // connected: no new path
  sink.AddSegment({20, 0}, {30, 0});   // apart: a move
  sink.SetDashPeriod(8);
  sink.SelectPen(1, 7);                // dotted white pen at an 8 mm period
  sink.AddSegment({30, 0}, {40, 0});
  sink.Finish();
  EXPECT_EQ(Joined(page.calls), "stroke M L L M L S stroke M L S ");
  ASSERT_EQ(page.colours.size(), 2u);
  EXPECT_EQ(page.colours[0], 0xFF0000u);  // palette colour 2: red
  EXPECT_EQ(page.colours[1], 0x000000u);  // white is drawn black on the white page
  EXPECT_TRUE(page.dashes[0].empty());
  // 0x1F1F: 5 on, 3 off, twice per 16 steps; 8 mm at 2 units per mm.
  EXPECT_EQ(page.dashes[1], (std::vector<double>{5, 3, 5, 3}));
}

TEST(VectorSink, ArcsBecomeCurvesOnTheirEllipseInEitherDirection) {
  for (double sweep : {360.0, -250.0, 30.0}) {
    RecordingPage page;
    VectorSink sink(page, 1.0);
    // A rotated, sheared ellipse: radii images u and v not at right angles.
    const EllipticArc arc{{100, 50}, {80, 20}, {-10, 40}, 15, 15 + sweep};
    ASSERT_TRUE(sink.AddCurve(arc));
    sink.Finish();
    const std::size_t pieces = std::size_t(std::ceil(std::fabs(sweep) / 90));
    ASSERT_EQ(page.curves.size(), pieces) << sweep;
    // Every curve point lies on the ellipse: solve for (cos, sin) and check
    // they stay on the unit circle.
    const double det = arc.u.x * arc.v.y - arc.u.y * arc.v.x;
    for (const auto& c : page.curves) {
      for (double t = 0; t <= 1.0; t += 0.125) {
        const DPoint p = Bezier(c, t);
        const double dx = p.x - arc.centre.x, dy = p.y - arc.centre.y;
        const double cs = (dx * arc.v.y - dy * arc.v.x) / det, sn = (arc.u.x * dy - arc.u.y * dx) / det;
        EXPECT_NEAR(std::hypot(cs, sn), 1.0, 3e-4) << "sweep " << sweep << " t " << t;
      }
    }
    const double end = (15 + sweep) * M_PI / 180;
    EXPECT_NEAR(page.curves.back().to.x, 100 + 80 * std::cos(end) - 10 * std::sin(end), 1e-9);
  }
}

TEST(VectorSink, CirclesAndGlyphArcsOfTheElementDrawingReachTheSinkAsCurves) {
  RecordingPage page;
  VectorSink sink(page, 1.0);
  const WorldWindow world{0, 0, 100, 100, 100, 100};
  const Transform view(DRect{0, 0, 1000, 1000}, world);  // 10 device units per world unit
  ElementDrawing drawing(view, sink);
  DrawCircle(drawing, world, 50, 50, 20, 10, 0, 90, 30, 0, 1);
  sink.Finish();
  ASSERT_EQ(page.curves.size(), 1u);
  const double phi = 30 * M_PI / 180;
  EXPECT_NEAR(page.curves[0].from.x, 500 + 200 * std::cos(phi), 1e-9);
  EXPECT_NEAR(page.curves[0].to.x, 500 - 100 * std::sin(phi), 1e-9);
  EXPECT_NEAR(page.curves[0].to.y, 500 + 100 * std::cos(phi), 1e-9);
}

TEST(PdfPage, TitlesAreUtf16TextStrings) {
  EXPECT_EQ(PdfTextString("A河"), "<FEFF00416CB3>");
  EXPECT_EQ(PdfTextString("\xF0\x9F\x98\x80"), "<FEFFD83DDE00>");  // beyond the basic plane: a surrogate pair
}

TEST(PageFile, NumbersInTheirShortFixedForm) {
  const std::string path = ::testing::TempDir() + "/page-file-numbers.txt";
  {
    PageFile file(path);
    // Halves round away from zero; 1.005 in hundredths is a little less than a half.
    for (double v : {0.0, -0.0, 12.5, -3.0, 0.07, 283.46456, -0.004, 1190.5511811, 1e300, 0.125, -0.125, 1.005}) {
      file.Number(v);
      file.Put(' ');
    }
    file.Close();
  }
  std::string text;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[256];
    text.assign(buffer, std::fread(buffer, 1, sizeof buffer, f));
    std::fclose(f);
  }
  EXPECT_EQ(text, "0 0 12.5 -3 0.07 283.46 0 1190.55 0 0.13 -0.13 1 ");
  std::remove(path.c_str());
  EXPECT_THROW(PageFile("/nonexistent-folder/x.pdf"), std::runtime_error);
}
