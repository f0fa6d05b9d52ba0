// The longitudinal profile: the stage its mean bed is taken at, the surveys
// of a river grouped from their files' dates, sheets planned along the river
// and the bed lines lying where the plan puts them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "drawings/drawing_extents.h"
#include "sheets/river_profile.h"
#include "sheets/river_sheet.h"

namespace plamor::sheets {
namespace {

namespace fs = std::filesystem;

// A trapezoid channel 40 m wide at its banks (elevation `bank`), its bed
// `depth` below them, at distance mark `km`, surveyed on `date`.
survey::SectionSurvey Trapezoid(double km, survey::SurveyDate date, double bank, double depth) {
  survey::SectionSurvey s;
  s.distanceMark = km;
  s.date = date;
  s.river = "荒見川";
  s.points = {{1, 0, bank}, {0, 10, bank - depth}, {0, 30, bank - depth}, {18, 40, bank}};
  return s;
}

// Sections every 200 m from `fromKm`, the bed rising 1 m per km, each
// surveyed in 2015 and 2023 (the later bed 0.3 m lower), a few days apart
// along the river as survey crews work.
survey::River SteadyRiver(double fromKm, int sections) {
  std::vector<survey::SectionSurvey> surveys;
  for (int i = 0; i < sections; ++i) {
    const double km = fromKm + 0.2 * i, bank = 30 + km - fromKm;
    surveys.push_back(Trapezoid(km, {2015, 11, 4 + i % 3}, bank, 4));
    surveys.push_back(Trapezoid(km, {2023, 11, 7 + i % 3}, bank, 4.3));
  }
  return survey::AssembleRiver(std::move(surveys));
}

// The lines drawn on `layer`, joined into the polylines they were drawn as.
std::vector<std::vector<drawings::SheetPoint>> PolylinesOn(const drawings::DrawingModel& sheet, std::int16_t layer) {
  std::vector<std::vector<drawings::SheetPoint>> lines;
  for (const auto& e : sheet.elements) {
    const auto* l = std::get_if<drawings::LineElement>(&e);
    if (!l || l->stroke.layer != layer) continue;
    if (lines.empty() || lines.back().back().x != l->x1 || lines.back().back().y != l->y1)
      lines.push_back({{l->x1, l->y1}});
    lines.back().push_back({l->x2, l->y2});
  }
  return lines;
}

TEST(RiverProfile, MeanBedIsTakenAtThePlannedStageElseTheWaterElseTheLowerBank) {
  survey::SectionSurvey s = Trapezoid(22.0, {2023, 11, 7}, 30, 4);
  s.points.back().elevation = 29;  // the right bank lower
  EXPECT_DOUBLE_EQ(MeanBedStage(s, nullptr), 29);
  s.rightPostElevation = 31;
  s.leftPostElevation = 30.5;  // the posts' elevations win over the bed line's
  EXPECT_DOUBLE_EQ(MeanBedStage(s, nullptr), 30.5);
  s.waterSurface = 27.5;
  EXPECT_DOUBLE_EQ(MeanBedStage(s, nullptr), 27.5);
  survey::StageTable planned;
  planned.marks = {21.0, 23.0};
  planned.stages = {31.0, 33.0};
  EXPECT_DOUBLE_EQ(MeanBedStage(s, &planned), 32.0);
  s.distanceMark = 25;  // beyond the table: its own water again
  EXPECT_DOUBLE_EQ(MeanBedStage(s, &planned), 27.5);
}

TEST(RiverProfile, SurveysOfNeighbouringDaysAreOneSurvey) {
  const survey::River river = SteadyRiver(22.0, 6);
  const std::vector<RiverSurvey> surveys = RiverSurveysOf(river);
  ASSERT_EQ(surveys.size(), 2u);
  EXPECT_EQ(surveys[0].dates.size(), 3u);  // 7, 8 and 9 November 2023
  EXPECT_EQ(surveys[0].Label(), "2023-11-07〜11-09");
  EXPECT_EQ(RiverSurveyRank(surveys, {2015, 11, 6}), 1u);
  EXPECT_THROW(RiverSurveyRank(surveys, {2019, 1, 1}), std::invalid_argument);

  // A section surveyed twice within the days of one survey starts the next.
  std::vector<survey::SectionSurvey> files = {Trapezoid(22.0, {2020, 5, 1}, 30, 4),
                                              Trapezoid(22.0, {2020, 5, 20}, 30, 4),
                                              Trapezoid(22.2, {2020, 5, 2}, 30, 4)};
  const auto twice = RiverSurveysOf(survey::AssembleRiver(std::move(files)));
  ASSERT_EQ(twice.size(), 2u);
  EXPECT_EQ(twice[1].Label(), "2020-05-01〜05-02");
  EXPECT_EQ(twice[0].Label(), "2020-05-20");
}

TEST(RiverProfile, ALongRiverContinuesOnSheetsThatShareTheirEndSections) {
  const survey::River shortRiver = SteadyRiver(22.0, 12);
  const auto one = PlanRiverProfile(shortRiver, {});
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].lastSection, 11u);
  EXPECT_EQ(one[0].distanceScale, 10000);
  const double x0 = one[0].X(22.0), x1 = one[0].X(24.2);
  EXPECT_GT(x0, 45);
  EXPECT_LT(x1, 410);
  EXPECT_NEAR(x1 - x0, 2200.0 / 10, 1e-9);  // 1:10000
  EXPECT_LT(x1, one[0].X(one[0].rightKm));
  // The beds stand clear of the plot's lower and upper edges (57 and 250 mm).
  EXPECT_GT(one[0].Y(25.7), 57 + 5 - 1e-9);
  EXPECT_LT(one[0].Y(30 + 2.2), 250);

  const survey::River longRiver = SteadyRiver(0.0, 101);  // 20 km
  const auto plans = PlanRiverProfile(longRiver, {});
  ASSERT_GT(plans.size(), 1u);
  EXPECT_EQ(plans.front().firstSection, 0u);
  EXPECT_EQ(plans.back().lastSection, 100u);
  for (std::size_t k = 0; k + 1 < plans.size(); ++k) {
    EXPECT_EQ(plans[k].lastSection, plans[k + 1].firstSection);
    EXPECT_EQ(plans[k].distanceScale, plans[k + 1].distanceScale);
    EXPECT_EQ(plans[k].elevationScale, plans[k + 1].elevationScale);
    EXPECT_LE(plans[k].X(longRiver.sections[plans[k].lastSection].distanceMark), 410);
  }

  ProfileOptions given;
  given.distanceScale = 10000;  // 3.5 km a sheet: 3.5 m of rise and 4.3 m of depth
  given.elevationScale = 25;    // take 312 mm at 1:25, more than the plot's 193
  try {
    PlanRiverProfile(longRiver, given);
    FAIL() << "an elevation scale too large was taken";
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("1:25"), std::string::npos) << e.what();
  }
  given.elevationScale = 0;
  EXPECT_THROW(PlanRiverProfile(longRiver, given), std::invalid_argument);
  EXPECT_THROW(PlanRiverProfile(survey::River{}, {}), std::invalid_argument);
}

TEST(RiverProfile, BedLinesLieWherePlanPutsThemOnTheirSurveysLayers) {
  const survey::River river = SteadyRiver(22.0, 12);
  ProfileOptions options;
  survey::StageTable planned;
  planned.marks = {22.0, 24.2};
  planned.stages = {29.0, 31.2};
  options.plannedStage = planned;
  const auto plan = PlanRiverProfile(river, options).front();
  std::vector<drawings::DrawingModel> sheets = DrawRiverProfile(river, options);
  ASSERT_EQ(sheets.size(), 1u);
  drawings::DrawingModel& sheet = sheets[0];
  EXPECT_EQ(sheet.layerNames.at(SurveyLayer(0)), "survey 2023-11-07");
  EXPECT_EQ(sheet.layerNames.at(SurveyLayer(1)), "survey 2015-11-04");

  for (std::int16_t rank : {0, 1}) {
    const auto lines = PolylinesOn(sheet, SurveyLayer(rank));
    ASSERT_EQ(lines.size(), 2u) << "mean and deepest bed of survey " << rank;
    const double depth = rank == 0 ? 4.3 : 4;
    for (std::size_t i = 0; i < river.sections.size(); ++i) {
      const double km = river.sections[i].distanceMark, bank = 30 + km - 22.0;
      // The trapezoid's mean bed at the planned stage: stage − A/B.
      const double stage = 29 + km - 22.0, b = 20 + 20 * (stage - bank + depth) / depth;
      const double area = (20 + b) / 2 * (stage - bank + depth);
      const auto& mean = lines[0][i];
      EXPECT_NEAR(mean.x, plan.X(km), 1e-9);
      EXPECT_NEAR(mean.y, plan.Y(stage - area / b), 1e-6) << km;
      EXPECT_NEAR(lines[1][i].y, plan.Y(bank - depth), 1e-9) << km;
    }
  }
  const auto water = PolylinesOn(sheet, kWaterLayer);
  ASSERT_EQ(water.size(), 1u);
  EXPECT_NEAR(water[0].back().y, plan.Y(31.2), 1e-9);

  // The whole sheet stays on A3 inside its frame.
  const auto box = *drawings::DrawingExtents(sheet);
  EXPECT_GE(box.minX, 10 - 1e-9);
  EXPECT_LE(box.maxX, 410 + 1e-9);
  EXPECT_GE(box.minY, 10 - 1e-9);
  EXPECT_LE(box.maxY, 287 + 1e-9);
}

}  // namespace
}  // namespace plamor::sheets
