// Hydraulic quantities on shapes whose answers are known in closed form, the
// wetted parts of a section with a dry island, walls, and bed changes.
#include <gtest/gtest.h>

#include <cmath>

#include "hydraulics/section_hydraulics.h"

using namespace plamor::hydraulics;
using plamor::survey::SectionSurvey;

namespace {

void ExpectRelative(double actual, double expected, const char* what) {
  EXPECT_LE(std::abs(actual - expected), 1e-9 * std::abs(expected)) << what << ": " << actual << " vs " << expected;
}

// Checks A, P, B and the quantities made from them.
void ExpectFlow(const SectionFlow& f, double area, double perimeter, double width) {
  ExpectRelative(f.area, area, "area");
  ExpectRelative(f.wettedPerimeter, perimeter, "wetted perimeter");
  ExpectRelative(f.topWidth, width, "top width");
  ASSERT_TRUE(f.hydraulicRadius && f.hydraulicDepth && f.meanBed);
  ExpectRelative(*f.hydraulicRadius, area / perimeter, "hydraulic radius");
  ExpectRelative(*f.hydraulicDepth, area / width, "hydraulic depth");
  ExpectRelative(*f.meanBed, f.stage - area / width, "mean bed");
}

}  // namespace

TEST(SectionFlow, ClosedFormShapes) {
  // Rectangle 10 m wide with vertical walls, 4 m deep at the stage.
  const SectionFlow rectangle = FlowAt({{0, 10}, {0, 0}, {10, 0}, {10, 10}}, 4);
  ExpectFlow(rectangle, 40, 18, 10);
  EXPECT_EQ(rectangle.wettedParts, 1u);
  EXPECT_NEAR(*rectangle.meanBed, 0, 1e-12);
  EXPECT_FALSE(rectangle.walledLeft || rectangle.walledRight);

  // Trapezoid: bottom 10 m, side slopes 1:1, 3 m deep.
  ExpectFlow(FlowAt({{0, 5}, {5, 0}, {15, 0}, {20, 5}}, 3), 39, 10 + 6 * std::sqrt(2.0), 16);

  // Triangle with slopes 1:1, 2 m deep; the stage at a point of the bed.
  ExpectFlow(FlowAt({{0, 4}, {2, 2}, {4, 0}, {8, 4}}, 2), 4, 4 * std::sqrt(2.0), 4);

  // Stage at an unusual scale: large elevations keep their precision.
  ExpectFlow(FlowAt({{1000, 2010}, {1000, 2000}, {1010, 2000}, {1010, 2010}}, 2004), 40, 18, 10);
}

TEST(SectionFlow, IslandWallsAndTheStageAtPoints) {
  // Two V channels (slopes 1:2 and 1:1.5) with an island rising to 3 m.
  const SectionFlow island = FlowAt({{0, 4}, {2, 0}, {4, 3}, {6, 0}, {8, 4}}, 2);
  const double left = 1 + 4.0 / 3, right = 4.0 / 3 + 1;  // wet widths of the two channels
  const double perimeter = 2 * (std::hypot(1, 2) + std::hypot(4.0 / 3, 2));
  ExpectFlow(island, left * 2 / 2 + right * 2 / 2, perimeter, left + right);
  EXPECT_EQ(island.wettedParts, 2u);

  // A flat exactly at the stage holds no water and splits the parts.
  const SectionFlow flat = FlowAt({{0, 2}, {1, 0}, {2, 2}, {3, 2}, {4, 0}, {5, 2}}, 2);
  ExpectFlow(flat, 4, 4 * std::sqrt(5.0), 4);
  EXPECT_EQ(flat.wettedParts, 2u);

  // Ends below the stage are walled up to it: the walls are wetted.
  const SectionFlow walled = FlowAt({{0, 1}, {10, 1}}, 3);
  ExpectFlow(walled, 20, 14, 10);
  EXPECT_TRUE(walled.walledLeft && walled.walledRight);
  EXPECT_EQ(walled.wettedParts, 1u);

  // A wall in the middle rising above the stage splits the water; one
  // reaching only part of the way is wetted up to the stage.
  const SectionFlow wall = FlowAt({{0, 5}, {0, 0}, {4, 0}, {4, 6}, {4, 1}, {8, 1}, {8, 5}}, 3);
  ExpectFlow(wall, 12 + 8, 3 + 4 + 3 + 2 + 4 + 2, 8);
  EXPECT_EQ(wall.wettedParts, 2u);

  // An end wall lower than the stage is closed up to it; a wall standing at
  // an end with the bed behind it holds no water.
  const SectionFlow lowWall = FlowAt({{0, 2}, {0, 0}, {10, 0}, {10, 5}}, 3);
  ExpectFlow(lowWall, 30, 16, 10);
  EXPECT_TRUE(lowWall.walledLeft);
  EXPECT_FALSE(lowWall.walledRight);
  const SectionFlow behind = FlowAt({{0, 0}, {0, 5}, {10, 5}}, 3);
  EXPECT_EQ(behind.wettedPerimeter + behind.area, 0);
  EXPECT_EQ(behind.wettedParts, 0u);
  EXPECT_EQ(FlowAt({{0, 0}, {0, 5}}, 3).wettedPerimeter, 0);

  // Nothing wet.
  const SectionFlow dry = FlowAt({{0, 5}, {5, 1}, {10, 5}}, 0.5);
  EXPECT_EQ(dry.area, 0);
  EXPECT_EQ(dry.topWidth, 0);
  EXPECT_EQ(dry.wettedParts, 0u);
  EXPECT_FALSE(dry.hydraulicRadius || dry.hydraulicDepth || dry.meanBed);
}

TEST(SectionFlow, DeepestBedBetweenTheLowWaterShoulders) {
  SectionSurvey s;
  s.points = {{0, 0, 0.5}, {13, 5, 3}, {0, 8, 1.2}, {0, 9, std::nullopt}, {13, 12, 3}, {0, 20, 0.2}};
  EXPECT_EQ(DeepestBed(s), 1.2);  // the lower ground beyond the shoulders does not count
  s.points[4].flag = 0;
  EXPECT_EQ(DeepestBed(s), 0.2);  // one shoulder: the whole section
  EXPECT_EQ(BedLine(s).size(), 5u);

  // The bed line runs between the distance posts: the land behind the levees
  // is left out.
  s.points = {{0, -10, -1}, {1, 0, 6}, {0, 5, 0}, {18, 10, 6}, {0, 20, -0.5}, {0, 25, std::nullopt}};
  const auto bed = BedLine(s);
  ASSERT_EQ(bed.size(), 3u);
  EXPECT_EQ(bed.front().distance, 0);
  EXPECT_EQ(bed.back().distance, 10);
  EXPECT_EQ(DeepestBed(s), 0);  // no shoulders: the lowest of the bed line, not of the land behind
  s.points[3].flag = 0;
  EXPECT_EQ(BedLine(s).size(), 5u);
}

TEST(BedChange, DepositionAndScourOverTheStretchBothCover) {
  // The later bed tilts across the earlier flat one: equal parts above and below.
  BedChange tilt = CompareBeds({{0, 1}, {10, -1}}, {{0, 0}, {10, 0}});
  ExpectRelative(tilt.deposition, 2.5, "deposition");
  ExpectRelative(tilt.scour, 2.5, "scour");

  // Only the stretch both cover, 2 to 10 m: the later line is 2 m longer.
  tilt = CompareBeds({{2, 1}, {12, -1}}, {{0, 0}, {10, 0}});
  // later at 2: 1, at 10: -0.6; crossing at 7.
  ExpectRelative(tilt.deposition, 5 * 1 / 2.0, "deposition");
  ExpectRelative(tilt.scour, 3 * 0.6 / 2, "scour");

  // A scoured low-water channel with walls: a rectangle 4 m wide, 1.5 m deeper.
  const BedChange scour = CompareBeds({{0, 5}, {3, 5}, {3, 0.5}, {7, 0.5}, {7, 5}, {10, 5}},
                                      {{0, 5}, {3, 5}, {3, 2}, {7, 2}, {7, 5}, {10, 5}});
  EXPECT_EQ(scour.deposition, 0);
  ExpectRelative(scour.scour, 6, "scour");

  const BedChange apart = CompareBeds({{0, 1}, {5, 1}}, {{6, 0}, {9, 0}});
  EXPECT_EQ(apart.deposition + apart.scour, 0);
}
