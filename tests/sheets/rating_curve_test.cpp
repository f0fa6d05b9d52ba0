// The fitted rating curve on the H-Q sheet: its pieces lie on the formula
// (mapped back to stage and discharge), solid over the formula's stages and
// dashed beyond, inside the plot; the formula texts in a free corner; and what
// reaches the drawing server.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "sheets/hq_pens.h"
#include "sheets/rating_curve.h"
#include "tests/support/recording_plamor.h"

using namespace plamor;
using namespace plamor::sheets;

namespace {

const HqSheetAxes kAxes{0.0, 4.0, 0.0, 210.0};  // 1 m and 30 m³/s per pitch

hydraulics::RatingFormula TwoSegments() {
  hydraulics::RatingFormula f;
  const double a1 = 12.345, b1 = 0.21, s = 1.52, a2 = 9.0;
  const double b2 = std::sqrt(a1 / a2) * (s + b1) - s;
  f.segments.push_back({a1, b1, 0.38, s, 12, 3.1, 0.998});
  f.segments.push_back({a2, b2, s, 3.0, 9, 2.2, 0.997});
  return f;
}

bool Inside(SheetPoint p) { return p.x >= 50 - 1e-9 && p.x <= 400 + 1e-9 && p.y >= 20 - 1e-9 && p.y <= 250 + 1e-9; }

}  // namespace

TEST(RatingCurve, SheetMillimetresOfStageAndQuantity) {
  const HqSheetAxes axes{0.0, 2.0, 0.0, 70.0};
  EXPECT_DOUBLE_EQ(SheetPointOf(axes, 0, 0).x, 50);
  EXPECT_DOUBLE_EQ(SheetPointOf(axes, 0, 0).y, 50);  // a measurement at Xmin and Ymin sits at (50, 50)
  EXPECT_DOUBLE_EQ(SheetPointOf(axes, 70, 2).x, 400);
  EXPECT_DOUBLE_EQ(SheetPointOf(axes, 70, 2).y, 250);
  EXPECT_DOUBLE_EQ(SheetPointOf(axes, 10, 0.5).x, 100);
  EXPECT_DOUBLE_EQ(SheetPointOf(axes, 10, 0.5).y, 100);
  EXPECT_DOUBLE_EQ(StageAtY(axes, 100), 0.5);
  EXPECT_DOUBLE_EQ(QuantityAtX(axes, 100), 10);
  EXPECT_THROW(SheetPointOf({1, 1, 0, 70}, 1, 1), std::invalid_argument);
}

TEST(RatingCurve, PiecesLieOnTheFormulaSolidThenDashed) {
  const hydraulics::RatingFormula f = TwoSegments();
  const RatingCurveDrawing d = LayOutRatingCurve(f, survey::kDischarge, kAxes, 3.8);
  ASSERT_GT(d.pieces.size(), 50u);
  std::size_t dashed = 0;
  for (std::size_t i = 0; i < d.pieces.size(); ++i) {
    const CurvePiece& p = d.pieces[i];
    for (SheetPoint end : {p.from, p.to}) {
      EXPECT_TRUE(Inside(end));
      const double h = StageAtY(kAxes, end.y), q = QuantityAtX(kAxes, end.x);
      const double formula = f.segments[hydraulics::SegmentAt(f, h - 1e-12)].Discharge(h);
      EXPECT_NEAR(q, formula, 1e-9 * formula + 1e-12) << "piece " << i << " at H " << h;
      if (p.extrapolated) EXPECT_GE(h, 3.0 - 1e-9);
      else EXPECT_LE(h, 3.0 + 1e-9);
      EXPECT_GE(h, 0.38 - 1e-9);
    }
    if (i > 0) {  // one polyline, rising
      EXPECT_NEAR(p.from.x, d.pieces[i - 1].to.x, 1e-9);
      EXPECT_NEAR(p.from.y, d.pieces[i - 1].to.y, 1e-9);
      EXPECT_GT(p.to.y, p.from.y);
    }
    const double length = std::hypot(p.to.x - p.from.x, p.to.y - p.from.y);
    if (p.extrapolated) {
      ++dashed;
      EXPECT_GE(length, 3.0);  // at least one period of the dashed line type
    } else {
      EXPECT_LE(length, 2.0 * 1.001);
    }
    EXPECT_FALSE(i > 0 && d.pieces[i - 1].extrapolated && !p.extrapolated) << "solid after dashed";
  }
  EXPECT_GT(dashed, 0u);
  EXPECT_NEAR(StageAtY(kAxes, d.pieces.back().to.y), 3.8, 1e-9);
  EXPECT_NEAR(StageAtY(kAxes, d.pieces.front().from.y), 0.38, 1e-9);

  // Extended beyond the sheet, the curve stops at the plot's frame.
  const RatingCurveDrawing beyond = LayOutRatingCurve(f, survey::kDischarge, kAxes, 9.0);
  for (const CurvePiece& p : beyond.pieces) EXPECT_TRUE(Inside(p.from) && Inside(p.to));
  EXPECT_NEAR(beyond.pieces.back().to.y, 250, 1e-9);  // the top of the stage axis

  try {
    LayOutRatingCurve(f, survey::kDischarge, kAxes, 2.5);
    ADD_FAILURE() << "extended below the formula's top";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "the curve cannot be extended to 2.50: the formula already holds up to 3.00");
  }
  EXPECT_THROW(LayOutRatingCurve(f, survey::kArea, kAxes, {}), std::invalid_argument);
}

TEST(RatingCurve, RootOfDischargeSheetHasStraightLines) {
  const hydraulics::RatingFormula f = TwoSegments();
  const HqSheetAxes axes{0.0, 4.0, 0.0, 14.0};
  const RatingCurveDrawing d = LayOutRatingCurve(f, survey::kRootDischarge, axes, 3.5);
  ASSERT_EQ(d.pieces.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    const hydraulics::RatingSegment& s = f.segments[std::min<std::size_t>(k, 1)];
    for (SheetPoint end : {d.pieces[k].from, d.pieces[k].to}) {
      const double h = StageAtY(axes, end.y);
      EXPECT_NEAR(QuantityAtX(axes, end.x), std::sqrt(s.a) * (h + s.b), 1e-9);
    }
    EXPECT_EQ(d.pieces[k].extrapolated, k == 2);
  }
  EXPECT_NEAR(StageAtY(axes, d.pieces[0].to.y), 1.52, 1e-12);
}

TEST(RatingCurve, FormulasInAFreeCornerAndRegistered) {
  const hydraulics::RatingFormula f = TwoSegments();
  const RatingCurveDrawing d = LayOutRatingCurve(f, survey::kDischarge, kAxes, {});
  ASSERT_EQ(d.formulas.size(), 2u);
  EXPECT_EQ(d.formulas[0].text, "Q = 12.345 (H + 0.210)²  0.38 ≤ H < 1.52");
  EXPECT_GT(d.formulas[0].at.x, 250);  // lower right, below the curve
  EXPECT_LT(d.formulas[0].at.y, 40);
  EXPECT_GT(d.formulas[0].at.y, d.formulas[1].at.y);
  EXPECT_DOUBLE_EQ(d.formulas[0].at.x, d.formulas[1].at.x);

  // Markers in the lower right send the texts to the next free corner.
  const std::vector<SheetPoint> markers{{380, 30}, {330, 35}};
  const RatingCurveDrawing moved = LayOutRatingCurve(f, survey::kDischarge, kAxes, {}, markers);
  EXPECT_DOUBLE_EQ(moved.formulas[0].at.x, 55);
  EXPECT_GT(moved.formulas[0].at.y, 230);

  plamor::testing::RecordingPlamor server;
  RegisterRatingCurve(server, d, 2);
  ASSERT_EQ(server.calls.size(), d.pieces.size() + 6);
  const CurvePiece& first = d.pieces.front();
  EXPECT_EQ(server.calls[0], "Sen " + numtext::CStr(first.from.x) + ", " + numtext::CStr(first.from.y) + ", " +
                                 numtext::CStr(first.to.x) + ", " + numtext::CStr(first.to.y) +
                                 ", vPen:=2, vStyl:=0, vLayer:=3");
  const std::string head = server.calls[d.pieces.size()];
  EXPECT_NE(head.find(", \"Q = 12.345 (H + 0.210)\", 0, 0, 0, vHeight:=3.5, vWidth:=3.5, vBetween:=0, vPen:=2, "
                      "vLayer:=3, vKiten:=0"),
            std::string::npos)
      << head;
  EXPECT_NE(server.calls[d.pieces.size() + 1].find(", \"2\", 0, 0, 0, vHeight:=2.1, vWidth:=2.1"), std::string::npos);
  EXPECT_NE(server.calls[d.pieces.size() + 2].find(", \"  0.38 ≦ H < 1.52\", "), std::string::npos);

  plamor::testing::RecordingPlamor extended;
  RegisterRatingCurve(extended, LayOutRatingCurve(f, survey::kDischarge, kAxes, 3.8), 4);
  EXPECT_NE(std::find_if(extended.calls.begin(), extended.calls.end(),
                         [](const std::string& c) { return c.find("vPen:=4, vStyl:=1, vLayer:=3") != std::string::npos; }),
            extended.calls.end());
}

TEST(RatingCurve, CurvePenStoredBesideTheHqPens) {
  const std::filesystem::path config = std::filesystem::temp_directory_path() / ("rating_curve_test." + std::to_string(::getpid()));
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  EXPECT_EQ(HqCurvePen(), 2);  // red when nothing is stored
  SaveHqCurvePen(5);
  EXPECT_EQ(HqCurvePen(), 5);
  EXPECT_FALSE(HqPensStored());  // the five pens of the H-Q control are apart
  std::filesystem::remove_all(config);
}
