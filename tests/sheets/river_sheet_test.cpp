// The pieces every river sheet shares: round scales, survey strokes that stay
// apart, the legend, text placed by its anchor.
#include <gtest/gtest.h>

#include <set>

#include "drawings/drawing_extents.h"
#include "server/types.h"
#include "sheets/river_sheet.h"

namespace plamor::sheets {
namespace {

using drawings::SheetBuilder;

TEST(RiverSheet, ScalesAreTheSmallestRoundOneThatFits) {
  EXPECT_EQ(RoundScale(30, 300), 100);        // fits at 1:100 with room to spare: never finer
  EXPECT_EQ(RoundScale(30, 300, 50), 100);    // exactly 1:100
  EXPECT_EQ(RoundScale(31, 300, 50), 200);
  EXPECT_EQ(RoundScale(60, 300), 200);
  EXPECT_EQ(RoundScale(70, 300), 250);
  EXPECT_EQ(RoundScale(120, 300), 500);
  EXPECT_EQ(RoundScale(12000, 380), 50000);
  EXPECT_THROW(RoundScale(0, 300), std::invalid_argument);
  EXPECT_THROW(RoundScale(10, -1), std::invalid_argument);
}

TEST(RiverSheet, SurveysKeepTheirStrokeAndLayerOnEverySheet) {
  std::vector<RiverSurvey> surveys(3);
  surveys[0].dates = {{2019, 6, 1}, {2019, 6, 3}};
  surveys[1].dates = {{2015, 6, 1}};
  surveys[2].dates = {{2011, 6, 1}};

  EXPECT_EQ(SurveyStroke(0).pen, 7);
  EXPECT_EQ(SurveyStroke(0).style, ktpsolid);
  std::set<std::pair<int, int>> seen;
  for (std::size_t rank = 0; rank < 7; ++rank) {
    const auto s = SurveyStroke(rank);
    EXPECT_TRUE(seen.insert({s.pen, s.style}).second) << rank;
    EXPECT_NE(s.pen, 6) << "yellow cannot be seen on white paper";
    EXPECT_EQ(s.layer, SurveyLayer(rank));
  }

  SheetBuilder sheet;
  NameRiverLayers(sheet, surveys);
  EXPECT_EQ(sheet.Model().layerNames.at(SurveyLayer(1)), "survey 2015-06-01");
  const double bottom = DrawSurveyLegend(sheet, {300, 100}, surveys);
  EXPECT_LT(bottom, 100 - 3 * kLegendTextHeight);
  ASSERT_EQ(sheet.Model().elements.size(), 6u);
  const auto& sample = std::get<drawings::LineElement>(sheet.Model().elements[2]);
  EXPECT_EQ(sample.stroke.pen, SurveyStroke(1).pen);
  EXPECT_EQ(sample.stroke.layer, kLegendLayer);
  EXPECT_EQ(std::get<drawings::TextElement>(sheet.Model().elements[3]).text, "2015-06-01");
  EXPECT_EQ(std::get<drawings::TextElement>(sheet.Model().elements[1]).text, "2019-06-01〜06-03");
  EXPECT_EQ(sheet.Model().layerNames.at(SurveyLayer(0)), "survey 2019-06-01");

  EXPECT_EQ(DistanceMarkText(22.0), "22.0");
  EXPECT_EQ(DistanceMarkText(22.25), "22.25");
  EXPECT_EQ(DistanceMarkText(0.1254), "0.125");  // to the metre
  EXPECT_EQ(FixedFigure(-0.001, 2), "0.00");
  EXPECT_EQ(GridStep(200, 1, 8), 2);  // 1 m is 5 mm at 1:200
  EXPECT_EQ(GridStep(10000, 1000, 15), 0.2);
}

TEST(RiverSheet, TextsLieWhereTheirAnchorSays) {
  SheetBuilder sheet;
  sheet.Text({100, 50}, "12.40km", 4, drawings::TextAnchor::kCenterCenter);
  sheet.Text({100, 50}, "左岸", 4, drawings::TextAnchor::kRightBottom);
  sheet.Text({100, 50}, "ab", 4, drawings::TextAnchor::kCenterBottom, 90);
  const auto& m = sheet.Model();
  auto box = [&](std::size_t i) {
    drawings::DrawingModel one{m.sheet, {m.elements[i]}, {}};
    return *drawings::DrawingExtents(one);
  };
  EXPECT_DOUBLE_EQ(drawings::TextLength("12.40km", 4), 14);
  EXPECT_NEAR((box(0).minX + box(0).maxX) / 2, 100, 1e-9);
  EXPECT_NEAR((box(0).minY + box(0).maxY) / 2, 50, 1e-9);
  EXPECT_NEAR(box(1).maxX, 100, 1e-9);
  EXPECT_NEAR(box(1).minX, 92, 1e-9);
  EXPECT_NEAR(box(1).minY, 50, 1e-9);
  EXPECT_NEAR((box(2).minY + box(2).maxY) / 2, 50, 1e-9);  // turned upward, centred on its point
  EXPECT_NEAR(box(2).maxX, 100, 1e-9);
}

}  // namespace
}  // namespace plamor::sheets
